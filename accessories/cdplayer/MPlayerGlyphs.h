// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MPlayerTypes.h"

#include <QImage>

// The pictures on the buttons of the media player strip, drawn here in the
// sixteen colours of the classic palette: a coloured one for an enabled
// button, a plain black one, and a grey, embossed one for a disabled button.
// They are 16 pixels high; olive marks the pixels that let the button face
// show through and is transparent in the images handed out.
class MPlayerGlyphs
{
public:
    enum Variant { Colored, Plain, Grey };

    static int Width(TMPBtnType kind);
    static constexpr int Height = 16;
    // The widest and the tallest glyph of all nine kinds.
    static int MaxWidth();
    static int MaxHeight() { return Height; }

    // The glyph as drawn, with olive (128, 128, 0) in the transparent pixels.
    static QImage Raw(TMPBtnType kind, Variant variant);
    // The glyph ready to paint: olive pixels transparent.
    static const QImage &Image(TMPBtnType kind, Variant variant);

    static QRgb Transparent() { return qRgb(128, 128, 0); }
};
