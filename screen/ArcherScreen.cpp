// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArcherScreen.h"

bool ArcherScreen::operator==(const ArcherScreen &other) const
{
    return counterShown == other.counterShown && counterText == other.counterText
           && counterColor == other.counterColor && counterAlign == other.counterAlign
           && pictureShown == other.pictureShown && picture.cacheKey() == other.picture.cacheKey()
           && detail == other.detail && endLabel == other.endLabel
           && finals == other.finals;
}
