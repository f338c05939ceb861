// SPDX-License-Identifier: GPL-3.0-or-later
#include "FinalsPage.h"

#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace uVantixStrings;

namespace {

QSpinBox *seconds(int lowest)
{
    auto *box = new QSpinBox;
    box->setRange(lowest, 255);
    return box;
}

} // namespace

FinalsPage::FinalsPage(QWidget *parent) : QWidget(parent)
{
    ModeOn = new QCheckBox(FinalsModeOption);
    Kind = new QComboBox;
    const std::pair<FinalsKind, QString> kinds[] = {
        {FinalsKind::Individual, FinalsIndividual},
        {FinalsKind::Team, FinalsTeam},
        {FinalsKind::MixedTeam, FinalsMixedTeam},
        {FinalsKind::ShootOffIndividual, FinalsShootOffIndividual},
        {FinalsKind::ShootOffTeam, FinalsShootOffTeam},
        {FinalsKind::ShootOffMixedTeam, FinalsShootOffMixedTeam},
    };
    for (const auto &[kind, name] : kinds)
        Kind->addItem(name, int(kind));
    Time = seconds(1);
    Warning = seconds(0);
    WalkUp = seconds(0);
    Arrows = new QSpinBox;
    Arrows->setRange(1, 24);
    ArrowsPerTurn = new QSpinBox;
    ArrowsPerTurn->setRange(1, 24);
    CarryOver = new QCheckBox(FinalsCarryOver);
    StartingSide = new QComboBox;
    StartingSide->addItem(FinalsLeft);
    StartingSide->addItem(FinalsRight);

    auto *form = new QFormLayout;
    form->addRow(FinalsKindLabel, Kind);
    form->addRow(FinalsTimeLabel, Time);
    form->addRow(FinalsWarningLabel, Warning);
    form->addRow(FinalsWalkUpLabel, WalkUp);
    form->addRow(FinalsArrowsLabel, Arrows);
    form->addRow(FinalsArrowsPerTurnLabel, ArrowsPerTurn);
    form->addRow(QString(), CarryOver);
    form->addRow(FinalsStartingSide, StartingSide);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ModeOn);
    layout->addLayout(form);
    layout->addStretch();

    Fill(FinalsMatch::Of(FinalsKind::Individual));
    connect(Kind, &QComboBox::activated, this, [this](int index) {
        Fill(FinalsMatch::Of(FinalsKind(Kind->itemData(index).toInt())));
        emit changed();
    });
    for (QSpinBox *box : {Time, Warning, WalkUp, Arrows, ArrowsPerTurn})
        connect(box, &QSpinBox::valueChanged, this, &FinalsPage::changed);
    connect(CarryOver, &QCheckBox::toggled, this, &FinalsPage::changed);
    connect(StartingSide, &QComboBox::currentIndexChanged, this, &FinalsPage::changed);
}

FinalsMatch FinalsPage::Match() const
{
    FinalsMatch match;
    match.kind = FinalsKind(Kind->currentData().toInt());
    match.time = Time->value();
    match.warning = Warning->value();
    match.walkUp = WalkUp->value();
    match.arrowsPerEnd = Arrows->value();
    match.arrowsPerTurn = ArrowsPerTurn->value();
    match.carryOver = CarryOver->isChecked();
    return match;
}

void FinalsPage::Fill(const FinalsMatch &match)
{
    // One change for the whole match, not one for each field.
    const QSignalBlocker blocks[] = {QSignalBlocker(Time), QSignalBlocker(Warning), QSignalBlocker(WalkUp),
                                     QSignalBlocker(Arrows), QSignalBlocker(ArrowsPerTurn),
                                     QSignalBlocker(CarryOver)};
    Kind->setCurrentIndex(Kind->findData(int(match.kind)));
    Time->setValue(match.time);
    Warning->setValue(match.warning);
    WalkUp->setValue(match.walkUp);
    Arrows->setValue(match.arrowsPerEnd);
    ArrowsPerTurn->setValue(match.arrowsPerTurn);
    CarryOver->setChecked(match.carryOver);
}

FinalsScreen::Side FinalsPage::Starter() const
{
    return StartingSide->currentIndex() == 1 ? FinalsScreen::Side::Right : FinalsScreen::Side::Left;
}

void FinalsPage::SetStarter(FinalsScreen::Side side)
{
    const QSignalBlocker block(StartingSide);
    StartingSide->setCurrentIndex(side == FinalsScreen::Side::Right ? 1 : 0);
}
