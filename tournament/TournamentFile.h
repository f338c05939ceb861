// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TournamentSettings.h"

#include <QByteArray>
#include <QString>

// The tournament file (*.vantix): an INI file in UTF-8, read with the
// language file's profile rules (names match without regard to letter case,
// values trimmed, one pair of enclosing quotes removed, unknown sections and
// keys ignored). Its first section names it:
//
//   [Vantix Tournament]
//   Version=1
//
// A file of a later version is read as far as its keys are known. A file is
// read whole or not at all: a refused file hands back no settings.
class TournamentFile
{
public:
    static constexpr int Version = 1;
    // A tournament file is a few kilobytes even with a long advert list.
    static constexpr qint64 MaxBytes = 256 * 1024;
    static constexpr int MaxAdverts = 999;
    static constexpr int MaxEnds = 9999;

    enum class Refusal {
        None,
        NotATournamentFile, // no "[Vantix Tournament]" with a version
        TooLarge,           // more than MaxBytes
        OutOfRange,         // a value the setup dialog or the page would refuse
    };

    struct Reading
    {
        Refusal refusal = Refusal::None;
        // For OutOfRange: "Section/Key=value" of the first value refused.
        QString detail;
        TournamentSettings settings;
    };

    // Reads a file's content; relative advert paths are taken from folder,
    // the file's own folder.
    static Reading Read(const QByteArray &content, const QString &folder);
    // The file's content. An advert that lies in folder or below it is
    // written relative to it, so the folder can be copied as a whole.
    static QByteArray Write(const TournamentSettings &settings, const QString &folder);

    // The detail letters of a first detail: "AB", "CD", "EF".
    static QString DetailName(int detail);
};
