// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArcherScreen.h"

#include <QFont>
#include <QRect>

class QPainter;

// Where each part of what the archers see goes in an area, and how it is
// drawn there: the counter, or the idle picture, on black, with the detail
// letters and the end's label in the space the counter leaves free. The
// audience display and the main window's extras draw through it, so a
// projector and the timekeeper's screen place the letters alike. Beside the
// counter the extras take the room it leaves; on the ready screen they have
// a strip of their own.
class ScreenPainter
{
public:
    struct Layout
    {
        // Each text is drawn from its baseline point; its rect is its ink,
        // empty when the text does not show.
        struct Text
        {
            QFont font;
            QPoint at;
            QRect ink;
        };
        Text counter;
        Text detail;
        Text label;
    };

    // The counter made as large as the area allows: three digits (or the
    // number, when longer) fit its height and width, and the judges' sign
    // fits on its own. When extras show and the counter would leave them less
    // than a quarter of its height, it gives up the top quarter of the area.
    static Layout FitToArea(const QRect &area, const ArcherScreen &screen, const QFont &family);

    // The extras beside a counter drawn with a given font, as the main window
    // draws it; they take the largest free strip around its ink.
    static Layout AroundCounter(const QRect &area, const ArcherScreen &screen, const QFont &counterFont);

    // The extras on the ready screen, where no counter sizes them: over black
    // or the idle picture, the detail letters at the top left and the end's
    // label at the top right, in the top quarter of the area.
    static Layout OnReadyScreen(const QRect &area, const ArcherScreen &screen, const QFont &family);
    // Those extras on black boxes of their own, readable over any picture.
    static void PaintReadyExtras(QPainter &painter, const ArcherScreen &screen, const Layout &layout);

    // Black, then the picture or the counter, then the extras.
    static void Paint(QPainter &painter, const QRect &area, const ArcherScreen &screen, const Layout &layout);
    // The detail letters and the end label alone, in the counter's colour.
    static void PaintExtras(QPainter &painter, const ArcherScreen &screen, const Layout &layout);

    // Where a picture is drawn in an area: as large as fits, proportions kept, centred.
    static QRect PictureRect(const QRect &area, const QSize &picture);

    // Everything a layout draws on besides the black, to repaint on a change.
    static QRect InkArea(const Layout &layout);

private:
    static QFont fitted(const QFont &family, const QString &text, const QSize &room);
    static QFont measuredFit(const QFont &family, const QString &text, const QSize &room);
    static Layout::Text placed(const QFont &font, const QString &text, const QRect &room, Qt::Alignment align);
    static void placeExtras(Layout &layout, const QRect &area, const ArcherScreen &screen);
    static void placeInStrip(Layout &layout, const QRect &strip, int margin, const ArcherScreen &screen,
                             const QFont &family, Qt::Alignment vertical);
    static void placeLabelApart(Layout &layout, const QRect &area, const ArcherScreen &screen);
    static void fitCounter(Layout &layout, const QRect &area, const ArcherScreen &screen, const QFont &family);
    static Layout referenceLayout(const QRect &area, const ArcherScreen &screen, const QFont &family);
    static void showText(Layout &layout, const ArcherScreen &screen);
};
