// SPDX-License-Identifier: GPL-3.0-or-later
#include "Unit1.h"

#include "IFileSystem.h"
#include "IMessageBoxes.h"
#include "ISoundPlayer.h"
#include "MPlayer.h"
#include "TCounterLabel.h"
#include "TImage.h"
#include "TTimer.h"
#include "Unit2.h"
#include "Unit3.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <exception>

using namespace uVantixStrings;

namespace {

constexpr int DesignClientWidth = 644;
constexpr int DesignClientHeight = 485;
constexpr int PanelHeight = 55;
constexpr int ButtonWidth = 89;
constexpr int ButtonHeight = 22;
constexpr int TickInterval = 988;

// The window layout names Windows fonts; these are their metric twins here.
void mapFonts()
{
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

void setBlackBackground(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TForm1::TForm1(QWidget *parent) : QWidget(parent)
{
    mapFonts();
    createComponents();
    FormCreate();
    publishScreen();
}

TForm1::~TForm1()
{
    // The CD player strip lets go of its device as it goes; it goes first,
    // while everything it talks to is still there.
    delete CdAfspiller;
    CdAfspiller = nullptr;
}

void TForm1::createComponents()
{
    setWindowTitle(QStringLiteral("FletchWise "));
    setBlackBackground(this);
    move(223, 141);
    resize(DesignClientWidth, DesignClientHeight);

    SekunderTilbage = new TCounterLabel(QStringLiteral("20"), this);
    QPalette counterPalette = SekunderTilbage->palette();
    counterPalette.setColor(QPalette::Window, Qt::black);
    SekunderTilbage->setPalette(counterPalette);
    QFont counterFont(QStringLiteral("Arial Narrow"));
    counterFont.setBold(true);
    counterFont.setPixelSize(400);
    SekunderTilbage->setFont(counterFont);
    SekunderTilbage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetCounterColor(clRed);

    Billede = new TImage(this);

    Panel1 = new QWidget(this);
    setBlackBackground(Panel1);

    Timer1 = new TTimer(this);
    Timer1->SetInterval(TickInterval);
    // A tick and a press of a sequence button each show the archers only
    // what they end with.
    Timer1->OnTimer = [this] {
        ScreenPublisher::Batch once(Published);
        Timer1Timer();
    };

    StartKnap = createButton(16, 28, false);
    Afbryd_TidKnap = createButton(112, 28, false);
    nulstilleknap = createButton(224, 28, false);
    nulstilholdknap = createButton(224, 4, false);
    SetupKnap = createButton(320, 28, true);
    OmKnap = createButton(416, 28, true);
    AfslutKnap = createButton(544, 28, true);
    Afbryd_TidKnap->hide();
    nulstilleknap->hide();
    nulstilholdknap->hide();

    connect(StartKnap, &QPushButton::clicked, this, [this] {
        ScreenPublisher::Batch once(Published);
        StartKnapClick();
    });
    connect(Afbryd_TidKnap, &QPushButton::clicked, this, [this] {
        ScreenPublisher::Batch once(Published);
        Afbryd_TidKnapClick();
    });
    connect(nulstilleknap, &QPushButton::clicked, this, [this] {
        ScreenPublisher::Batch once(Published);
        nulstilleknapClick();
    });
    connect(nulstilholdknap, &QPushButton::clicked, this, [this] {
        ScreenPublisher::Batch once(Published);
        nulstilholdknapClick();
    });
    connect(SetupKnap, &QPushButton::clicked, this, [this] { SetupKnapClick(); });
    connect(OmKnap, &QPushButton::clicked, this, [this] { OmKnapClick(); });
    connect(AfslutKnap, &QPushButton::clicked, this, [this] { AfslutKnapClick(); });

    createCdPlayer();
    Published = new ScreenPublisher(this);
    connect(SekunderTilbage, &TCounterLabel::changed, this, [this] { publishScreen(); });
    connect(Billede, &TImage::changed, this, [this] { publishScreen(); });
    setTabOrder(StartKnap, CdAfspiller);
    setTabOrder(CdAfspiller, Afbryd_TidKnap);
    setTabOrder(Afbryd_TidKnap, nulstilleknap);
    setTabOrder(nulstilleknap, nulstilholdknap);
    setTabOrder(nulstilholdknap, SetupKnap);
    setTabOrder(SetupKnap, OmKnap);
    setTabOrder(OmKnap, AfslutKnap);
    layoutComponents();
}

void TForm1::createCdPlayer()
{
    CdAfspiller = new TMediaPlayer(Panel1);
    CdAfspiller->SetDeviceType(dtCDAudio);
    CdAfspiller->SetVisibleButtons({btPlay, btPause, btStop, btNext, btPrev});
    CdAfspiller->setGeometry(16, 1, 141, 22);
    CdAfspiller->hide();
    CdAfspiller->OnPostClick = [this](QObject *sender, TMPBtnType button) { CdAfspillerPostClick(sender, button); };
    anchors.push_back({CdAfspiller, 16, 1, false});
}

QPushButton *TForm1::createButton(int left, int top, bool anchoredRight)
{
    auto *button = new QPushButton(Panel1);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
    button->setGeometry(left, top, ButtonWidth, ButtonHeight);
    button->setAutoDefault(false);
    anchors.push_back({button, left, top, anchoredRight});
    return button;
}

void TForm1::FormCreate()
{
    LoadTexts();
    AddsOn = false;
    SecondsLeft = 20;
    ShootingTime = 120;
    YellowTime = 30;
    RedTime = 20;
    WavesLeft = 2;
    NumberOfWaves = 2;
    Phase = PhaseBeforeFirstStart;
    AddCount = 0;
    AddIndex = 0;
    StartCaptionBefore.clear();
    AddFileName.clear();
    SekunderTilbage->hide();
    ProgramFolder = FileSystem::get().ProgramFolder();
    SetCaptions();
    CheckSoundFiles(ProgramFolder);
}

void TForm1::SetCaptions()
{
    StartKnap->setText(StartButtonStart);
    Afbryd_TidKnap->setText(StopTimeButton);
    nulstilholdknap->setText(ResetWaveButton);
    nulstilleknap->setText(ResetTimerButton);
    SetupKnap->setText(SetupButton);
    OmKnap->setText(AboutButton);
    AfslutKnap->setText(ExitButton);
}

void TForm1::CheckSoundFiles(const QString &folder)
{
    for (const char *name : {"1dyt.wav", "2dyt.wav", "3dyt.wav"}) {
        const QString file = QLatin1String(name);
        if (!FileSystem::get().FileExists(folder + file)) {
            MessageDlg(NoSoundFile + QLatin1Char(' ') + file + QLatin1Char('\r') + ApplicationRunsNoSound,
                       MessageKind::Information);
        }
    }
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutComponents();
    FormResize();
}

void TForm1::layoutComponents()
{
    const int w = width();
    const int h = height();
    const int above = qMax(0, h - PanelHeight);
    SekunderTilbage->setGeometry(0, 0, w, above);
    Billede->setGeometry(0, 0, w, above);
    Panel1->setGeometry(0, h - PanelHeight, w, PanelHeight);
    // Left-anchored controls keep their distance from the left edge, right-anchored
    // ones from the right edge; the panel's height never changes, so the bottom
    // anchor keeps every top where it is.
    for (const Anchor &anchor : anchors) {
        const int left = anchor.right ? w - (DesignClientWidth - anchor.left) : anchor.left;
        anchor.widget->move(left, anchor.top);
    }
}

void TForm1::FormResize()
{
    FitCounterFont();
}

void TForm1::FitCounterFont()
{
    counterFontSize = (2 * height()) / 3 - 50;
    QFont font = SekunderTilbage->font();
    // Qt refuses a size of zero or less (with a warning) and keeps the old one;
    // such a window is too low to show a number anyway, so draw it at one point.
    font.setPointSize(qMax(1, counterFontSize));
    SekunderTilbage->setFont(font);
}

void TForm1::AfslutKnapClick()
{
    close();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    Timer1->SetEnabled(false);
    event->accept();
}

void TForm1::SetCounterColor(TColor color)
{
    counterColor = color;
    QPalette palette = SekunderTilbage->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    SekunderTilbage->setPalette(palette);
}

void TForm1::publishScreen()
{
    if (Published == nullptr)
        return;
    Published->Change([this](ArcherScreen &screen) {
        screen.counterShown = !SekunderTilbage->isHidden();
        screen.counterText = SekunderTilbage->text();
        screen.counterColor = counterColor;
        screen.counterAlign = (SekunderTilbage->alignment() & Qt::AlignHCenter) ? ArcherScreen::Align::Centre
                                                                                 : ArcherScreen::Align::Right;
        screen.pictureShown = !Billede->isHidden();
        screen.picture = Billede->Picture();
    });
}

void TForm1::setCounterText(int value)
{
    SekunderTilbage->setText(QString::number(value));
}

void TForm1::InitScreenShooting()
{
    Billede->hide();
    SekunderTilbage->show();
    SekunderTilbage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Afbryd_TidKnap->show();
    SetupKnap->hide();
    OmKnap->hide();
    nulstilleknap->hide();
    nulstilholdknap->hide();
    SecondsLeft = RedTime;
}

void TForm1::InitScreenKlar()
{
    // The timer stops before the picture step: that step may show a modal
    // warning, and no tick may count a new wave, with its signals, behind it.
    Timer1->SetEnabled(false);
    VisReklamer();
    SecondsLeft = RedTime;
    SekunderTilbage->hide();
    setCounterText(SecondsLeft);
    SekunderTilbage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StartCaptionBefore = StartKnap->text();
    StartKnap->setText(StartButtonStart);
    Afbryd_TidKnap->hide();
    SetupKnap->show();
    OmKnap->show();
    nulstilleknap->hide();
    nulstilholdknap->hide();
    WavesLeft = NumberOfWaves;
    if (Form2 != nullptr && Form2->CdPlayerOption())
        CdAfspiller->show();
}

void TForm1::StartKnapClick()
{
    Phase = PhaseRed;
    InitScreenShooting();
    if (WavesLeft > 1) {
        SoundPlayer::get().PlaySound(QStringLiteral("2dyt.wav"));
        StartCaptionBefore = StartKnap->text();
        StartKnap->setText(StartButtonChangeWave);
        WavesLeft = static_cast<std::uint8_t>(WavesLeft - 1);
        Timer1->SetEnabled(true);
        emit waveStarted();
    } else if (WavesLeft == 1) {
        StartCaptionBefore = StartKnap->text();
        StartKnap->setText(StartButtonGetArrows);
        setCounterText(SecondsLeft);
        WavesLeft = 0;
        SoundPlayer::get().PlaySound(QStringLiteral("2dyt.wav"));
        Timer1->SetEnabled(true);
        emit waveStarted();
    } else {
        InitScreenKlar();
        SoundPlayer::get().PlaySound(QStringLiteral("3dyt.wav"));
        emit endFinished();
    }
    SetCounterColor(clRed);
}

void TForm1::Timer1Timer()
{
    SecondsLeft = static_cast<std::uint8_t>(SecondsLeft - 1);
    setCounterText(SecondsLeft);
    if (SecondsLeft == 1 && Phase == PhaseRed)
        SecondsLeft = static_cast<std::uint8_t>(ShootingTime + 1);
    if (SecondsLeft == ShootingTime) {
        SetCounterColor(clGreen);
        SoundPlayer::get().PlaySound(QStringLiteral("1dyt.wav"));
        Phase = PhaseGreen;
    }
    if (SecondsLeft == YellowTime && Phase == PhaseGreen) {
        SetCounterColor(clYellow);
        Phase = PhaseYellow;
    }
    if (SecondsLeft == 0)
        StartKnapClick();
}

void TForm1::Afbryd_TidKnapClick()
{
    const int interruptedCount = SecondsLeft;
    const int interruptedPhase = Phase;
    Afbryd_TidKnap->hide();
    Timer1->SetEnabled(false);
    SecondsLeft = RedTime;
    SetCounterColor(clRed);
    SekunderTilbage->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    SekunderTilbage->setText(JudgeDisplay);
    nulstilleknap->show();
    nulstilholdknap->show();
    emit timeStopped(interruptedCount, interruptedPhase);
}

void TForm1::nulstilleknapClick()
{
    InitScreenKlar();
    WavesLeft = NumberOfWaves;
    emit endAbandoned();
}

void TForm1::nulstilholdknapClick()
{
    nulstilholdknap->hide();
    nulstilleknap->hide();
    setCounterText(SecondsLeft);
    SekunderTilbage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StartKnap->setText(StartCaptionBefore);
    WavesLeft = static_cast<std::uint8_t>(WavesLeft + 1);
    emit wavePutBack();
}

void TForm1::VisReklamer()
{
    if (!AddsOn || advertList == nullptr || advertList->count() == 0)
        return;
    Billede->SetCenter(true);
    // The index always points into the list; should the list have shrunk
    // behind the rotation's back, it starts again at the first entry.
    if (AddIndex < 0 || AddIndex >= advertList->count())
        AddIndex = 0;
    AddFileName = advertList->item(AddIndex)->text();
    if (!Billede->LoadFromFile(AddFileName)) {
        MessageDlg(BadPictureInAddError + QLatin1Char('\r') + AddWillBeRemoved, MessageKind::Warning);
        delete advertList->takeItem(AddIndex);
        --AddCount;
    }
    Billede->show();
    if (AddIndex >= AddCount - 1)
        AddIndex = 0;
    else
        ++AddIndex;
}

void TForm1::AttachSetupDialog(TForm2 *dialog)
{
    Form2 = dialog;
    SetAdvertList(dialog != nullptr ? dialog->AdvertList() : nullptr);
}

void TForm1::SetupKnapClick()
{
    if (Form2 == nullptr)
        return;
    // Closed by OK or by its close box alike: either way the settings it
    // holds now apply.
    Form2->ShowModal();
    ApplySetup();
}

void TForm1::ApplySetup()
{
    setWindowTitle(QStringLiteral("FletchWise - ") + Form2->EnteredTournamentName);
    ShootingTime = Form2->EnteredShootingTime;
    YellowTime = Form2->EnteredYellowTime;
    RedTime = Form2->EnteredRedWaitingTime;
    WavesLeft = Form2->EnteredNumberOfWaves;
    NumberOfWaves = Form2->EnteredNumberOfWaves;

    if (Form2->CdPlayerOption() && !OpenCdPlayer()) {
        MessageDlg(CDError, MessageKind::Error);
        Form2->SetCdPlayerOption(false);
    }
    if (!Form2->CdPlayerOption())
        CloseCdPlayer();

    AddsOn = Form2->AdvertsOption();
    AddCount = Form2->AdvertList()->count();
    AddIndex = 0;
    VisReklamer();
}

bool TForm1::OpenCdPlayer()
{
    // The device's own error, whose text is not shown (the caller shows
    // CDError); any other error is a fault of the program and goes on.
    try {
        CdAfspiller->Open();
        CdAfspiller->setVisible(true);
    } catch (const EMCIDeviceError &) {
        return false;
    }
    return true;
}

void TForm1::CloseCdPlayer()
{
    CdAfspiller->Close();
    CdAfspiller->hide();
}

void TForm1::CdAfspillerPostClick(QObject *, TMPBtnType Button)
{
    // Stop leaves the disc at its start, so the next Play begins with track 1.
    if (Button == btStop)
        CdAfspiller->Rewind();
}

void TForm1::OmKnapClick()
{
    // An error while the about box is prepared or shown has already released
    // the box; it ends here, reported like any error the program does not
    // expect, instead of travelling into the window system's event handling.
    try {
        ShowAboutBox();
    } catch (const std::exception &error) {
        MessageDlg(QString::fromLocal8Bit(error.what()), MessageKind::Error);
    }
}
