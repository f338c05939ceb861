#pragma once

#include <QByteArray>
#include <QSizeF>

// Prepares a Windows metafile for rendering. The renderer fits the extent of
// what the metafile draws to the picture's size, which stretches a drawing
// that does not reach the edges of its frame. So this adds, at the end, an
// invisible rectangle over the frame (the metafile's window, else the
// placeable header's bounding box), and the drawing keeps its proportions
// and its place. A metafile without a placeable header gets one made from
// its window, since without one the renderer draws it square. A metafile cut
// short keeps the records that are whole.
class WmfFrame
{
public:
    // Returns the framed metafile, or an empty array when data is not a
    // Windows metafile.
    static QByteArray Framed(const QByteArray &data);
    // The size in inches that a placeable header gives a metafile, as the
    // renderer reads it; an empty size when it has no such header.
    static QSizeF SizeInInches(const QByteArray &metafile);
};
