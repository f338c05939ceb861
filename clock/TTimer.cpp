// SPDX-License-Identifier: GPL-3.0-or-later
#include "TTimer.h"

TTimer::TTimer(QObject *parent) : QObject(parent)
{
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &TTimer::tick);
}

bool TTimer::Enabled() const
{
    return timer.isActive();
}

void TTimer::SetEnabled(bool enabled)
{
    // QTimer::start() restarts a running timer; guard it.
    if (enabled == timer.isActive())
        return;
    if (enabled)
        timer.start();
    else
        timer.stop();
}

int TTimer::Interval() const
{
    return timer.interval();
}

void TTimer::SetInterval(int milliseconds)
{
    // Even setInterval() with the same value restarts a running QTimer.
    if (milliseconds != timer.interval())
        timer.setInterval(milliseconds);
}

void TTimer::tick()
{
    if (OnTimer)
        OnTimer();
}
