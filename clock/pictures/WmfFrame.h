// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

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
    // The placeable header's bounding box, in logical units; an empty size
    // when the metafile has no such header.
    static QSize BoundingBox(const QByteArray &metafile);
    // The header's units per inch, or the renderer's guess when it gives none.
    static int UnitsPerInch(const QByteArray &metafile);
    // The metafile with the header's units per inch replaced.
    static QByteArray WithUnitsPerInch(QByteArray metafile, int unitsPerInch);
};
