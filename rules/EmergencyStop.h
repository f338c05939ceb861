// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class TForm1;

// The emergency stop: when on, Stop time sounds five short blasts, and from
// the stopped state the Resume button gives the interrupted wave back the
// shooting time it had left. A resume calls the wave to the line again (two
// blasts, the red walk-up count), then the count goes on from where it was
// stopped, in that point's colour, with the one blast. Reset wave and Reset
// timer work as before; Start from the stopped state still moves on.
class EmergencyStop : public QObject
{
    Q_OBJECT
public:
    static const QString SignalFile;

    explicit EmergencyStop(TForm1 &form, QObject *parent = nullptr);

    // Switching it on checks for the signal's file as start-up checks the
    // others, so a missing one is named only when it is wanted.
    void SetOn(bool wanted);

    void ResumeKnapClick();

private:
    void createResumeButton();
    void timeStopped(int count, int phase);
    void leaveStopped();
    void walkUpTick();
    void continueCount();

    TForm1 &form;
    bool on = false;
    bool stopped = false;
    // What Stop time interrupted: the count still owed and its phase. The
    // clock's own SecondsLeft goes to the walk-up time at every stop.
    std::uint8_t remaining = 0;
    std::int32_t remainingPhase = 0;
    // The clock's own tick handler; while the resumed wave walks up, the
    // timer's ticks count here instead.
    std::function<void()> clockTick;
    bool walkingUp = false;
};
