// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// A QR code of a short text (an address), black on white with the quiet
// margin a reader needs, each module a square of the given number of pixels.
// A null image when the text cannot be encoded.
class QrPicture
{
public:
    static constexpr int Margin = 4;

    static QImage Make(const QString &text, int modulePixels);
};
