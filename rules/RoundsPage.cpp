// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoundsPage.h"

#include "RoundPresets.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

using namespace uVantixStrings;

namespace {

// The rounds' names in the timekeeper's language, in the order of the table
// of presets; each item keeps the preset's own name as its data.
QString shownName(std::size_t index)
{
    const QString *names[] = {&RoundOutdoor, &RoundIndoor, &RoundSets, &RoundTeam, &RoundMixedTeam, &RoundShootOff};
    return index < std::size(names) ? *names[index] : RoundPresets::All().at(index).name;
}

} // namespace

RoundsPage::RoundsPage(QWidget *parent) : QWidget(parent)
{
    Preset = new QComboBox;
    Preset->addItem(RoundChoose);
    for (std::size_t i = 0; i < RoundPresets::All().size(); ++i) {
        const RoundPreset &preset = RoundPresets::All().at(i);
        Preset->addItem(shownName(i), preset.name);
        Preset->setItemData(Preset->count() - 1, preset.source, Qt::ToolTipRole);
    }
    ShowDetail = new QCheckBox(uVantixStrings::ShowDetail);
    RotateDetails = new QCheckBox(uVantixStrings::RotateDetails);
    ShowEndNumber = new QCheckBox(uVantixStrings::ShowEndNumber);
    EndNumberToArchers = new QCheckBox(uVantixStrings::EndNumberToArchers);
    Practice = new QCheckBox(PracticeEnds);
    ResetEndCount = new QPushButton(uVantixStrings::ResetEndCount);
    ResetEndCount->setAutoDefault(false);
    EmergencyStop = new QCheckBox(EmergencyStopOption);

    auto *round = new QFormLayout;
    // Texts of a language file are shown as written, never as markup.
    auto *roundLabel = new QLabel(RoundLabel);
    roundLabel->setTextFormat(Qt::PlainText);
    round->addRow(roundLabel, Preset);
    TrueSeconds = new QCheckBox(uVantixStrings::TrueSeconds);
    round->addRow(TrueSeconds);

    auto *details = new QGroupBox(DetailsGroup);
    auto *detailRows = new QVBoxLayout(details);
    detailRows->addWidget(ShowDetail);
    detailRows->addWidget(RotateDetails);

    auto *ends = new QGroupBox(EndsGroup);
    auto *endRows = new QVBoxLayout(ends);
    endRows->addWidget(ShowEndNumber);
    endRows->addWidget(EndNumberToArchers);
    auto *practiceRow = new QHBoxLayout;
    practiceRow->addWidget(Practice);
    practiceRow->addStretch();
    practiceRow->addWidget(ResetEndCount);
    endRows->addLayout(practiceRow);

    auto *stop = new QGroupBox(EmergencyGroup);
    auto *stopRows = new QVBoxLayout(stop);
    stopRows->addWidget(EmergencyStop);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(round);
    layout->addWidget(details);
    layout->addWidget(ends);
    layout->addWidget(stop);
    layout->addStretch();
}
