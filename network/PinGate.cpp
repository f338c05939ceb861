// SPDX-License-Identifier: GPL-3.0-or-later
#include "PinGate.h"

#include <QRandomGenerator>

#include <algorithm>

namespace {

constexpr qint64 Minute = 60 * 1000;
// Addresses past this many are forgotten once their tries are old.
constexpr qsizetype AddressesKept = 1024;

} // namespace

PinGate::PinGate()
    : pin(QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0')))
{
}

PinGate::Verdict PinGate::Try(const QString &address, const QString &entered, qint64 now)
{
    const auto old = [now](qint64 at) { return now - at >= Minute; };
    if (wrongTries.size() > AddressesKept) {
        for (auto at = wrongTries.begin(); at != wrongTries.end();)
            at = std::all_of(at->cbegin(), at->cend(), old) ? wrongTries.erase(at) : std::next(at);
    }
    QVector<qint64> &tries = wrongTries[address];
    tries.removeIf(old);
    allWrongTries.removeIf(old);
    if (now < everyoneWaitsUntil || tries.size() >= TriesPerMinute)
        return Verdict::Waiting;
    if (entered == pin) {
        wrongTries.remove(address);
        nextWait = FirstWaitMs;
        return Verdict::Accepted;
    }
    tries.append(now);
    allWrongTries.append(now);
    if (allWrongTries.size() >= AllTriesPerMinute) {
        everyoneWaitsUntil = now + nextWait;
        nextWait = std::min(nextWait * 2, LongestWaitMs);
        allWrongTries.clear();
    }
    return Verdict::Wrong;
}
