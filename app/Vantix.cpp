// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: installs the real platform services, creates the main
// window and then the setup dialog, and runs until the main window closes.

#include "AdvertPreparer.h"
#include "AudienceScreens.h"
#include "AudienceSetup.h"
#include "AnnouncingSoundPlayer.h"
#include "CdAudioDevice.h"
#include "CommandLine.h"
#include "DesktopShell.h"
#include "EmergencyStop.h"
#include "FinalsMode.h"
#include "FinalsSetup.h"
#include "LocalFileSystem.h"
#include "NetworkPage.h"
#include "QtFileDialog.h"
#include "QtAudioSink.h"
#include "QtMessageBoxes.h"
#include "QtSoundPlayer.h"
#include "RoundsPage.h"
#include "RunningProgramFile.h"
#include "TournamentSetup.h"
#include "TournamentRules.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QApplication>
#include <QCheckBox>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The command line is read before the window system is reached, so that
    // --help and --version answer on a console without a display, and a
    // wrong option ends the program before any window opens.
    const CommandLine commandLine = CommandLine::Parse(CommandLine::Arguments(argc, argv));
    if (!commandLine.run) {
        std::fputs(commandLine.output.toLocal8Bit().constData(), commandLine.exitCode == 0 ? stdout : stderr);
        return commandLine.exitCode;
    }

    QApplication app(argc, argv);
    // The program's title for the desktop; window captions stay as each window sets them.
    QApplication::setApplicationName(QStringLiteral("FletchWise Pilvagt"));
    // Every window carries the program's icon; the desktop matches its
    // windows to the launcher vantix.desktop.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantix/vantix.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("vantix"));

    LocalFileSystem fileSystem;
    FileSystem::install(&fileSystem);
    QtMessageBoxes messageBoxes;
    MessageBoxes::install(&messageBoxes);
    QtFileDialog fileDialog;
    FileDialog::install(&fileDialog);
    DesktopShell shell;
    Shell::install(&shell);
    RunningProgramFile programFile;
    ProgramFile::install(&programFile);
    // The horn signals are read once, from the program's folder, where the
    // main window's start-up check looks for them.
    QtSoundPlayer soundPlayer(fileSystem.ProgramFolder(), QtSoundPlayer::hornNames() << EmergencyStop::SignalFile);
    // Every signal is also announced, for the horns of the web pages.
    AnnouncingSoundPlayer announcedSound(&soundPlayer);
    SoundPlayer::install(&announcedSound);
    // The CD player strip's device: the computer's own CD drive, heard
    // through the default audio output.
    CdAudioDevice cdAudio(QString(), QtAudioSink::Factory());
    MciDevices::install(&cdAudio);

    TForm1 form1;
    // The setup dialog comes second: its captions need the texts the main
    // window loaded. The main window owns it, so it lives until the end.
    form1.AttachSetupDialog(new TForm2(&form1));
    // Round presets, detail letters, the end counter and the emergency stop.
    auto *rules = new TournamentRules(form1, *form1.Form2);
    // The next advert is decoded while an end runs, so the ready screen and
    // its three blasts come on time.
    AdvertPreparer advertPreparer;
    advertPreparer.Attach(&form1);
    // The audience display, its screens page and the keys; the display
    // opens at once on a screen named on the command line.
    auto *audience = new AudienceSetup(form1, form1.Form2);
    if (!commandLine.audienceScreen.isEmpty() && !audience->Screens->ChooseByArgument(commandLine.audienceScreen))
        std::fprintf(stderr, "vantix: --audience=%s: no such screen is connected now\n",
                     commandLine.audienceScreen.toLocal8Bit().constData());
    // Finals, alternate shooting with a clock for each side: off until
    // switched on on the options page "Finals".
    FinalsMode *finals = AttachFinals(form1, form1.Form2, audience->Keys, rules->Page->EmergencyStop);
    // Web browsers on the local network: off until switched on here or on
    // the options page "Network".
    auto *networkPage = new NetworkPage(form1, &announcedSound, fileSystem.ProgramFolder());
    networkPage->AllowRemote(finals->Buttons());
    form1.Form2->AddOptionsPage(networkPage, uVantixStrings::NetworkPageName);
    if (commandLine.serve && !networkPage->Serve(commandLine.port))
        std::fprintf(stderr, "vantix: %s\n", networkPage->StatusText().toLocal8Bit().constData());
    // The tournament file: the options page "Tournament", and the file named
    // on the command line (or double-clicked), opened once the window shows.
    auto *tournament = new TournamentSetup(form1, *form1.Form2, *rules, audience->Screens, networkPage, audience->Keys);
    form1.show();
    if (!commandLine.tournamentFile.isEmpty())
        tournament->Document.Open(commandLine.tournamentFile);
    return app.exec();
}
