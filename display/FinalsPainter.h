// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FinalsScreen.h"

#include <QFont>
#include <QRect>

class QPainter;

// The two clocks of finals, side by side on black: each side's count as large
// as its half allows, with its arrows left as marks below it (filled for an
// arrow still to shoot, a ring for one shot). The side that shoots is drawn
// in full colour, the waiting side dimmed. Every view draws finals with it.
class FinalsPainter
{
public:
    struct Layout
    {
        QRect left;  // the left side's count
        QRect right;
        QRect leftMarks;
        QRect rightMarks;
    };

    // How much of its colour a waiting side keeps.
    static constexpr double Dimmed = 0.3;

    static Layout Place(const QRect &area);
    // The counter's face: "Arial Narrow", bold.
    static QFont Face();
    static void Paint(QPainter &painter, const QRect &area, const FinalsScreen &screen, const QFont &family);

private:
    static void paintSide(QPainter &painter, const QRect &count, const QRect &marks, const FinalsSide &side,
                          bool shooting, const QFont &family);
};
