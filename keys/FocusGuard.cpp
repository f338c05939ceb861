// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusGuard.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

FocusGuard::FocusGuard(QWidget *window, QWidget *buttonRow, QAbstractButton *start, QWidget *waveRunning)
    : QObject(window), window(window), buttonRow(buttonRow), start(start), waveRunning(waveRunning)
{
    buttonRow->installEventFilter(this);
    for (QObject *control : buttonRow->children())
        watch(control);
}

void FocusGuard::watch(QObject *control)
{
    if (control->isWidgetType())
        control->installEventFilter(this);
}

bool FocusGuard::spaceOnRunningStart(QObject *watched, QEvent *event) const
{
    if (watched != start || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    return static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space && waveRunning->isVisible();
}

bool FocusGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == buttonRow) {
        if (event->type() == QEvent::ChildAdded)
            watch(static_cast<QChildEvent *>(event)->child());
        return false;
    }
    if (spaceOnRunningStart(watched, event))
        return true;
    // The hide event comes before the window moves the focus on: with the
    // focus on the window, there is nothing left to move.
    if (event->type() == QEvent::Hide) {
        auto *control = static_cast<QWidget *>(watched);
        QWidget *focused = window->focusWidget();
        if (focused != nullptr && (focused == control || control->isAncestorOf(focused)))
            window->setFocus(Qt::OtherFocusReason);
    }
    return false;
}
