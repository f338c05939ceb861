// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Everything a tournament file holds: what the setup dialog and the options
// pages hold, and where the tournament stands. The values start as the
// program starts, so a file that leaves a key out gets the start value.
struct TournamentSettings
{
    // The setup dialog.
    QString name;
    int waves = 2;
    int shootingTime = 120;
    int yellowTime = 30;
    int redTime = 20;
    bool cdPlayer = false;
    bool adverts = false;
    QStringList advertList; // full paths, in the list's order

    // The "Rounds" page: the preset chosen (its name, empty for none) and
    // the rules options.
    QString round;
    bool showDetail = false;
    bool rotateDetails = false;
    bool showEndNumber = false;
    bool endNumberToArchers = false;
    bool emergencyStop = false;
    bool trueSeconds = false;

    // The audience display's screen, by name; empty while it is closed.
    QString audienceScreen;
    // The web server.
    bool serve = false;
    int port = 8080;

    // Where the tournament stands: the ends finished, scoring and practice,
    // whether practice is on, and the detail that starts the next end
    // (0 for AB, 1 for CD, 2 for EF).
    int scoringEnds = 0;
    int practiceEnds = 0;
    bool practice = false;
    int firstDetail = 0;

    bool operator==(const TournamentSettings &) const = default;
};
