// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QVector>

// The remote control's PIN: six digits drawn when the server starts, and a
// check that lets each network address try only a few wrong PINs a minute,
// and all addresses together only a handful: once they have, every address
// waits, longer each time it happens again, until a right PIN is accepted.
// Nothing about the tries is written anywhere.
class PinGate
{
public:
    enum class Verdict { Accepted, Wrong, Waiting };

    static constexpr int TriesPerMinute = 5;
    static constexpr int AllTriesPerMinute = 10;
    static constexpr qint64 FirstWaitMs = 60 * 1000;
    static constexpr qint64 LongestWaitMs = 16 * 60 * 1000;

    // Draws a new PIN from the system's random source.
    PinGate();
    explicit PinGate(const QString &pin) : pin(pin) {}

    const QString &Pin() const { return pin; }

    // now: milliseconds on any steady clock. An address with five wrong PINs
    // in the last minute waits, whatever it sends, until the oldest is a
    // minute old. Ten wrong PINs in a minute from anywhere make every address
    // wait a minute, then two, four, up to sixteen minutes; when the wait is
    // over the right PIN is accepted as before.
    Verdict Try(const QString &address, const QString &entered, qint64 now);

private:
    QString pin;
    QHash<QString, QVector<qint64>> wrongTries;
    QVector<qint64> allWrongTries;
    qint64 everyoneWaitsUntil = 0;
    qint64 nextWait = FirstWaitMs;
};
