// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemoteButtons.h"

#include <QApplication>

RemoteButtons::RemoteButtons(QWidget *row, QList<QPushButton *> operatorOnly)
    : row(row), operatorOnly(std::move(operatorOnly))
{
    Refresh();
}

QList<RemoteButtons::Shown> RemoteButtons::current() const
{
    QList<Shown> list;
    if (row.isNull())
        return list;
    // Creation order: the window's own buttons first, then any a rule adds.
    for (QPushButton *button : row->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly)) {
        if (operatorOnly.contains(button) || !button->isVisibleTo(row) || !button->isEnabled())
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
