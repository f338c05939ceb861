// SPDX-License-Identifier: GPL-3.0-or-later
// The tournament file: any bytes at all through TournamentFile::Read.
// Must hold: a file is refused whole (no settings come with a refusal); one
// past the size bound, or without the "[Vantix Tournament]" head and its
// version, is refused as such; every value read is one the setup dialog and
// the pages accept; and what is read, written again and read back is the
// same in every field.

#include "FuzzRequire.h"
#include "TournamentFile.h"

#include <cstdint>

namespace {
const QString Folder = QStringLiteral("/fuzz/tournament");
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const TournamentFile::Reading reading = TournamentFile::Read(content, Folder);
    if (reading.refusal != TournamentFile::Refusal::None) {
        REQUIRE(reading.settings == TournamentSettings());
        return 0;
    }
    REQUIRE(content.size() <= TournamentFile::MaxBytes);
    REQUIRE(content.toLower().contains("vantix tournament") && content.toLower().contains("version"));
    const TournamentSettings &s = reading.settings;
    REQUIRE(s.waves >= 0 && s.waves <= 255);
    REQUIRE(s.redTime >= 5 && s.redTime <= 255);
    REQUIRE(s.yellowTime >= 0 && s.yellowTime <= s.shootingTime && s.shootingTime <= 255);
    REQUIRE(s.port >= 1 && s.port <= 65535);
    REQUIRE(s.scoringEnds >= 0 && s.scoringEnds < TournamentFile::MaxEnds);
    REQUIRE(s.practiceEnds >= 0 && s.practiceEnds < TournamentFile::MaxEnds);
    REQUIRE(s.firstDetail == 0 || (s.firstDetail < s.waves && s.waves <= 3));
    REQUIRE(s.advertList.size() <= TournamentFile::MaxAdverts);
    for (const QString &picture : s.advertList)
        REQUIRE(!picture.isEmpty());

    const QByteArray written = TournamentFile::Write(s, Folder);
    const TournamentFile::Reading again = TournamentFile::Read(written, Folder);
    REQUIRE(again.refusal == TournamentFile::Refusal::None);
    REQUIRE(again.settings == s);
    return 0;
}
