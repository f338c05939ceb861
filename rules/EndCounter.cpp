// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndCounter.h"

#include <algorithm>

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

void EndCounter::SetEnds(int scoringEnds, int practiceEnds)
{
    scoring = scoringEnds;
    practised = practiceEnds;
    shot = scoring + practised;
}

void EndCounter::Step(int by)
{
    int &counted = practice ? practised : scoring;
    const int before = counted;
    counted = std::max(0, counted + by);
    shot = std::max(0, shot + counted - before);
}
