// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <utility>

namespace {

const QString AudienceOption = QStringLiteral("--audience=");
const QString ServeOption = QStringLiteral("--serve");
const QString TournamentOption = QStringLiteral("--tournament");
const QString TournamentSuffix = QStringLiteral(".vantix");

bool readPort(const QString &text, std::uint16_t &port)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 10);
    if (!ok || value == 0 || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

// --tournament=FILE, --tournament FILE (the file is the next argument), or
// a lone FILE named *.vantix, as the desktop hands a double-clicked file
// over; a second file is one too many.
bool readTournament(const QString &argument, CommandLine &line, bool &fileFollows)
{
    QString file;
    if (argument == TournamentOption) {
        fileFollows = true;
        return true;
    }
    if (argument.startsWith(TournamentOption + QLatin1Char('=')))
        file = argument.mid(TournamentOption.size() + 1);
    else if (!argument.startsWith(QLatin1Char('-')) && argument.endsWith(TournamentSuffix, Qt::CaseInsensitive))
        file = argument;
    else
        return false;
    if (!line.tournamentFile.isEmpty() || file.isEmpty())
        line.problems.append(QStringLiteral("%1: one tournament file at a time; ignored").arg(argument));
    else
        line.tournamentFile = file;
    return true;
}

} // namespace

CommandLine CommandLine::Parse(const QStringList &arguments)
{
    CommandLine line;
    bool fileFollows = false;
    for (const QString &argument : arguments) {
        if (std::exchange(fileFollows, false)) {
            line.tournamentFile = argument;
        } else if (readTournament(argument, line, fileFollows)) {
        } else if (argument.startsWith(AudienceOption) && argument.size() > AudienceOption.size()) {
            line.audienceScreen = argument.mid(AudienceOption.size());
        } else if (argument == ServeOption) {
            line.serve = true;
        } else if (argument.startsWith(ServeOption + QLatin1Char('='))) {
            if (readPort(argument.mid(ServeOption.size() + 1), line.port))
                line.serve = true;
            else
                line.problems.append(QStringLiteral("%1: the port must be a number from 1 to 65535; ignored")
                                         .arg(argument));
        } else {
            line.problems.append(QStringLiteral("%1: unknown option, ignored").arg(argument));
        }
    }
    if (fileFollows)
        line.problems.append(QStringLiteral("%1: the tournament file is missing; ignored").arg(TournamentOption));
    return line;
}
