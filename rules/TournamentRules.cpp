// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentRules.h"

#include "DetailLetters.h"
#include "EmergencyStop.h"
#include "RoundPresets.h"
#include "RoundsPage.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int EndNumberWidth = 120;
constexpr int EndNumberHeight = 18;
constexpr int EndNumberTop = 4;
constexpr int RightMargin = 11; // the Exit button's distance from the right edge
} // namespace

TournamentRules::TournamentRules(TForm1 &form, TForm2 &dialog) : QObject(&form), form(form), panel(form.Panel1)
{
    Page = new RoundsPage;
    Emergency = new EmergencyStop(form, this);
    createEndNumber();
    connectPage(dialog);
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
    return DetailLetters::Of(form.NumberOfWaves, Ends.RotatingEnds(), wave, Page->RotateDetails->isChecked());
}

void TournamentRules::publish()
{
    EndNumber->setText(uVantixStrings::EndNumberLabel.arg(Ends.Label()));
    EndNumber->setVisible(Page->ShowEndNumber->isChecked());
    form.Published->SetDetail(Detail());
    form.Published->SetEndLabel(Page->EndNumberToArchers->isChecked() ? Ends.Label() : QString());
}
