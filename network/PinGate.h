// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QVector>

// The remote control's PIN: six digits drawn when the server starts, and a
// check that lets each network address try only a few wrong PINs a minute.
// Nothing about the tries is written anywhere.
class PinGate
{
public:
    enum class Verdict { Accepted, Wrong, Waiting };

    static constexpr int TriesPerMinute = 5;

    // Draws a new PIN from the system's random source.
    PinGate();
    explicit PinGate(const QString &pin) : pin(pin) {}

    const QString &Pin() const { return pin; }

    // now: milliseconds on any steady clock. An address with five wrong PINs
    // in the last minute waits, whatever it sends, until the oldest is a
    // minute old.
    Verdict Try(const QString &address, const QString &entered, qint64 now);

private:
    QString pin;
    QHash<QString, QVector<qint64>> wrongTries;
};
