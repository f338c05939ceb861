// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsMatch.h"

FinalsMatch FinalsMatch::Of(FinalsKind kind)
{
    // time, warning, walk-up, arrows of an end, arrows of a turn, carried over
    switch (kind) {
    case FinalsKind::Individual:
        return {kind, 20, 0, 10, 3, 1, false};
    case FinalsKind::Team:
        return {kind, 120, 30, 10, 6, 3, true};
    case FinalsKind::MixedTeam:
        return {kind, 80, 30, 10, 4, 2, true};
    case FinalsKind::ShootOffIndividual:
        return {kind, 20, 0, 10, 1, 1, false};
    case FinalsKind::ShootOffTeam:
        return {kind, 60, 0, 10, 3, 3, true};
    case FinalsKind::ShootOffMixedTeam:
        return {kind, 40, 0, 10, 2, 2, true};
    }
    return {};
}
