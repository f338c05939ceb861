// SPDX-License-Identifier: GPL-3.0-or-later
#include "uVantixStrings.h"

#include "IniProfile.h"
#include "LocalFileSystem.h"

#include <array>

namespace uVantixStrings {

#define VANTIX_DEFINE_TEXT(key, section, english, danish) QString key;
VANTIX_TEXTS(VANTIX_DEFINE_TEXT)
VANTIX_OPTION_TEXTS(VANTIX_DEFINE_TEXT)
#undef VANTIX_DEFINE_TEXT

namespace {

constexpr const char *MainWindow = "Main Window";
constexpr const char *ErrorMessages = "Error Messages";
constexpr const char *Judge = "Judge";
constexpr const char *SetupWindow = "Setup Window";
// The additions' sections, one for each capability.
constexpr const char *Options = "Options";
constexpr const char *Finals = "Finals";
constexpr const char *Rounds = "Rounds";
constexpr const char *Screens = "Screens";
constexpr const char *Network = "Network";
constexpr const char *Tournament = "Tournament";

#define VANTIX_TEXT_ENTRY(key, section, english, danish) \
    {#key, section, QStringLiteral(english), QStringLiteral(danish), &key},

const std::array<TextEntry, EntryCount> &table()
{
    static const std::array<TextEntry, EntryCount> entries = {{VANTIX_TEXTS(VANTIX_TEXT_ENTRY)}};
    return entries;
}

const std::array<TextEntry, OptionEntryCount> &optionTable()
{
    static const std::array<TextEntry, OptionEntryCount> entries = {
        {VANTIX_OPTION_TEXTS(VANTIX_TEXT_ENTRY)}};
    return entries;
}

#undef VANTIX_TEXT_ENTRY

// Both tables, the 32 first, in the order in which they are loaded.
template <typename Visit> void forEachEntry(Visit visit)
{
    for (const TextEntry &entry : table())
        visit(entry);
    for (const TextEntry &entry : optionTable())
        visit(entry);
}

} // namespace

std::span<const TextEntry> Entries()
{
    return table();
}

std::span<const TextEntry> OptionEntries()
{
    return optionTable();
}

void LoadTextsFrom(const QString &folder, IFileSystem &files)
{
    const QString path = folder + QLatin1String(LanguageFileName);
    // Only a file is a language file: a folder of that name is as good as none.
    if (!files.FileExists(path)) {
        forEachEntry([](const TextEntry &entry) { *entry.value = entry.builtinText; });
        return;
    }
    // A file that is there but cannot be read gives an empty profile, so every
    // entry takes its English default.
    IniProfile profile;
    profile.load(path);
    LoadTextsFromProfile(profile);
}

void LoadTextsFrom(const QString &folder)
{
    LocalFileSystem disk;
    LoadTextsFrom(folder, disk);
}

void LoadTextsFromProfile(const IniProfile &profile)
{
    forEachEntry([&profile](const TextEntry &entry) {
        *entry.value = profile.value(QLatin1String(entry.section), QLatin1String(entry.key),
                                     entry.defaultText);
    });
}

void LoadTexts()
{
    IFileSystem &files = FileSystem::get();
    LoadTextsFrom(files.ProgramFolder(), files);
}

void ClearTexts()
{
    forEachEntry([](const TextEntry &entry) { entry.value->clear(); });
}

QString Text(const QString &key)
{
    QString text;
    forEachEntry([&](const TextEntry &entry) {
        if (key == QLatin1String(entry.key))
            text = *entry.value;
    });
    return text;
}

} // namespace uVantixStrings
