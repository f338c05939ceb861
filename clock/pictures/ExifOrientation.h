// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <cstddef>

// The orientation that a camera or phone records in a JPEG's Exif block: how
// the stored picture must be turned and mirrored to stand upright. Values
// 1 to 8 as the Exif standard numbers them; 1 means "as stored".
class ExifOrientation
{
public:
    // Reads the orientation from the payload of an APP1 segment, which starts
    // with "Exif\0\0" and a TIFF header. Anything missing, out of range or
    // pointing outside the payload reads as 1.
    static int FromApp1(const unsigned char *data, std::size_t size);
    // Whether the orientation is a quarter turn, so width and height swap.
    static bool SwapsAxes(int orientation);
    // Turns and mirrors a picture stored with the given orientation upright.
    static QImage Apply(const QImage &image, int orientation);
};
