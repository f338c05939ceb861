// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreensPage.h"

#include "AudienceScreens.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

ScreensPage::ScreensPage(AudienceScreens *screens, QWidget *parent) : QWidget(parent), screens(screens)
{
    ScreenChoice = new QComboBox(this);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Audience display:"), ScreenChoice);
    auto *hint = new QLabel(QStringLiteral("The archers' screen shows the counter or the picture alone, full "
                                           "screen. Ctrl+D opens and closes it, F11 shows this window full screen."),
                            this);
    hint->setWordWrap(true);
    layout->addRow(hint);
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
    ScreenChoice->addItem(QStringLiteral("None"), QString());
    for (QScreen *screen : QGuiApplication::screens())
        ScreenChoice->addItem(AudienceScreens::Describe(screen), screen->name());
    // A chosen projector that is unplugged keeps its place in the list.
    if (ScreenChoice->findData(screens->Chosen()) < 0)
        ScreenChoice->addItem(QStringLiteral("%1 (not connected)").arg(screens->Chosen()), screens->Chosen());
    ScreenChoice->setCurrentIndex(ScreenChoice->findData(screens->Chosen()));
    refilling = false;
}

void ScreensPage::choose(int index)
{
    if (!refilling && index >= 0)
        screens->Choose(ScreenChoice->itemData(index).toString());
}
