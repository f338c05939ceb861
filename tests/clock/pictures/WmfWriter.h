// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QPolygon>
#include <QRect>
#include <QtEndian>

#include <initializer_list>
#include <utility>

// Writes small Windows metafiles for the tests: a placeable header (or none),
// the standard header and drawing records. Each object created goes into the
// next slot of the object table and is selected at once.
class WmfWriter
{
public:
    explicit WmfWriter(const QRect &boundingBox, int unitsPerInch = 1000)
        : placeable(true), box(boundingBox), unitsPerInch(unitsPerInch) {}
    WmfWriter() = default;

    WmfWriter &anisotropic() { return record(0x0103, {8}); }
    WmfWriter &window(const QRect &r)
    {
        record(0x020B, {qint16(r.top()), qint16(r.left())});
        return record(0x020C, {qint16(r.height()), qint16(r.width())});
    }
    WmfWriter &brush(const QColor &c) { return create(0x02FC, words({0}) + colorRef(c) + words({0})); }
    WmfWriter &pen(const QColor &c, int width) { return create(0x02FA, words({0, qint16(width), 0}) + colorRef(c)); }
    WmfWriter &font(int height, const QByteArray &face)
    {
        return create(0x02FB, words({qint16(-height), 0, 0, 0, 400}) + QByteArray(8, '\0')
                                  + face.leftJustified(32, '\0', true));
    }
    WmfWriter &textColour(const QColor &c)
    {
        add(0x0209, colorRef(c));
        return record(0x0102, {1}); // transparent text background
    }
    WmfWriter &ellipse(const QRect &r)
    {
        return record(0x0418, {qint16(r.bottom()), qint16(r.right()), qint16(r.top()), qint16(r.left())});
    }
    WmfWriter &polygon(const QPolygon &points)
    {
        QByteArray params = words({qint16(points.size())});
        for (const QPoint &p : points)
            params += words({qint16(p.x()), qint16(p.y())});
        add(0x0324, params);
        return *this;
    }
    // text is in Windows-1252, as a metafile holds it.
    WmfWriter &text(const QPoint &at, const QByteArray &text)
    {
        add(0x0521, words({qint16(text.size())}) + text + QByteArray(text.size() % 2, '\0')
                        + words({qint16(at.y()), qint16(at.x())}));
        return *this;
    }
    WmfWriter &record(quint16 function, std::initializer_list<qint16> params)
    {
        add(function, words(params));
        return *this;
    }

    QByteArray bytes() const
    {
        QByteArray out;
        if (placeable) {
            out = dword(0x9AC6CDD7) + words({0, qint16(box.left()), qint16(box.top()), qint16(box.right() + 1),
                                             qint16(box.bottom() + 1), qint16(unitsPerInch)}) + dword(0);
            quint16 checksum = 0;
            for (int i = 0; i < 20; i += 2)
                checksum ^= qFromLittleEndian<quint16>(out.constData() + i);
            out += words({qint16(checksum)});
        }
        const QByteArray body = records + dword(3) + words({0});
        return out + words({1, 9, 0x0300}) + dword(quint32(9 + body.size() / 2)) + words({qint16(objects)})
               + dword(quint32(longest)) + words({0}) + body;
    }

private:
    static QByteArray words(std::initializer_list<qint16> values)
    {
        QByteArray out(qsizetype(values.size()) * 2, '\0');
        char *at = out.data();
        for (qint16 value : values)
            qToLittleEndian(value, std::exchange(at, at + 2));
        return out;
    }
    static QByteArray dword(quint32 value)
    {
        QByteArray out(4, '\0');
        qToLittleEndian(value, out.data());
        return out;
    }
    static QByteArray colorRef(const QColor &c) { return dword(quint32(c.red() | c.green() << 8 | c.blue() << 16)); }
    void add(quint16 function, const QByteArray &params)
    {
        const int size = 3 + int(params.size()) / 2;
        longest = std::max(longest, size);
        records += dword(quint32(size)) + words({qint16(function)}) + params;
    }
    WmfWriter &create(quint16 function, const QByteArray &params)
    {
        add(function, params);
        return record(0x012D, {qint16(objects++)}); // SelectObject
    }

    bool placeable = false;
    QRect box;
    int unitsPerInch = 0;
    int objects = 0;
    int longest = 3;
    QByteArray records;
};
