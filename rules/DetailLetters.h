// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Which detail shoots: with two waves the archers on places A and B shoot
// first and C and D second; with three waves E and F come third. Rotated, the
// order moves on by one detail each end (AB-CD, then CD-AB; AB-CD-EF, then
// CD-EF-AB, then EF-AB-CD), so no detail always waits. One wave, or more than
// three, shows no letters.
class DetailLetters
{
public:
    // wave counts from 0 within the end, endsShot the ends finished before it.
    static QString Of(int waves, int endsShot, int wave, bool rotate);
};
