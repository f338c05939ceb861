// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndCounter.h"

QString EndCounter::Label() const
{
    if (practice)
        return QStringLiteral("P%1").arg(practised + 1);
    return QString::number(scoring + 1);
}

void EndCounter::EndFinished()
{
    ++shot;
    if (practice)
        ++practised;
    else
        ++scoring;
}

void EndCounter::SetPractice(bool on)
{
    // Practice ends are numbered from P1 each time practice begins.
    if (on && !practice)
        practised = 0;
    practice = on;
}

void EndCounter::Reset()
{
    scoring = 0;
    practised = 0;
    shot = 0;
}
