// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmergencyStop.h"

#include "IFileSystem.h"
#include "IMessageBoxes.h"
#include "ISoundPlayer.h"
#include "TCounterLabel.h"
#include "TTimer.h"
#include "Unit1.h"
#include "uVantixStrings.h"

#include <QPushButton>

const QString EmergencyStop::SignalFile = QStringLiteral("5dyt.wav");

EmergencyStop::EmergencyStop(TForm1 &form, QObject *parent) : QObject(parent), form(form)
{
    createResumeButton();
    // Every tick passes through here: during a resumed walk-up it counts the
    // walk-up, otherwise it goes to the clock's own handler. Nothing is
    // swapped in and out, so no way out of the walk-up can leave the timer
    // with the wrong handler.
    clockTick = form.Timer1->OnTimer;
    form.Timer1->OnTimer = [this] {
        ScreenPublisher::Batch once(this->form.Published);
        walkingUp ? walkUpTick() : clockTick();
    };
    connect(&form, &TForm1::timeStopped, this, &EmergencyStop::timeStopped);
    for (auto moment : {&TForm1::waveStarted, &TForm1::endFinished, &TForm1::endAbandoned, &TForm1::wavePutBack})
        connect(&form, moment, this, &EmergencyStop::leaveStopped);
}

void EmergencyStop::createResumeButton()
{
    // In the stopped state Stop time is hidden; Resume takes its place.
    auto *button = new QPushButton(uVantixStrings::ResumeButton, form.Panel1);
    button->setFont(form.Afbryd_TidKnap->font());
    button->setPalette(form.Afbryd_TidKnap->palette());
    button->setGeometry(form.Afbryd_TidKnap->geometry());
    button->setAutoDefault(false);
    button->hide();
    connect(button, &QPushButton::clicked, this, [this] {
        ScreenPublisher::Batch once(form.Published);
        ResumeKnapClick();
    });
    form.ResumeKnap = button;
}

void EmergencyStop::SetOn(bool wanted)
{
    if (wanted && !on && !FileSystem::get().FileExists(form.ProgramFolder + SignalFile)) {
        MessageDlg(uVantixStrings::NoSoundFile + QLatin1Char(' ') + SignalFile + QLatin1Char('\r')
                       + uVantixStrings::ApplicationRunsNoSound,
                   MessageKind::Information);
    }
    on = wanted;
}

void EmergencyStop::timeStopped(int count, int phase)
{
    // A stop during a resumed walk-up keeps the time still owed.
    if (walkingUp) {
        walkingUp = false;
    } else if (phase == PhaseGreen || phase == PhaseYellow) {
        remaining = static_cast<std::uint8_t>(count);
        remainingPhase = phase;
    } else {
        // Stopped before the shooting began: the whole shooting time is owed.
        remaining = form.ShootingTime;
        remainingPhase = form.ShootingTime == form.YellowTime ? PhaseYellow : PhaseGreen;
    }
    stopped = true;
    if (!on)
        return;
    SoundPlayer::get().PlaySound(SignalFile);
    form.ResumeKnap->show();
}

void EmergencyStop::leaveStopped()
{
    stopped = false;
    walkingUp = false;
    form.ResumeKnap->hide();
}

void EmergencyStop::ResumeKnapClick()
{
    if (!stopped || !on)
        return;
    leaveStopped();
    form.Phase = PhaseRed;
    form.InitScreenShooting();
    form.SekunderTilbage->setText(QString::number(form.SecondsLeft));
    form.SetCounterColor(clRed);
    SoundPlayer::get().PlaySound(QStringLiteral("2dyt.wav"));
    walkingUp = true;
    form.Timer1->SetEnabled(true);
}

// The walk-up counts as at the start of any wave, down to 1; the tick after
// it shows the interrupted count.
void EmergencyStop::walkUpTick()
{
    form.SecondsLeft = static_cast<std::uint8_t>(form.SecondsLeft - 1);
    if (form.SecondsLeft != 0) {
        form.SekunderTilbage->setText(QString::number(form.SecondsLeft));
        return;
    }
    walkingUp = false;
    continueCount();
}

void EmergencyStop::continueCount()
{
    form.SecondsLeft = remaining;
    form.SekunderTilbage->setText(QString::number(remaining));
    form.SetCounterColor(remainingPhase == PhaseYellow ? clYellow : clGreen);
    SoundPlayer::get().PlaySound(QStringLiteral("1dyt.wav"));
    form.Phase = remainingPhase;
    // A count stopped with nothing left ends the wave at once, as a tick at 0 does.
    if (remaining == 0)
        form.StartKnapClick();
}
