// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

#include <array>

// The about box's picture: a compact disc pierced by three arrows, drawn
// here at 157 x 142 pixels in 24-bit colour. Each arrow enters the disc's
// face with its fletched end towards the viewer and comes out past the rim
// with its point, the stretch in between hidden behind the disc.
class DiscArrowsPicture
{
public:
    static constexpr int Width = 157;
    static constexpr int Height = 142;

    struct Arrow
    {
        QPointF nock;  // the fletched end
        QPointF tip;   // the point
        double entry;  // where the shaft meets the disc's face, 0 at the nock, 1 at the tip
        QColor cockFeather;
    };

    static const QPointF DiscCentre;
    static constexpr double DiscRadius = 60.0;
    static constexpr double HoleRadius = 7.0;
    static const QColor Background;
    static const QColor ShaftColor;
    static const std::array<Arrow, 3> Arrows;

    static QImage render();
    // The point a fraction `along` of the way from an arrow's nock to its tip.
    static QPointF pointOn(const Arrow &arrow, double along);
};
