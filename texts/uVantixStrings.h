// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <span>

class IFileSystem;
class IniProfile;

// The table of the program's 32 interface texts. Filled once at start-up by
// LoadTexts, from "vantix.lng" in the program's folder when it exists, else
// from the built-in Danish texts; read-only afterwards.
namespace uVantixStrings {

// Every text once, in the order in which they are loaded: its key (also the
// name of its variable), its section in the language file, the English
// default for a language file that lacks the key, and the built-in Danish
// text for when there is no language file.
#define VANTIX_TEXTS(X) \
    X(StartButtonStart, MainWindow, "Start", "Start") \
    X(StartButtonChangeWave, MainWindow, "Change wave", "Skift hold") \
    X(StartButtonGetArrows, MainWindow, "Get Arrows", "Hent pile") \
    X(StopTimeButton, MainWindow, "Stop Time", "Afbryd Tid") \
    X(ResetWaveButton, MainWindow, "Reset Wave", "Nulstil hold") \
    X(ResetTimerButton, MainWindow, "Reset Timer", "Nulstil timer") \
    X(SetupButton, MainWindow, "Setup", "Setup") \
    X(AboutButton, MainWindow, "About", "Om") \
    X(ExitButton, MainWindow, "Exit", "Afslut") \
    X(BadPictureInAddError, ErrorMessages, "Could not open the specified add", \
      "Fejl under åbning eller visning af reklamen") \
    X(AddWillBeRemoved, ErrorMessages, "Add will be removed from the list !", \
      "Pågældende filnavn bliver slettet fra listen!") \
    X(NoSoundFile, ErrorMessages, "Could not find:", "Kunne ikke finde: ") \
    X(ApplicationRunsNoSound, ErrorMessages, "Application will run without the sound", \
      "Applikationen kører videre men uden denne lyd") \
    X(CDError, ErrorMessages, "There is no cd, or the cd cannot be read", \
      "Der er ingen cd i drevet, eller der er ingen cd-drev") \
    X(JudgeDisplay, Judge, "J", "T.K") \
    X(TournamentName, SetupWindow, "Tournament Name:", "Stævnets navn:") \
    X(NoOfWaves, SetupWindow, "Number of waves:", "Antal hold:") \
    X(TotalTime, SetupWindow, "Total shootingtime:", "Total skydetid:") \
    X(Seconds, SetupWindow, "Seconds", "Sekunder") \
    X(Max, SetupWindow, "(Max 240)", "(Max 240)") \
    X(YellowShootingTime, SetupWindow, "Yellow Shooting Time:", "Gult Skydetid:") \
    X(RedWaitingTime, SetupWindow, "Red Waiting Time:", "Rød ventetid:") \
    X(CDPlayer, SetupWindow, "CD Player:", "CD afspiller:") \
    X(ShowAdds, SetupWindow, "Show Adds:", "Vis reklamer:") \
    X(Adds, SetupWindow, "Adds:", "Reklamer:") \
    X(DeleteAddsButton, SetupWindow, "Delete", "Slet") \
    X(AddsButton, SetupWindow, "Adds", "Reklamer") \
    X(OKButton, SetupWindow, "OK", "OK") \
    X(WholeNumbers, ErrorMessages, "There must be whole numbers filled in", \
      "Der skal være hele tal i felterne") \
    X(TotalLessThanYellow, ErrorMessages, "The total time may not be less than yellow time", \
      "Den totale skydetid må ikke være mindre end gul tid") \
    X(RedLessThanFive, ErrorMessages, "Red time cannot be less than five", \
      "Rød tid må ikke være mindre end fem") \
    X(ChoosePicture, ErrorMessages, "Choose one or more pictures", \
      "Du skal vælge et eller flere billeder")

// The texts of what the program offers beside the main window's own controls
// (the Options dialog and its pages, the buttons, keys and views the options
// add). Each capability keeps its texts in a section of its own after the
// four above, so a language file written for the 32 texts alone still reads
// as before: the sections it lacks give the English defaults, and without a
// language file every text is the Danish built-in, as for the 32.
#define VANTIX_OPTION_TEXTS(X) \
    X(OptionsButton, Options, "&Options...", "&Indstillinger...") \
    VANTIX_TOURNAMENT_TEXTS(X)

// The tournament file, where the tournament stands, and true seconds.
#define VANTIX_TOURNAMENT_TEXTS(X) \
    X(TournamentPageTitle, Tournament, "Tournament", "Stævne") \
    X(TournamentFileLabel, Tournament, "Tournament file:", "Stævnefil:") \
    X(TournamentNoFile, Tournament, "none: nothing is stored until you save", "ingen: intet gemmes, før du gemmer") \
    X(TournamentOpenButton, Tournament, "&Open...", "&Åbn...") \
    X(TournamentSaveButton, Tournament, "&Save", "&Gem") \
    X(TournamentSaveAsButton, Tournament, "Save &as...", "Gem &som...") \
    X(TournamentStandingGroup, Tournament, "Where the tournament stands", "Hvor langt stævnet er") \
    X(TournamentNextEnd, Tournament, "Next end:", "Næste serie:") \
    X(TournamentFirstDetail, Tournament, "First detail of the next end:", "Første hold i næste serie:") \
    X(TournamentEndUp, Tournament, "End &+1", "Serie &+1") \
    X(TournamentEndDown, Tournament, "End &-1", "Serie &-1") \
    X(TournamentOtherDetail, Tournament, "Other &detail first", "Andet &hold først") \
    X(TournamentOpenTitle, Tournament, "Open tournament", "Åbn stævne") \
    X(TournamentSaveTitle, Tournament, "Save tournament as", "Gem stævne som") \
    X(TournamentFilter, Tournament, "Tournament files", "Stævnefiler") \
    X(TournamentAllFiles, Tournament, "All files", "Alle filer") \
    X(TournamentNotAFile, Tournament, "This is not a tournament file:", "Dette er ikke en stævnefil:") \
    X(TournamentTooLarge, Tournament, "The file is too large to be a tournament file:", \
      "Filen er for stor til at være en stævnefil:") \
    X(TournamentOutOfRange, Tournament, "The tournament file holds a value out of range:", \
      "Stævnefilen har en værdi uden for det tilladte:") \
    X(TournamentCannotRead, Tournament, "The file cannot be read:", "Filen kan ikke læses:") \
    X(TournamentNothingChanged, Tournament, "Nothing was changed.", "Intet blev ændret.") \
    X(TournamentCannotWrite, Tournament, "The tournament file cannot be written:", \
      "Stævnefilen kan ikke skrives:") \
    X(TournamentPartlyUsed, Tournament, "The tournament file was opened; this could not be used:", \
      "Stævnefilen blev åbnet; dette kunne ikke bruges:") \
    X(TournamentMissingPicture, Tournament, "missing picture:", "billede mangler:") \
    X(TournamentUnknownScreen, Tournament, "screen not connected:", "skærm ikke tilsluttet:") \
    X(TournamentUnknownRound, Tournament, "unknown round:", "ukendt runde:") \
    X(TournamentNoServer, Tournament, "web server:", "webserver:") \
    X(TrueSeconds, Tournament, "Count true seconds (ticks of 1000 ms, not 988 ms)", \
      "Tæl rigtige sekunder (1000 ms, ikke 988 ms)")

#define VANTIX_DECLARE_TEXT(key, section, english, danish) extern QString key;
VANTIX_TEXTS(VANTIX_DECLARE_TEXT)
VANTIX_OPTION_TEXTS(VANTIX_DECLARE_TEXT)
#undef VANTIX_DECLARE_TEXT

struct TextEntry
{
    const char *key;
    const char *section;
    QString defaultText; // used when the language file exists but lacks the key
    QString builtinText; // used when there is no language file
    QString *value;
};

#define VANTIX_COUNT_TEXT(key, section, english, danish) +1
inline constexpr int EntryCount = 0 VANTIX_TEXTS(VANTIX_COUNT_TEXT);
inline constexpr int OptionEntryCount = 0 VANTIX_OPTION_TEXTS(VANTIX_COUNT_TEXT);
#undef VANTIX_COUNT_TEXT
inline constexpr const char *LanguageFileName = "vantix.lng";

// The 32 entries in the order in which they are loaded.
std::span<const TextEntry> Entries();
// The entries of the additions, loaded after the 32 from the same file.
std::span<const TextEntry> OptionEntries();

// Fills the table from the language file in the program's folder, as the
// installed file system sees it.
void LoadTexts();
// Fills the table from "vantix.lng" in the given folder (with its trailing
// separator) on the given file system, or on the real disk.
void LoadTextsFrom(const QString &folder, IFileSystem &files);
void LoadTextsFrom(const QString &folder);
// Fills the table from a language file already read.
void LoadTextsFromProfile(const IniProfile &profile);
// Empties every entry, as before LoadTexts.
void ClearTexts();
// The current text of the entry with this key; empty for an unknown key.
QString Text(const QString &key);

} // namespace uVantixStrings
