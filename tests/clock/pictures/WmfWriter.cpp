#include "WmfWriter.h"

#include <QtEndian>

namespace {

QByteArray words(std::initializer_list<qint16> values)
{
    QByteArray out;
    for (qint16 value : values) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        out.append(bytes, 2);
    }
    return out;
}

QByteArray dword(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray colorRef(const QColor &colour)
{
    return dword(quint32(colour.red() | colour.green() << 8 | colour.blue() << 16));
}

QByteArray bottomRightTopLeft(const QRect &r)
{
    return words({qint16(r.bottom()), qint16(r.right()), qint16(r.top()), qint16(r.left())});
}

} // namespace

WmfWriter::WmfWriter(const QRect &boundingBox, int unitsPerInch)
    : placeable(true), box(boundingBox), unitsPerInch(unitsPerInch)
{
}

WmfWriter::WmfWriter() = default;

void WmfWriter::add(quint16 function, const QByteArray &params)
{
    const int size = 3 + int(params.size()) / 2;
    longest = std::max(longest, size);
    records += dword(quint32(size)) + words({qint16(function)}) + params;
}

WmfWriter &WmfWriter::create(quint16 function, const QByteArray &params)
{
    add(function, params);
    add(0x012D, words({qint16(objects++)})); // SelectObject
    return *this;
}

WmfWriter &WmfWriter::anisotropic()
{
    add(0x0103, words({8}));
    return *this;
}

WmfWriter &WmfWriter::window(const QRect &frame)
{
    add(0x020B, words({qint16(frame.top()), qint16(frame.left())}));
    add(0x020C, words({qint16(frame.height()), qint16(frame.width())}));
    return *this;
}

WmfWriter &WmfWriter::brush(const QColor &colour)
{
    return create(0x02FC, words({0}) + colorRef(colour) + words({0}));
}

WmfWriter &WmfWriter::pen(const QColor &colour, int width)
{
    return create(0x02FA, words({0, qint16(width), 0}) + colorRef(colour));
}

WmfWriter &WmfWriter::font(int height, const QByteArray &face)
{
    QByteArray logFont = words({qint16(-height), 0, 0, 0, 400});
    logFont += QByteArray(8, '\0'); // italic .. pitch and family
    logFont += face.leftJustified(32, '\0', true);
    return create(0x02FB, logFont);
}

WmfWriter &WmfWriter::textColour(const QColor &colour)
{
    add(0x0209, colorRef(colour));
    add(0x0102, words({1})); // transparent text background
    return *this;
}

WmfWriter &WmfWriter::ellipse(const QRect &r)
{
    add(0x0418, bottomRightTopLeft(r));
    return *this;
}

WmfWriter &WmfWriter::polygon(const QPolygon &points)
{
    QByteArray params = words({qint16(points.size())});
    for (const QPoint &p : points)
        params += words({qint16(p.x()), qint16(p.y())});
    add(0x0324, params);
    return *this;
}

WmfWriter &WmfWriter::text(const QPoint &at, const QByteArray &text)
{
    QByteArray padded = text;
    if (padded.size() % 2)
        padded.append('\0');
    add(0x0521, words({qint16(text.size())}) + padded + words({qint16(at.y()), qint16(at.x())}));
    return *this;
}

WmfWriter &WmfWriter::record(quint16 function, std::initializer_list<qint16> params)
{
    add(function, words(params));
    return *this;
}

QByteArray WmfWriter::bytes() const
{
    const QByteArray body = records + dword(3) + words({0});
    QByteArray out;
    if (placeable) {
        QByteArray header = dword(0x9AC6CDD7) + words({0, qint16(box.left()), qint16(box.top()),
                                                      qint16(box.right() + 1), qint16(box.bottom() + 1),
                                                      qint16(unitsPerInch)})
                            + dword(0);
        quint16 checksum = 0;
        for (int i = 0; i < 20; i += 2)
            checksum ^= qFromLittleEndian<quint16>(header.constData() + i);
        out = header + words({qint16(checksum)});
    }
    out += words({1, 9, 0x0300}) + dword(quint32(9 + body.size() / 2)) + words({qint16(objects)})
           + dword(quint32(longest)) + words({0});
    return out + body;
}
