// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// The main window's periodic timer. Enabling a running timer or disabling a
// stopped one changes nothing, so the rhythm of ticks is never restarted.
// Ticks use the platform's precise timer: a coarse timer would round the
// 988 ms interval to whole seconds and drift by a third of a second in 30 ticks.
class TTimer : public QObject
{
    Q_OBJECT
public:
    explicit TTimer(QObject *parent = nullptr);

    bool Enabled() const;
    void SetEnabled(bool enabled);
    int Interval() const;
    void SetInterval(int milliseconds);
    // Milliseconds until the next tick; -1 while disabled.
    int RemainingTime() const { return timer.remainingTime(); }

    std::function<void()> OnTimer;

private:
    void tick();
    QTimer timer;
};
