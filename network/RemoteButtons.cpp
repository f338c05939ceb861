// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemoteButtons.h"

#include <QApplication>
#include <QEvent>

RemoteButtons::RemoteButtons(QList<QPushButton *> allowed, QObject *parent) : QObject(parent)
{
    Allow(allowed);
    Refresh();
}

void RemoteButtons::Allow(const QList<QPushButton *> &more)
{
    for (QPushButton *button : more) {
        if (button == nullptr)
            continue;
        this->allowed.append(button);
        button->installEventFilter(this);
        // A caption changed while the window shows asks its row for a new layout.
        if (button->parentWidget() != nullptr)
            button->parentWidget()->installEventFilter(this);
    }
    emit mayHaveChanged();
}

bool RemoteButtons::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::EnabledChange:
    case QEvent::LayoutRequest:
        emit mayHaveChanged();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

QList<RemoteButtons::Shown> RemoteButtons::current() const
{
    QList<Shown> list;
    for (const QPointer<QPushButton> &button : allowed) {
        if (button.isNull() || button->parentWidget() == nullptr || !button->isVisibleTo(button->parentWidget()) ||
            !button->isEnabled())
            continue;
        list.append({button, button->text()});
    }
    return list;
}

bool RemoteButtons::Refresh()
{
    QList<Shown> now = current();
    if (now == shown)
        return false;
    shown = std::move(now);
    ++listNumber;
    return true;
}

QStringList RemoteButtons::Captions() const
{
    QStringList captions;
    for (const Shown &entry : shown)
        captions.append(QString(entry.caption).remove(QLatin1Char('&')));
    return captions;
}

bool RemoteButtons::Press(std::uint32_t list, int button)
{
    if (QApplication::activeModalWidget() != nullptr)
        return false;
    // What shows may have changed since the last look; the press counts only
    // on the list the phone saw.
    Refresh();
    if (list != listNumber || button < 0 || button >= shown.size())
        return false;
    QPushButton *target = shown[button].button;
    if (target == nullptr)
        return false;
    target->click();
    return true;
}
