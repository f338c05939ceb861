#include "uVantixStrings.h"

#include "IFileSystem.h"
#include "IniProfile.h"

#include <QFileInfo>

#include <array>

namespace uVantixStrings {

QString StartButtonStart;
QString StartButtonChangeWave;
QString StartButtonGetArrows;
QString StopTimeButton;
QString ResetWaveButton;
QString ResetTimerButton;
QString SetupButton;
QString AboutButton;
QString ExitButton;
QString BadPictureInAddError;
QString AddWillBeRemoved;
QString NoSoundFile;
QString ApplicationRunsNoSound;
QString CDError;
QString JudgeDisplay;
QString TournamentName;
QString NoOfWaves;
QString TotalTime;
QString Seconds;
QString Max;
QString YellowShootingTime;
QString RedWaitingTime;
QString CDPlayer;
QString ShowAdds;
QString Adds;
QString DeleteAddsButton;
QString AddsButton;
QString OKButton;
QString WholeNumbers;
QString TotalLessThanYellow;
QString RedLessThanFive;
QString ChoosePicture;

namespace {

constexpr const char *MainWindow = "Main Window";
constexpr const char *ErrorMessages = "Error Messages";
constexpr const char *Judge = "Judge";
constexpr const char *SetupWindow = "Setup Window";

const std::array<TextEntry, EntryCount> &table()
{
    static const std::array<TextEntry, EntryCount> entries = {{
        {"StartButtonStart", MainWindow, u"Start"_qs, u"Start"_qs, &StartButtonStart},
        {"StartButtonChangeWave", MainWindow, u"Change wave"_qs, u"Skift hold"_qs, &StartButtonChangeWave},
        {"StartButtonGetArrows", MainWindow, u"Get Arrows"_qs, u"Hent pile"_qs, &StartButtonGetArrows},
        {"StopTimeButton", MainWindow, u"Stop Time"_qs, u"Afbryd Tid"_qs, &StopTimeButton},
        {"ResetWaveButton", MainWindow, u"Reset Wave"_qs, u"Nulstil hold"_qs, &ResetWaveButton},
        {"ResetTimerButton", MainWindow, u"Reset Timer"_qs, u"Nulstil timer"_qs, &ResetTimerButton},
        {"SetupButton", MainWindow, u"Setup"_qs, u"Setup"_qs, &SetupButton},
        {"AboutButton", MainWindow, u"About"_qs, u"Om"_qs, &AboutButton},
        {"ExitButton", MainWindow, u"Exit"_qs, u"Afslut"_qs, &ExitButton},
        {"BadPictureInAddError", ErrorMessages, u"Could not open the specified add"_qs,
         u"Fejl under åbning eller visning af reklamen"_qs, &BadPictureInAddError},
        {"AddWillBeRemoved", ErrorMessages, u"Add will be removed from the list !"_qs,
         u"Pågældende filnavn bliver slettet fra listen!"_qs, &AddWillBeRemoved},
        {"NoSoundFile", ErrorMessages, u"Could not find:"_qs, u"Kunne ikke finde: "_qs, &NoSoundFile},
        {"ApplicationRunsNoSound", ErrorMessages, u"Application will run without the sound"_qs,
         u"Applikationen kører videre men uden denne lyd"_qs, &ApplicationRunsNoSound},
        {"CDError", ErrorMessages, u"There is no cd, or the cd cannot be read"_qs,
         u"Der er ingen cd i drevet, eller der er ingen cd-drev"_qs, &CDError},
        {"JudgeDisplay", Judge, u"J"_qs, u"T.K"_qs, &JudgeDisplay},
        {"TournamentName", SetupWindow, u"Tournament Name:"_qs, u"Stævnets navn:"_qs, &TournamentName},
        {"NoOfWaves", SetupWindow, u"Number of waves:"_qs, u"Antal hold:"_qs, &NoOfWaves},
        {"TotalTime", SetupWindow, u"Total shootingtime:"_qs, u"Total skydetid:"_qs, &TotalTime},
        {"Seconds", SetupWindow, u"Seconds"_qs, u"Sekunder"_qs, &Seconds},
        {"Max", SetupWindow, u"(Max 240)"_qs, u"(Max 240)"_qs, &Max},
        {"YellowShootingTime", SetupWindow, u"Yellow Shooting Time:"_qs, u"Gult Skydetid:"_qs,
         &YellowShootingTime},
        {"RedWaitingTime", SetupWindow, u"Red Waiting Time:"_qs, u"Rød ventetid:"_qs, &RedWaitingTime},
        {"CDPlayer", SetupWindow, u"CD Player:"_qs, u"CD afspiller:"_qs, &CDPlayer},
        {"ShowAdds", SetupWindow, u"Show Adds:"_qs, u"Vis reklamer:"_qs, &ShowAdds},
        {"Adds", SetupWindow, u"Adds:"_qs, u"Reklamer:"_qs, &Adds},
        {"DeleteAddsButton", SetupWindow, u"Delete"_qs, u"Slet"_qs, &DeleteAddsButton},
        {"AddsButton", SetupWindow, u"Adds"_qs, u"Reklamer"_qs, &AddsButton},
        {"OKButton", SetupWindow, u"OK"_qs, u"OK"_qs, &OKButton},
        {"WholeNumbers", ErrorMessages, u"There must be whole numbers filled in"_qs,
         u"Der skal være hele tal i felterne"_qs, &WholeNumbers},
        {"TotalLessThanYellow", ErrorMessages, u"The total time may not be less than yellow time"_qs,
         u"Den totale skydetid må ikke være mindre end gul tid"_qs, &TotalLessThanYellow},
        {"RedLessThanFive", ErrorMessages, u"Red time cannot be less than five"_qs,
         u"Rød tid må ikke være mindre end fem"_qs, &RedLessThanFive},
        {"ChoosePicture", ErrorMessages, u"Choose one or more pictures"_qs,
         u"Du skal vælge et eller flere billeder"_qs, &ChoosePicture},
    }};
    return entries;
}

} // namespace

std::span<const TextEntry> Entries()
{
    return table();
}

void LoadTextsFrom(const QString &folder)
{
    const QString path = folder + QLatin1String(LanguageFileName);
    const QFileInfo info(path);
    if (!info.exists()) {
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

void LoadTextsFromProfile(const IniProfile &profile)
{
    for (const TextEntry &entry : table())
        *entry.value = profile.value(QLatin1String(entry.section), QLatin1String(entry.key),
                                     entry.defaultText);
}

void LoadTexts()
{
    LoadTextsFrom(FileSystem::get().ProgramFolder());
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
