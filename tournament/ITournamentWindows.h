// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TournamentSettings.h"

#include <QString>
#include <QStringList>

// What a tournament file is taken from and given to: the setup dialog, the
// options pages and where the tournament stands.
class ITournamentWindows
{
public:
    virtual ~ITournamentWindows() = default;
    // What the windows hold now. False, with the message the setup dialog
    // itself would show, while its fields hold what OK refuses.
    virtual bool Capture(TournamentSettings &settings, QString &refusal) = 0;
    // Applies the settings as OK in the setup dialog would; one line for
    // each thing that could not be used, the rest applied.
    virtual QStringList Apply(const TournamentSettings &settings) = 0;
};
