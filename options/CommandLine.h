// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The program's options on the command line. It needs none; each one only
// switches on, for this run, what the options dialog could switch on. The
// line is read before the program connects to the window system, so --help
// and --version answer on a console without a display. Options take their
// value as --opt=value or as --opt value; the window-system options of Qt
// itself (-platform, -display, -geometry, ...) are let through to Qt.
struct CommandLine
{
    // --audience=SCREEN: open the audience display on the screen of that
    // name, or of that number counted from 1.
    QString audienceScreen;
    // --serve[=PORT] (or --port=PORT): serve the clock to web browsers on
    // that port.
    bool serve = false;
    std::uint16_t port = 8080;
    // --tournament=FILE, or FILE alone: the tournament file to open.
    QString tournamentFile;

    // False when the program ends at once: it then prints `output` (on
    // standard output when `exitCode` is 0, on standard error otherwise) and
    // ends with `exitCode`: 0 after --help or --version, 2 after a wrong
    // option or value, which `output` names before the usage.
    bool run = true;
    int exitCode = 0;
    QString output;

    // Reads the arguments after the program's name.
    static CommandLine Parse(const QStringList &arguments);
    // The arguments after the program's name, as the system passed them.
    static QStringList Arguments(int argc, const char *const *argv);
    // The text --help prints.
    static QString Usage();
};
