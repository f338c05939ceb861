// SPDX-License-Identifier: GPL-3.0-or-later
#include "DetailLetters.h"

namespace {
constexpr int FewestWaves = 2;
constexpr int MostWaves = 3;
} // namespace

QString DetailLetters::Of(int waves, int endsShot, int wave, bool rotate)
{
    if (waves < FewestWaves || waves > MostWaves)
        return {};
    const int detail = (wave + (rotate ? endsShot : 0)) % waves;
    const QChar first(QLatin1Char('A').unicode() + 2 * detail);
    return QString(first) + QChar(first.unicode() + 1);
}
