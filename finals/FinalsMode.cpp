// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsMode.h"

#include "EmergencyStop.h"
#include "FinalsPage.h"
#include "FinalsView.h"
#include "ISoundPlayer.h"
#include "ScreenPublisher.h"
#include "TTimer.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QPushButton>

using namespace uVantixStrings;

namespace {
constexpr int TickInterval = 988; // as the clock's own timer
constexpr int ButtonWidth = 89;
constexpr int ButtonHeight = 22;
} // namespace

FinalsMode::FinalsMode(const Parts &parts, QObject *parent)
    : QObject(parent), Engine([this](FinalsSignal signal) { sound(signal); }), parts(parts)
{
    Page = new FinalsPage;
    View = new FinalsView(parts.published, parts.counter);
    Timer = new TTimer(this);
    Timer->SetInterval(TickInterval);
    Timer->OnTimer = [this] { Tick(); };

    StartButton = createButton(16, 28, FinalsStartButton);
    SwitchButton = createButton(16, 28, FinalsSwitchButton);
    LeftStartsButton = createButton(112, 28, FinalsLeftStartsButton);
    RightStartsButton = createButton(224, 28, FinalsRightStartsButton);
    StopButton = createButton(112, 28, StopTimeButton);
    ResumeButton = createButton(112, 28, FinalsResumeButton);
    ResetButton = createButton(224, 28, ResetTimerButton);
    connect(StartButton, &QPushButton::clicked, this, &FinalsMode::StartClick);
    connect(SwitchButton, &QPushButton::clicked, this, &FinalsMode::SwitchClick);
    connect(LeftStartsButton, &QPushButton::clicked, this, [this] { ChooseStart(FinalsScreen::Side::Left); });
    connect(RightStartsButton, &QPushButton::clicked, this, [this] { ChooseStart(FinalsScreen::Side::Right); });
    connect(StopButton, &QPushButton::clicked, this, &FinalsMode::StopClick);
    connect(ResumeButton, &QPushButton::clicked, this, &FinalsMode::ResumeClick);
    connect(ResetButton, &QPushButton::clicked, this, &FinalsMode::ResetClick);

    connect(Page->ModeOn, &QCheckBox::toggled, this, &FinalsMode::SetOn);
    connect(Page, &FinalsPage::changed, this, &FinalsMode::pageChanged);
    Engine.SetMatch(Page->Match());
}

QPushButton *FinalsMode::createButton(int left, int top, const QString &caption)
{
    auto *button = new QPushButton(caption, parts.buttonRow);
    // Dressed as the clock's own buttons.
    if (!parts.sequenceButtons.isEmpty()) {
        button->setFont(parts.sequenceButtons.first()->font());
        button->setPalette(parts.sequenceButtons.first()->palette());
    }
    button->setGeometry(left, top, ButtonWidth, ButtonHeight);
    button->setAutoDefault(false);
    button->hide();
    return button;
}

QList<QPushButton *> FinalsMode::Buttons() const
{
    return {StartButton, SwitchButton, LeftStartsButton, RightStartsButton, StopButton, ResumeButton, ResetButton};
}

void FinalsMode::SetOn(bool wanted)
{
    if (wanted == on)
        return;
    on = wanted;
    if (on) {
        hiddenByFinals.clear();
        for (QWidget *button : parts.sequenceButtons) {
            if (button != nullptr && !button->isHidden()) {
                hiddenByFinals.append(button);
                button->hide();
            }
        }
        readyShown.clear();
        for (QWidget *button : parts.readyButtons) {
            if (!button->isHidden())
                readyShown.append(button);
        }
        Engine.SetMatch(Page->Match());
        Engine.ChooseStart(Page->Starter());
    } else {
        Timer->SetEnabled(false);
        Engine.Reset();
        for (QWidget *button : hiddenByFinals + readyShown)
            button->show();
        hiddenByFinals.clear();
        readyShown.clear();
    }
    if (Page->ModeOn->isChecked() != on)
        Page->ModeOn->setChecked(on);
    show();
    emit switched(on);
}

void FinalsMode::pageChanged()
{
    // The settings count from the next end; the page is reached only
    // between ends.
    if (Engine.CurrentState() != FinalsEngine::State::Ready)
        return;
    Engine.SetMatch(Page->Match());
    Engine.ChooseStart(Page->Starter());
    show();
}

void FinalsMode::StartClick()
{
    Engine.Start();
    show();
}

void FinalsMode::SwitchClick()
{
    Engine.Switch();
    show();
}

void FinalsMode::ChooseStart(FinalsScreen::Side side)
{
    Engine.ChooseStart(side);
    Page->SetStarter(Engine.Starter());
    show();
}

void FinalsMode::StopClick()
{
    Engine.SetEmergencySignal(parts.emergencySignal && parts.emergencySignal());
    Engine.Stop();
    show();
}

void FinalsMode::ResumeClick()
{
    Engine.Resume();
    show();
}

void FinalsMode::ResetClick()
{
    Engine.Reset();
    show();
}

void FinalsMode::Tick()
{
    Engine.Tick();
    show();
}

void FinalsMode::sound(FinalsSignal signal)
{
    static const QString files[] = {QStringLiteral("2dyt.wav"), QStringLiteral("1dyt.wav"),
                                    QStringLiteral("1dyt.wav"), QStringLiteral("3dyt.wav"), EmergencyStop::SignalFile};
    SoundPlayer::get().PlaySound(files[int(signal)]);
}

// The buttons, the timer and the published clocks follow the engine's state:
// called once at the end of every press and tick.
void FinalsMode::show()
{
    using State = FinalsEngine::State;
    const State state = Engine.CurrentState();
    const bool running = state == State::WalkUp || state == State::Shooting;
    Timer->SetEnabled(on && running);
    StartButton->setVisible(on && state == State::Ready);
    LeftStartsButton->setVisible(on && state == State::Ready);
    RightStartsButton->setVisible(on && state == State::Ready);
    SwitchButton->setVisible(on && running);
    SwitchButton->setEnabled(state == State::Shooting);
    StopButton->setVisible(on && running);
    ResumeButton->setVisible(on && state == State::Stopped);
    ResetButton->setVisible(on && state == State::Stopped);
    if (on) {
        for (QWidget *button : parts.readyButtons)
            button->setVisible(state == State::Ready);
    }
    parts.published->SetFinals(on ? Engine.Screen(JudgeDisplay) : FinalsScreen{});
}
