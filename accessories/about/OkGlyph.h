// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The small green tick the OK button carries before its caption.
class OkGlyph
{
public:
    static constexpr int Size = 16;
    static QImage render();
};
