// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreensPage.h"

#include "AudienceScreens.h"
#include "uVantixStrings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

ScreensPage::ScreensPage(AudienceScreens *screens, QWidget *parent) : QWidget(parent), screens(screens)
{
    ScreenChoice = new QComboBox(this);
    auto *layout = new QFormLayout(this);
    // Texts of a language file are shown as written, never as markup.
    auto *choiceLabel = new QLabel(uVantixStrings::AudienceDisplayLabel, this);
    choiceLabel->setTextFormat(Qt::PlainText);
    layout->addRow(choiceLabel, ScreenChoice);
    auto *hint = new QLabel(uVantixStrings::ScreensHint, this);
    hint->setTextFormat(Qt::PlainText);
    hint->setWordWrap(true);
    layout->addRow(hint);
    Refusal = new QLabel(this);
    Refusal->setTextFormat(Qt::PlainText);
    Refusal->setWordWrap(true);
    Refusal->hide();
    layout->addRow(Refusal);
    connect(screens, &AudienceScreens::refused, this, [this](const QString &screen) {
        Refusal->setText(uVantixStrings::AudienceRefused.arg(screen));
        Refusal->show();
    });
    refill();
    connect(ScreenChoice, &QComboBox::currentIndexChanged, this, &ScreensPage::choose);
    connect(screens, &AudienceScreens::chosenChanged, this, &ScreensPage::refill);
    connect(qApp, &QGuiApplication::screenAdded, this, &ScreensPage::refill);
    // Removal is announced while the screen is still listed: refill after it.
    connect(qApp, &QGuiApplication::screenRemoved, this, &ScreensPage::refill, Qt::QueuedConnection);
}

void ScreensPage::refill()
{
    refilling = true;
    ScreenChoice->clear();
    ScreenChoice->addItem(uVantixStrings::ScreenNone, QString());
    for (QScreen *screen : QGuiApplication::screens())
        ScreenChoice->addItem(AudienceScreens::Describe(screen), screen->name());
    // A chosen projector that is unplugged keeps its place in the list.
    if (ScreenChoice->findData(screens->Chosen()) < 0)
        ScreenChoice->addItem(uVantixStrings::ScreenNotConnected.arg(screens->Chosen()), screens->Chosen());
    ScreenChoice->setCurrentIndex(ScreenChoice->findData(screens->Chosen()));
    refilling = false;
}

void ScreensPage::choose(int index)
{
    if (refilling || index < 0)
        return;
    Refusal->hide();
    screens->Choose(ScreenChoice->itemData(index).toString());
}
