// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdint>

// Draws a framed Windows metafile with ImageMagick's WMF coder, at the
// density that makes it fit the area with its proportions kept, and writes
// the pixels out. It runs only in the program's metafile helper, a process
// of its own, under ImageMagick's and the process's resource limits.
class WmfDrawing
{
public:
    // What precedes the pixels: the picture's size. The pixels follow row
    // by row, four bytes each in the order of QImage::Format_ARGB32.
    struct Header
    {
        std::uint32_t width;
        std::uint32_t height;
    };

    // fitSize is the area in device pixels; an empty size draws the picture
    // at its own size at 96 dots an inch, at most 1024 pixels a side.
    // Returns false when the metafile cannot be drawn or written out.
    static bool Draw(const QByteArray &framedMetafile, const QSize &fitSize, int fd);
};
