#include "uVantixStrings.h"

#include "IniProfile.h"
#include "LocalFileSystem.h"

#include <array>

namespace uVantixStrings {

#define VANTIX_DEFINE_TEXT(key, section, english, danish) QString key;
VANTIX_TEXTS(VANTIX_DEFINE_TEXT)
#undef VANTIX_DEFINE_TEXT

namespace {

constexpr const char *MainWindow = "Main Window";
constexpr const char *ErrorMessages = "Error Messages";
constexpr const char *Judge = "Judge";
constexpr const char *SetupWindow = "Setup Window";

const std::array<TextEntry, EntryCount> &table()
{
#define VANTIX_TEXT_ENTRY(key, section, english, danish) \
    {#key, section, QStringLiteral(english), QStringLiteral(danish), &key},
    static const std::array<TextEntry, EntryCount> entries = {{VANTIX_TEXTS(VANTIX_TEXT_ENTRY)}};
#undef VANTIX_TEXT_ENTRY
    return entries;
}

} // namespace

std::span<const TextEntry> Entries()
{
    return table();
}

void LoadTextsFrom(const QString &folder, IFileSystem &files)
{
    const QString path = folder + QLatin1String(LanguageFileName);
    // Only a file is a language file: a folder of that name is as good as none.
    if (!files.FileExists(path)) {
        for (const TextEntry &entry : table())
            *entry.value = entry.builtinText;
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
    for (const TextEntry &entry : table())
        *entry.value = profile.value(QLatin1String(entry.section), QLatin1String(entry.key),
                                     entry.defaultText);
}

void LoadTexts()
{
    IFileSystem &files = FileSystem::get();
    LoadTextsFrom(files.ProgramFolder(), files);
}

void ClearTexts()
{
    for (const TextEntry &entry : table())
        entry.value->clear();
}

QString Text(const QString &key)
{
    for (const TextEntry &entry : table()) {
        if (key == QLatin1String(entry.key))
            return *entry.value;
    }
    return {};
}

} // namespace uVantixStrings
