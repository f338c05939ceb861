// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MPlayerTypes.h"
#include "ScreenPublisher.h"
#include "TColor.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class TCounterLabel;
class TImage;
class TMediaPlayer;
class TTimer;
class TForm2;

// The values of the clock's Phase field.
enum PhaseValue : std::int32_t {
    PhaseBeforeFirstStart = 0,
    PhaseRed = 1,    // walking up to the line
    PhaseGreen = 2,  // shooting
    PhaseYellow = 3, // shooting, warning time reached
};

// The main window: the black screen with the counter or the advert picture,
// and the timekeeper's row of buttons. The clock's state lives here as plain
// fields, and the handlers carry out the shooting sequence.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Components, named as in the window layout.
    TCounterLabel *SekunderTilbage = nullptr;
    TImage *Billede = nullptr;
    QWidget *Panel1 = nullptr;
    TTimer *Timer1 = nullptr;
    QPushButton *StartKnap = nullptr;
    QPushButton *Afbryd_TidKnap = nullptr;
    QPushButton *nulstilleknap = nullptr;
    QPushButton *nulstilholdknap = nullptr;
    QPushButton *SetupKnap = nullptr;
    QPushButton *OmKnap = nullptr;
    QPushButton *AfslutKnap = nullptr;
    TMediaPlayer *CdAfspiller = nullptr;
    // Gives a stopped wave back the time it had left; made by the tournament
    // rules when they are attached, null otherwise.
    QPushButton *ResumeKnap = nullptr;

    // What the archers see, announced on every change of the counter or the
    // picture area; every view of the clock draws from it.
    ScreenPublisher *Published = nullptr;

    // The clock's state. The 8-bit fields wrap modulo 256.
    std::uint8_t SecondsLeft = 0;
    std::uint8_t ShootingTime = 0;
    std::uint8_t YellowTime = 0;
    std::uint8_t RedTime = 0;
    std::uint8_t WavesLeft = 0;
    std::uint8_t NumberOfWaves = 0;
    QString StartCaptionBefore;
    std::int32_t Phase = 0;

    // The advert rotation's state.
    bool AddsOn = false;
    std::int32_t AddCount = 0;
    std::int32_t AddIndex = 0;
    QString AddFileName;

    // The folder of the program file, with its trailing separator.
    QString ProgramFolder;

    // Start-up and layout.
    void FormCreate();
    void SetCaptions();
    void FormResize();
    void FitCounterFont();
    void AfslutKnapClick();
    void CheckSoundFiles(const QString &folder);

    // The shooting sequence.
    void StartKnapClick();
    void Timer1Timer();
    void Afbryd_TidKnapClick();
    void nulstilleknapClick();
    void nulstilholdknapClick();
    void InitScreenShooting();
    void InitScreenKlar();

    // The ready screen's picture and the settings of the setup dialog.
    void VisReklamer();
    void SetupKnapClick();
    // What the closing of the setup dialog hands the clock, also when a
    // tournament file fills the dialog without showing it.
    void ApplySetup();
    void CdAfspillerPostClick(QObject *Sender, TMPBtnType Button);
    void OmKnapClick();

    // The setup dialog, created after the main window; the main window reads
    // its settings, its CD option and its advert list.
    TForm2 *Form2 = nullptr;
    void AttachSetupDialog(TForm2 *dialog);

    // The advert list of the setup dialog, read and pruned by the rotation.
    void SetAdvertList(QListWidget *list) { advertList = list; }
    QListWidget *AdvertList() const { return advertList; }

    // The counter's font size in points as the rule gives it; may be zero or
    // less for a very low window, which the counter then draws at one point.
    int CounterFontSize() const { return counterFontSize; }
    TColor CounterColor() const { return counterColor; }
    void SetCounterColor(TColor color);

signals:
    // Moments of the sequence, announced at the end of the handler or branch
    // that makes them, for what runs beside the clock.
    void waveStarted();
    void endFinished();
    void endAbandoned();
    void wavePutBack();
    // The count and phase that Stop time interrupted.
    void timeStopped(int interruptedCount, int interruptedPhase);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The CD player behind the setup dialog's CD option: open the player and
    // show its strip, false on any failure; close it and hide the strip.
    bool OpenCdPlayer();
    void CloseCdPlayer();

    void createComponents();
    void createCdPlayer();
    QPushButton *createButton(int left, int top, bool anchoredRight);
    void layoutComponents();
    void setCounterText(int value);
    void publishScreen();

    struct Anchor
    {
        QWidget *widget;
        int left;
        int top;
        bool right;
    };
    std::vector<Anchor> anchors;
    QListWidget *advertList = nullptr;
    int counterFontSize = 0;
    TColor counterColor = clRed;
};
