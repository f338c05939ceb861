// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Counts the ends of a tournament as they finish. An abandoned end is shot
// again and does not count; while the practice switch is on, ends count as
// practice ends ("P1", "P2") and leave the count of scoring ends alone.
class EndCounter
{
public:
    // The next end, or the one running: "3", or "P1" in practice.
    QString Label() const;

    void EndFinished();
    void SetPractice(bool on);
    bool Practice() const { return practice; }
    void Reset();

    // Every end finished since the last reset, practice ends included.
    int EndsShot() const { return shot; }
    // The ends that move the detail rotation on: the scoring ends alone, so
    // that practice leaves end 1 to start with the first detail; while
    // practice is on, the practice ends among themselves.
    int RotatingEnds() const { return practice ? practised : scoring; }

    // Where the count stands, as a tournament file holds it or the
    // timekeeper puts it right between ends.
    int ScoringEnds() const { return scoring; }
    int PracticeEnds() const { return practised; }
    void SetEnds(int scoringEnds, int practiceEnds);
    // One end more or fewer of the kind now counted, as if it had been shot
    // (or not); never below none.
    void Step(int by);

private:
    int scoring = 0;
    int practised = 0;
    int shot = 0;
    bool practice = false;
};
