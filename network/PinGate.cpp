// SPDX-License-Identifier: GPL-3.0-or-later
#include "PinGate.h"

#include <QRandomGenerator>

namespace {

constexpr qint64 Minute = 60 * 1000;

} // namespace

PinGate::PinGate()
    : pin(QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0')))
{
}

PinGate::Verdict PinGate::Try(const QString &address, const QString &entered, qint64 now)
{
    QVector<qint64> &tries = wrongTries[address];
    tries.removeIf([now](qint64 at) { return now - at >= Minute; });
    if (tries.size() >= TriesPerMinute)
        return Verdict::Waiting;
    if (entered == pin) {
        wrongTries.remove(address);
        return Verdict::Accepted;
    }
    tries.append(now);
    return Verdict::Wrong;
}
