// SPDX-License-Identifier: GPL-3.0-or-later
#include "TitleSuffix.h"

#include <QEvent>
#include <QWidget>

TitleSuffix::TitleSuffix(QWidget *window) : QObject(window), window(window), own(window->windowTitle())
{
    window->installEventFilter(this);
}

void TitleSuffix::Set(const QString &text)
{
    suffix = text;
    write();
}

bool TitleSuffix::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window && event->type() == QEvent::WindowTitleChange && !writing) {
        own = window->windowTitle();
        write();
    }
    return QObject::eventFilter(watched, event);
}

void TitleSuffix::write()
{
    writing = true;
    window->setWindowTitle(own + suffix);
    writing = false;
}
