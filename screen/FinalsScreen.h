// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TColor.h"

#include <QString>

// The second clock of finals (alternate shooting): one count for each side
// of the match, with its colour and the arrows it has left, and which side
// shoots. While it is shown, every view draws the two sides in place of the
// counter and the picture.
struct FinalsSide
{
    QString count;
    TColor color = clRed;
    int arrowsLeft = 0;
    int arrowsPerEnd = 0;

    bool operator==(const FinalsSide &other) const = default;
};

struct FinalsScreen
{
    enum class Side { None, Left, Right };

    bool shown = false;
    FinalsSide left;
    FinalsSide right;
    // The side whose clock runs, or on the ready screen the side that starts.
    Side shooting = Side::None;

    bool operator==(const FinalsScreen &other) const = default;
};
