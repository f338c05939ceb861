#pragma once

#include <QByteArray>
#include <QColor>
#include <QPolygon>
#include <QRect>

#include <initializer_list>

// Writes small Windows metafiles for the tests: a placeable header, the
// standard header, and the drawing records the renderer must handle. Each
// object created goes into the next slot of the object table.
class WmfWriter
{
public:
    // A placeable header with this bounding box, in logical units.
    explicit WmfWriter(const QRect &boundingBox, int unitsPerInch = 1000);
    // A metafile without the placeable header.
    WmfWriter();

    WmfWriter &anisotropic();
    WmfWriter &window(const QRect &frame);
    WmfWriter &brush(const QColor &colour);
    WmfWriter &pen(const QColor &colour, int width);
    WmfWriter &font(int height, const QByteArray &face);
    WmfWriter &textColour(const QColor &colour);
    WmfWriter &ellipse(const QRect &box);
    WmfWriter &polygon(const QPolygon &points);
    // text is in Windows-1252, as a metafile holds it.
    WmfWriter &text(const QPoint &at, const QByteArray &text);
    WmfWriter &record(quint16 function, std::initializer_list<qint16> params);

    QByteArray bytes() const;

private:
    void add(quint16 function, const QByteArray &params);
    WmfWriter &create(quint16 function, const QByteArray &params);

    bool placeable = false;
    QRect box;
    int unitsPerInch = 0;
    int objects = 0;
    int longest = 3;
    QByteArray records;
};
