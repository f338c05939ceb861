// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentRules.h"

#include "DetailLetters.h"
#include "EmergencyStop.h"
#include "RoundPresets.h"
#include "RoundsPage.h"
#include "TTimer.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace {
constexpr int EndNumberWidth = 120;
constexpr int EndNumberHeight = 18;
constexpr int EndNumberTop = 4;
constexpr int RightMargin = 11; // the Exit button's distance from the right edge
constexpr int TrueSecond = 1000; // ms
} // namespace

TournamentRules::TournamentRules(TForm1 &form, TForm2 &dialog) : QObject(&form), form(form), panel(form.Panel1)
{
    Page = new RoundsPage;
    Emergency = new EmergencyStop(form, this);
    createEndNumber();
    connectPage(dialog);
    connectTrueSeconds();
    connectStanding();
    dialog.AddOptionsPage(Page, uVantixStrings::RoundsPageTitle);

    connect(&form, &TForm1::waveStarted, this, &TournamentRules::waveStarted);
    connect(&form, &TForm1::endFinished, this, &TournamentRules::endFinished);
    connect(&form, &TForm1::endAbandoned, this, &TournamentRules::backToFirstWave);
    // The number of waves may have changed in the setup dialog.
    connect(form.SetupKnap, &QPushButton::clicked, this, &TournamentRules::publish);
    publish();
}

void TournamentRules::connectPage(TForm2 &dialog)
{
    connect(Page->Preset, &QComboBox::activated, this, [this, &dialog](int index) {
        if (index > 0)
            RoundPresets::Choose(dialog, RoundPresets::All().at(index - 1));
    });
    for (QCheckBox *option : {Page->ShowDetail, Page->RotateDetails, Page->ShowEndNumber, Page->EndNumberToArchers})
        connect(option, &QCheckBox::toggled, this, &TournamentRules::publish);
    connect(Page->Practice, &QCheckBox::toggled, this, [this](bool on) {
        Ends.SetPractice(on);
        publish();
    });
    connect(Page->ResetEndCount, &QPushButton::clicked, this, [this] {
        Ends.Reset();
        publish();
    });
    connect(Page->EmergencyStop, &QCheckBox::toggled, Emergency, &EmergencyStop::SetOn);
}

void TournamentRules::connectTrueSeconds()
{
    // Choosing a round is choosing the rules' seconds; the box can be
    // unticked again.
    countedSecond = form.Timer1->Interval();
    connect(Page->Preset, &QComboBox::activated, this, [this](int index) {
        if (index > 0)
            Page->TrueSeconds->setChecked(true);
    });
    connect(Page->TrueSeconds, &QCheckBox::toggled, this,
            [this](bool on) { form.Timer1->SetInterval(on ? TrueSecond : countedSecond); });
}

void TournamentRules::createEndNumber()
{
    EndNumber = new QLabel(panel);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    EndNumber->setFont(font);
    QPalette palette = EndNumber->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    EndNumber->setPalette(palette);
    EndNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EndNumber->hide();
    panel->installEventFilter(this);
    placeEndNumber();
}

bool TournamentRules::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == panel && event->type() == QEvent::Resize)
        placeEndNumber();
    return QObject::eventFilter(watched, event);
}

void TournamentRules::placeEndNumber()
{
    EndNumber->setGeometry(panel->width() - RightMargin - EndNumberWidth, EndNumberTop, EndNumberWidth,
                           EndNumberHeight);
}

void TournamentRules::waveStarted()
{
    wave = form.NumberOfWaves - form.WavesLeft - 1;
    publish();
}

void TournamentRules::endFinished()
{
    Ends.EndFinished();
    backToFirstWave();
}

void TournamentRules::backToFirstWave()
{
    wave = 0;
    publish();
}

QString TournamentRules::Detail() const
{
    if (!Page->ShowDetail->isChecked())
        return {};
    return DetailLetters::Of(form.NumberOfWaves, Ends.RotatingEnds(), wave + detailShift, Page->RotateDetails->isChecked());
}

void TournamentRules::publish()
{
    EndNumber->setText(uVantixStrings::EndNumberLabel.arg(Ends.Label()));
    EndNumber->setVisible(Page->ShowEndNumber->isChecked());
    form.Published->SetDetail(Detail());
    form.Published->SetEndLabel(Page->EndNumberToArchers->isChecked() ? Ends.Label() : QString());
}

void TournamentRules::StepEnd(int by)
{
    Ends.Step(by);
    publish();
}

int TournamentRules::Details() const
{
    const QString letters = DetailLetters::Of(form.NumberOfWaves, 0, 0, false);
    return letters.isEmpty() ? 1 : form.NumberOfWaves;
}

int TournamentRules::firstDetailWith(int shift) const
{
    const QString letters =
        DetailLetters::Of(form.NumberOfWaves, Ends.RotatingEnds(), shift, Page->RotateDetails->isChecked());
    return letters.isEmpty() ? 0 : (letters.front().unicode() - 'A') / 2;
}

int TournamentRules::FirstDetail() const
{
    return firstDetailWith(detailShift);
}

int TournamentRules::shiftFor(int detail) const
{
    for (int shift = 0; shift < Details(); ++shift) {
        if (firstDetailWith(shift) == detail)
            return shift;
    }
    return detailShift;
}

void TournamentRules::SetFirstDetail(int detail)
{
    firstDetailOnceSetUp = -1;
    detailShift = shiftFor(detail);
    publish();
}

void TournamentRules::SetFirstDetailOnceSetUp(int detail)
{
    firstDetailOnceSetUp = detail;
}

void TournamentRules::connectStanding()
{
    // Before the setup button's publishing, so the letters are shown once,
    // already right.
    connect(form.SetupKnap, &QPushButton::clicked, this, [this] {
        if (firstDetailOnceSetUp >= 0)
            detailShift = shiftFor(std::exchange(firstDetailOnceSetUp, -1));
    });
}

void TournamentRules::SetStanding(int scoringEnds, int practiceEnds, int firstDetail)
{
    Ends.SetEnds(scoringEnds, practiceEnds);
    SetFirstDetail(firstDetail);
}
