// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;

// Decodes JPEG pictures with libjpeg. A large picture is decoded with
// libjpeg's DCT scaling at the smallest scale that still covers the area it
// will be shown in, so a camera picture costs a fraction of its full size.
// Damage behind a valid header shows what decodes (libjpeg's warnings are not
// failures); a bad header, a read error, or anything libjpeg gives up on is a
// failure, and so is a picture beyond the bounds in PictureLimits. The
// bounds are sizes only (pixels, scans, bytes), never time, so whether a
// picture loads does not depend on how busy the machine is.
class JpegDecoder
{
public:
    // fitSize is the area in device pixels; an empty size decodes at the
    // smallest scale. Returns a null image on failure.
    static QImage Decode(const QString &path, const QSize &fitSize);
    static QImage Decode(QIODevice &device, const QSize &fitSize);

    // A picture with more scans than this is refused: each scan passes over
    // the whole picture, so thousands of tiny scans would take minutes.
    static constexpr int MaxScans = 500;
    // At most this much of a file is read; past it the picture ends there.
    static constexpr qint64 MaxInputBytes = 256LL * 1024 * 1024;
};
