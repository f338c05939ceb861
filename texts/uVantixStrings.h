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
    X(FinalsPageTitle, Finals, "Finals", "Finaler") \
    X(FinalsModeOption, Finals, "Run finals: alternate shooting, a clock for each side", "Kør finaler: skiftevis skydning, et ur til hver side") \
    X(FinalsKindLabel, Finals, "Kind of match:", "Kamptype:") \
    X(FinalsIndividual, Finals, "Individual", "Individuel") \
    X(FinalsTeam, Finals, "Team", "Hold") \
    X(FinalsMixedTeam, Finals, "Mixed team", "Mixhold") \
    X(FinalsShootOffIndividual, Finals, "Shoot-off, individual", "Omskydning, individuel") \
    X(FinalsShootOffTeam, Finals, "Shoot-off, team", "Omskydning, hold") \
    X(FinalsShootOffMixedTeam, Finals, "Shoot-off, mixed team", "Omskydning, mixhold") \
    X(FinalsTimeLabel, Finals, "Time of a side (seconds):", "Tid for en side (sekunder):") \
    X(FinalsWarningLabel, Finals, "Yellow at (seconds, 0 = none):", "Gul ved (sekunder, 0 = ingen):") \
    X(FinalsWalkUpLabel, Finals, "Red walk-up (seconds):", "Rød fremgang (sekunder):") \
    X(FinalsArrowsLabel, Finals, "Arrows of a side in an end:", "Pile for en side i en runde:") \
    X(FinalsArrowsPerTurnLabel, Finals, "Arrows of a turn:", "Pile pr. tur:") \
    X(FinalsCarryOver, Finals, "A side keeps the time it had left for its next turn", "En side beholder sin resttid til næste tur") \
    X(FinalsStartingSide, Finals, "Side that starts:", "Side der starter:") \
    X(FinalsLeft, Finals, "Left", "Venstre") \
    X(FinalsRight, Finals, "Right", "Højre") \
    X(FinalsStartButton, Finals, "Start end", "Start runde") \
    X(FinalsSwitchButton, Finals, "Switch", "Skift side") \
    X(FinalsLeftStartsButton, Finals, "Left starts", "Venstre starter") \
    X(FinalsRightStartsButton, Finals, "Right starts", "Højre starter") \
    X(FinalsResumeButton, Finals, "Resume", "Fortsæt") \
    X(OptionsTitle, Options, "Options", "Indstillinger") \
    X(OptionsClose, Options, "Close", "Luk") \
    X(RoundsPageTitle, Rounds, "Rounds", "Runder") \
    X(RoundLabel, Rounds, "Round:", "Runde:") \
    X(RoundChoose, Rounds, "Choose a round to fill in its times...", \
      "Vælg en runde for at udfylde dens tider...") \
    X(RoundOutdoor, Rounds, "Outdoor, 6 arrows", "Udendørs, 6 pile") \
    X(RoundIndoor, Rounds, "Indoor, 3 arrows", "Indendørs, 3 pile") \
    X(RoundSets, Rounds, "Individual elimination, 3 arrows (sets)", "Individuel eliminering, 3 pile (sæt)") \
    X(RoundTeam, Rounds, "Team, 6 arrows", "Hold, 6 pile") \
    X(RoundMixedTeam, Rounds, "Mixed team, 4 arrows", "Mixed hold, 4 pile") \
    X(RoundShootOff, Rounds, "Shoot-off, 1 arrow", "Omskydning, 1 pil") \
    X(DetailsGroup, Rounds, "Details", "Skydegrupper") \
    X(ShowDetail, Rounds, "Show which detail shoots (AB, CD, EF)", \
      "Vis hvilken gruppe der skyder (AB, CD, EF)") \
    X(RotateDetails, Rounds, "Alternate the order every end (AB-CD, then CD-AB)", \
      "Skift rækkefølgen hver serie (AB-CD, så CD-AB)") \
    X(EndsGroup, Rounds, "Ends", "Serier") \
    X(ShowEndNumber, Rounds, "Show the end number in the button row", "Vis seriens nummer i knaprækken") \
    X(EndNumberToArchers, Rounds, "Show the end number to the archers as well", \
      "Vis også seriens nummer for skytterne") \
    X(PracticeEnds, Rounds, "practice (the following ends are P1, P2, ...)", \
      "prøveserier (de følgende serier er P1, P2, ...)") \
    X(ResetEndCount, Rounds, "&Reset end count", "&Nulstil serietælling") \
    X(EmergencyGroup, Rounds, "Emergency stop", "Nødstop") \
    X(EmergencyStopOption, Rounds, "Stop time sounds five short blasts; Resume gives the wave its time back", \
      "Afbryd Tid giver fem korte signaler; Fortsæt giver holdet dets tid tilbage") \
    X(ResumeButton, Rounds, "Resume", "Fortsæt") \
    X(EndNumberLabel, Rounds, "End %1", "Serie %1") \
    X(ScreensPageTitle, Screens, "Screens", "Skærme") \
    X(AudienceDisplayLabel, Screens, "Audience display:", "Publikumsskærm:") \
    X(ScreensHint, Screens, \
      "The archers' screen shows the counter or the picture alone, full screen. Ctrl+D opens and closes it, F11 shows this window full screen.", \
      "Skytternes skærm viser kun tælleren eller billedet, i fuld skærm. Ctrl+D åbner og lukker den, F11 viser dette vindue i fuld skærm.") \
    X(ScreenNone, Screens, "None", "Ingen") \
    X(ScreenNotConnected, Screens, "%1 (not connected)", "%1 (ikke tilsluttet)") \
    X(AudienceRefused, Screens, "%1 holds this window: the audience display does not open there.", \
      "%1 viser dette vindue: publikumsskærmen åbnes ikke der.") \
    X(NetworkPageName, Network, "Network", "Netværk") \
    X(NetworkServe, Network, "Serve the clock to web browsers on the local network", \
      "Vis uret i webbrowsere på det lokale netværk") \
    X(NetworkPort, Network, "Port:", "Port:") \
    X(NetworkNothingServed, Network, "Nothing is served; nothing listens on the network.", \
      "Intet vises; intet lytter på netværket.") \
    X(NetworkPortFailed, Network, "Port %1 could not be opened: %2", "Port %1 kunne ikke åbnes: %2") \
    X(NetworkNoAddress, Network, "(no network address yet)", "(ingen netværksadresse endnu)") \
    X(NetworkTypeOnDisplay, Network, "Type on a display: %1", "Skriv på en skærm: %1") \
    X(NetworkRemoteControl, Network, "Remote control: add remote to the address, PIN %1", \
      "Fjernbetjening: tilføj remote til adressen, PIN %1") \
    X(NetworkPinAnew, Network, "The PIN is drawn anew each time the server starts.", \
      "PIN-koden trækkes på ny, hver gang serveren starter.") \
    X(NetworkOnTheNetwork, Network, "on the network:", "på netværket:") \
    X(NetworkFollowCode, Network, "Scan to follow the clock", "Skan for at følge uret") \
    X(NetworkRemoteCode, Network, "Scan for the remote control (then type the PIN)", \
      "Skan for fjernbetjeningen (skriv så PIN-koden)") \
    X(NetworkNoConnection, Network, "no connection", "ingen forbindelse") \
    X(NetworkHornsOff, Network, "Horns off: tap to switch on", "Horn slået fra: tryk for at slå til") \
    X(NetworkHornsOn, Network, "Horns on", "Horn slået til") \
    X(NetworkPin, Network, "PIN", "PIN") \
    X(NetworkUnlock, Network, "Unlock", "Lås op") \
    X(NetworkWrongPin, Network, "Wrong PIN.", "Forkert PIN.") \
    X(NetworkWaitPin, Network, "Too many wrong PINs: wait and try again.", \
      "For mange forkerte PIN-koder: vent og prøv igen.") \
    X(NetworkNotPressed, Network, \
      "Not pressed: the clock has changed, or a window is open on the timekeeper's computer.", \
      "Ikke trykket: uret har ændret sig, eller et vindue er åbent på tidtagerens computer.") \
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
