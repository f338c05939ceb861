// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class AudienceDisplay;
class QScreen;
class ScreenPublisher;
class QWidget;

// Which screen the audience display is on, for this run. The choice is kept
// by the screen's name: a projector that is unplugged closes the display
// (the clock runs on untouched) and, plugged back, gets it again.
class AudienceScreens : public QObject
{
    Q_OBJECT
public:
    AudienceScreens(ScreenPublisher *published, QWidget *mainWindow);
    ~AudienceScreens() override;

    // Opens the display on the screen of that name, or closes it for an
    // empty name. A screen not connected now gets the display when it is.
    void Choose(const QString &screenName);
    QString Chosen() const { return chosen; }

    // A screen named on the command line: its name, or its number counted
    // from 1. False when no connected screen answers to it (a name is still
    // chosen, for when it is connected).
    bool ChooseByArgument(const QString &nameOrNumber);

    // Closes the display, or opens it again on the last chosen screen, or
    // else on the first screen that does not hold the main window.
    void Toggle();

    AudienceDisplay *Display() const { return display; }

    // "HDMI-1 (1920 × 1080)"
    static QString Describe(const QScreen *screen);

signals:
    void chosenChanged(const QString &screenName);
    // The screen holds the main window: the display does not open there,
    // so the timekeeper's console stays usable; the choice stays as it was.
    void refused(const QString &screenName);

private:
    bool refuses(const QString &screenName);
    QScreen *connected(const QString &name) const;
    void follow();
    void screenRemoved(QScreen *screen);

    QWidget *mainWindow;
    AudienceDisplay *display;
    QString chosen;
    QString lastChosen;
};
