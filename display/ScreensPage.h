// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AudienceScreens;
class QComboBox;
class QLabel;

// The options page that puts the audience display on a screen: none, or one
// of the screens connected now, by name and size. The list follows screens
// as they come and go.
class ScreensPage : public QWidget
{
    Q_OBJECT
public:
    explicit ScreensPage(AudienceScreens *screens, QWidget *parent = nullptr);

    QComboBox *ScreenChoice = nullptr;
    // Why the screen just chosen did not get the display; hidden otherwise.
    QLabel *Refusal = nullptr;

private:
    void refill();
    void choose(int index);

    AudienceScreens *screens;
    bool refilling = false;
};
