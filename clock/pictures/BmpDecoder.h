// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Reads BMP pictures through Qt's reader, after checking that the size the
// header claims is within PictureLimits and that the pixels lie in the file.
// A file cut short is refused.
class BmpDecoder
{
public:
    // Returns a null image when the file cannot be read.
    static QImage Decode(const QString &path);
};
