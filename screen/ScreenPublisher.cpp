// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenPublisher.h"

void ScreenPublisher::Change(const std::function<void(ArcherScreen &)> &edit)
{
    ArcherScreen next = current;
    edit(next);
    if (next == current)
        return;
    current = next;
    emit screenChanged(current);
}

void ScreenPublisher::SetDetail(const QString &detail)
{
    Change([&](ArcherScreen &screen) { screen.detail = detail; });
}

void ScreenPublisher::SetEndLabel(const QString &label)
{
    Change([&](ArcherScreen &screen) { screen.endLabel = label; });
}
