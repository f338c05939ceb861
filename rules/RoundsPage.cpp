// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoundsPage.h"

#include "RoundPresets.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

RoundsPage::RoundsPage(QWidget *parent) : QWidget(parent)
{
    Preset = new QComboBox;
    Preset->addItem(QStringLiteral("Choose a round to fill in its times..."));
    for (const RoundPreset &preset : RoundPresets::All()) {
        Preset->addItem(preset.name);
        Preset->setItemData(Preset->count() - 1, preset.source, Qt::ToolTipRole);
    }
    ShowDetail = new QCheckBox(QStringLiteral("Show which detail shoots (AB, CD, EF)"));
    RotateDetails = new QCheckBox(QStringLiteral("Alternate the order every end (AB-CD, then CD-AB)"));
    ShowEndNumber = new QCheckBox(QStringLiteral("Show the end number in the button row"));
    EndNumberToArchers = new QCheckBox(QStringLiteral("Show the end number to the archers as well"));
    Practice = new QCheckBox(QStringLiteral("practice (the following ends are P1, P2, ...)"));
    ResetEndCount = new QPushButton(QStringLiteral("&Reset end count"));
    ResetEndCount->setAutoDefault(false);
    EmergencyStop = new QCheckBox(QStringLiteral("Stop time sounds five short blasts; Resume gives the wave its time back"));

    auto *round = new QFormLayout;
    round->addRow(QStringLiteral("Round:"), Preset);
    TrueSeconds = new QCheckBox(uVantixStrings::TrueSeconds);
    round->addRow(TrueSeconds);

    auto *details = new QGroupBox(QStringLiteral("Details"));
    auto *detailRows = new QVBoxLayout(details);
    detailRows->addWidget(ShowDetail);
    detailRows->addWidget(RotateDetails);

    auto *ends = new QGroupBox(QStringLiteral("Ends"));
    auto *endRows = new QVBoxLayout(ends);
    endRows->addWidget(ShowEndNumber);
    endRows->addWidget(EndNumberToArchers);
    auto *practiceRow = new QHBoxLayout;
    practiceRow->addWidget(Practice);
    practiceRow->addStretch();
    practiceRow->addWidget(ResetEndCount);
    endRows->addLayout(practiceRow);

    auto *stop = new QGroupBox(QStringLiteral("Emergency stop"));
    auto *stopRows = new QVBoxLayout(stop);
    stopRows->addWidget(EmergencyStop);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(round);
    layout->addWidget(details);
    layout->addWidget(ends);
    layout->addWidget(stop);
    layout->addStretch();
}
