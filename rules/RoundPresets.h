// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class TForm2;

// The times of one kind of end as the World Archery target rules set them.
struct RoundPreset
{
    QString name;
    int redTime;      // walk-up to the line, seconds
    int shootingTime; // seconds
    int yellowTime;   // warning: seconds left when the count turns yellow
    int waves;        // details shooting one after another
    QString source;   // where the rules say so
};

// The kinds of end a timekeeper meets most, in one table. Choosing one types
// its numbers into the setup dialog's fields; OK checks them as ever, and
// nothing is kept beyond the run.
class RoundPresets
{
public:
    static const std::vector<RoundPreset> &All();
    static void Fill(TForm2 &dialog, const RoundPreset &preset);
    // Fills the fields and takes the times as OK takes them, so the clock
    // runs what the fields show also when the dialog is closed by its close
    // box; a round's times always pass OK's checks.
    static void Choose(TForm2 &dialog, const RoundPreset &preset);
};
