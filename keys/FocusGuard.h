// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

// Keeps the key a focused button takes itself, Space, from costing the
// archers their end. When a handler hides the button (or the strip) that
// holds the focus, the window's focus chain would hand the focus on to the
// next visible button, Exit among them; it goes to the window itself
// instead, where Space presses nothing and Tab still walks the buttons in
// their order. And while a wave runs, Space leaves Start alone: then only
// the keys that stop the time act.
class FocusGuard : public QObject
{
    Q_OBJECT
public:
    // Watches every control of the button row, also those added later;
    // a wave runs while the given sign (the Stop time button) shows.
    FocusGuard(QWidget *window, QWidget *buttonRow, QAbstractButton *start, QWidget *waveRunning);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QObject *control);
    bool spaceOnRunningStart(QObject *watched, QEvent *event) const;

    QWidget *window;
    QWidget *buttonRow;
    QAbstractButton *start;
    QWidget *waveRunning;
};
