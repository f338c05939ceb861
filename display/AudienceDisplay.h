// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArcherScreen.h"
#include "ScreenPainter.h"

#include <QWidget>

class QScreen;

// The archers' view on a projector or second monitor: a frameless window
// filling one screen with only the counter or the idle picture on black. It
// takes no focus, so the timekeeper's keys keep going to the main window.
class AudienceDisplay : public QWidget
{
    Q_OBJECT
public:
    explicit AudienceDisplay(QWidget *parent = nullptr);

    // Fills the given screen and shows there.
    void OpenOn(QScreen *screen);
    QScreen *ShownOn() const;

    // Draws a new value: only what changed is repainted.
    void Show(const ArcherScreen &screen);
    const ArcherScreen &Shown() const { return shown; }
    const ScreenPainter::Layout &CurrentLayout() const { return layout; }

    // How many times the window has painted itself (for the benchmarks).
    int Paints() const { return paints; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void relayout();
    bool sameButDigits(const ArcherScreen &was, const ScreenPainter::Layout &before) const;
    QRegion changedDigits(const ArcherScreen &was) const;

    ArcherScreen shown;
    ScreenPainter::Layout layout;
    QFont family;
    int paints = 0;
};
