// SPDX-License-Identifier: GPL-3.0-or-later
// The language file: any bytes at all go through the reader into the text table.
// Must hold: 32 entries, each at most 2047 characters, and an entry whose key
// the file never names keeps its English default.

#include "IniProfile.h"
#include "uVantixStrings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniProfile profile;
    profile.parse(content);
    uVantixStrings::LoadTextsFromProfile(profile);
    const QByteArray folded = content.toLower();
    int entries = 0;
    for (const uVantixStrings::TextEntry &entry : uVantixStrings::Entries()) {
        ++entries;
        if (entry.value->size() > IniProfile::MaxValueLength)
            std::abort();
        if (!folded.contains(QByteArray(entry.key).toLower()) && *entry.value != entry.defaultText)
            std::abort();
    }
    if (entries != uVantixStrings::EntryCount)
        std::abort();
    return 0;
}
