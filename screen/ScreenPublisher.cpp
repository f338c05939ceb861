// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenPublisher.h"

void ScreenPublisher::Change(const std::function<void(ArcherScreen &)> &edit)
{
    ArcherScreen next = current;
    edit(next);
    if (next == current)
        return;
    current = next;
    if (holds == 0)
        announce();
}

void ScreenPublisher::announce()
{
    if (current == announced)
        return;
    announced = current;
    emit screenChanged(current);
}

ScreenPublisher::Batch::Batch(ScreenPublisher *publisher) : publisher(publisher)
{
    if (publisher != nullptr)
        ++publisher->holds;
}

ScreenPublisher::Batch::~Batch()
{
    if (publisher != nullptr && --publisher->holds == 0)
        publisher->announce();
}

void ScreenPublisher::SetDetail(const QString &detail)
{
    Change([&](ArcherScreen &screen) { screen.detail = detail; });
}

void ScreenPublisher::SetEndLabel(const QString &label)
{
    Change([&](ArcherScreen &screen) { screen.endLabel = label; });
}

void ScreenPublisher::SetFinals(const FinalsScreen &finals)
{
    Change([&](ArcherScreen &screen) { screen.finals = finals; });
}
