#pragma once

#include <QString>

#include <span>

class IniProfile;

// The table of the program's 32 interface texts. Filled once at start-up by
// LoadTexts, from "vantix.lng" in the program's folder when it exists, else
// from the built-in Danish texts; read-only afterwards.
namespace uVantixStrings {

extern QString StartButtonStart;
extern QString StartButtonChangeWave;
extern QString StartButtonGetArrows;
extern QString StopTimeButton;
extern QString ResetWaveButton;
extern QString ResetTimerButton;
extern QString SetupButton;
extern QString AboutButton;
extern QString ExitButton;
extern QString BadPictureInAddError;
extern QString AddWillBeRemoved;
extern QString NoSoundFile;
extern QString ApplicationRunsNoSound;
extern QString CDError;
extern QString JudgeDisplay;
extern QString TournamentName;
extern QString NoOfWaves;
extern QString TotalTime;
extern QString Seconds;
extern QString Max;
extern QString YellowShootingTime;
extern QString RedWaitingTime;
extern QString CDPlayer;
extern QString ShowAdds;
extern QString Adds;
extern QString DeleteAddsButton;
extern QString AddsButton;
extern QString OKButton;
extern QString WholeNumbers;
extern QString TotalLessThanYellow;
extern QString RedLessThanFive;
extern QString ChoosePicture;

struct TextEntry
{
    const char *key;
    const char *section;
    QString defaultText; // used when the language file exists but lacks the key
    QString builtinText; // used when there is no language file
    QString *value;
};

inline constexpr int EntryCount = 32;
inline constexpr const char *LanguageFileName = "vantix.lng";

// The entries in the order in which they are loaded.
std::span<const TextEntry> Entries();

// Fills the table from the language file in the program's folder.
void LoadTexts();
// Fills the table from "vantix.lng" in the given folder (with its trailing separator).
void LoadTextsFrom(const QString &folder);
// Fills the table from a language file already read.
void LoadTextsFromProfile(const IniProfile &profile);
// Empties every entry, as before LoadTexts.
void ClearTexts();
// The current text of the entry with this key; empty for an unknown key.
QString Text(const QString &key);

} // namespace uVantixStrings
