// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FinalsScreen.h"
#include "TColor.h"

#include <QImage>
#include <QString>

// What the archers see, as one value: the counter (shown or not, its text,
// colour and alignment), the picture area drawn over it (shown or not, and
// the idle picture it holds), and the extras that tournament rules add. The
// main window's own counter and picture area are drawn from the same state,
// and every other view of the clock (a projector, a browser) draws this.
struct ArcherScreen
{
    enum class Align { Right, Centre };

    bool counterShown = false;
    QString counterText;
    TColor counterColor = clRed;
    Align counterAlign = Align::Right;

    // The picture area covers the counter while it is shown; it is black
    // where it holds no picture.
    bool pictureShown = false;
    QImage picture;

    // Which detail shoots ("AB") and the end's number ("3", "P1"); empty
    // when not shown.
    QString detail;
    QString endLabel;

    // The two clocks of finals; drawn over everything else while shown.
    FinalsScreen finals;

    // Two pictures are the same when they are the same decoded image; pixels
    // are never compared.
    bool operator==(const ArcherScreen &other) const;
    bool operator!=(const ArcherScreen &other) const { return !(*this == other); }

    // The counter is what shows: not covered by the picture area.
    bool CounterVisible() const { return counterShown && !pictureShown; }
};
