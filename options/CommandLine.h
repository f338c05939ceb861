// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The program's options on the command line. It needs none; each one only
// switches on, for this run, what the options dialog could switch on.
struct CommandLine
{
    // --audience=SCREEN: open the audience display on the screen of that
    // name, or of that number counted from 1.
    QString audienceScreen;
    // --serve[=PORT]: serve the clock to web browsers on that port.
    bool serve = false;
    std::uint16_t port = 8080;
    // FILE, --tournament=FILE or --tournament FILE: the tournament file to
    // open at start-up.
    QString tournamentFile;

    // One line for each argument that was not understood and is ignored.
    QStringList problems;

    // Reads the arguments after the program's name.
    static CommandLine Parse(const QStringList &arguments);
};
