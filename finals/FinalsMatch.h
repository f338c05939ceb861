// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kinds of finals match and what each gives a side in one end, after
// World Archery's alternate shooting: the time (of each turn, or of the whole
// end when it carries over), the warning time (0: none), the walk-up time,
// and the arrows of an end and of one turn.
enum class FinalsKind {
    Individual,
    Team,
    MixedTeam,
    ShootOffIndividual,
    ShootOffTeam,
    ShootOffMixedTeam,
};

struct FinalsMatch
{
    FinalsKind kind = FinalsKind::Individual;
    int time = 20;
    int warning = 0;
    int walkUp = 10;
    int arrowsPerEnd = 3;
    int arrowsPerTurn = 1;
    // A side goes on with the time it had left at its next turn (teams);
    // otherwise every turn starts again with the full time.
    bool carryOver = false;

    bool operator==(const FinalsMatch &other) const = default;

    // The rules' values for a kind of match.
    static FinalsMatch Of(FinalsKind kind);
};
