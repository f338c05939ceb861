// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// Writes JPEG files for the tests with libjpeg's compressor: colour, grey,
// CMYK and YCCK (with or without Adobe's marker), baseline or progressive,
// with an optional APP1 segment such as an Exif block.
class JpegWriter
{
public:
    enum class Colours { Rgb, Grey, Cmyk, Ycck };
    struct Options
    {
        Colours colours = Colours::Rgb;
        bool adobeMarker = true; // CMYK and YCCK only: inks stored inverted, as print programs write them
        bool progressive = false;
        bool fullColour = false; // colour at every pixel (4:4:4), not at every other
        int quality = 92;
        QByteArray app1;
    };

    static QByteArray Encode(const QImage &image, const Options &options);
    static QByteArray Encode(const QImage &image) { return Encode(image, Options{}); }

    // An Exif block holding only an orientation tag, in either byte order.
    static QByteArray ExifOrientation(int orientation, bool bigEndian);
    // Replaces the size in the frame header (SOF) of a JPEG.
    static QByteArray WithClaimedSize(QByteArray jpeg, int width, int height);
};
