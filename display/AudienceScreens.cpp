// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudienceScreens.h"

#include "AudienceDisplay.h"
#include "ScreenPublisher.h"

#include <QGuiApplication>
#include <QScreen>

AudienceScreens::AudienceScreens(ScreenPublisher *published, QWidget *mainWindow)
    : QObject(mainWindow), mainWindow(mainWindow), display(new AudienceDisplay)
{
    display->Show(published->Current());
    connect(published, &ScreenPublisher::screenChanged, display, &AudienceDisplay::Show);
    connect(qApp, &QGuiApplication::screenAdded, this, [this] { follow(); });
    // Emitted while the screen still exists, before its windows are moved
    // to another one: the display leaves first, so it never covers the
    // timekeeper's screen.
    connect(qApp, &QGuiApplication::screenRemoved, this, &AudienceScreens::screenRemoved);
}

AudienceScreens::~AudienceScreens()
{
    delete display;
}

void AudienceScreens::Choose(const QString &screenName)
{
    if (refuses(screenName))
        return;
    if (!screenName.isEmpty())
        lastChosen = screenName;
    const bool changed = screenName != chosen;
    chosen = screenName;
    follow();
    if (changed)
        emit chosenChanged(chosen);
}

bool AudienceScreens::refuses(const QString &screenName)
{
    QScreen *screen = connected(screenName);
    if (screen == nullptr || screen != mainWindow->screen())
        return false;
    emit refused(screenName);
    // A page that offered the screen goes back to the choice in force.
    emit chosenChanged(chosen);
    return true;
}

bool AudienceScreens::ChooseByArgument(const QString &nameOrNumber)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    bool isNumber = false;
    const int number = nameOrNumber.toInt(&isNumber);
    if (isNumber && connected(nameOrNumber) == nullptr) {
        if (number < 1 || number > screens.size())
            return false;
        Choose(screens.at(number - 1)->name());
        return true;
    }
    Choose(nameOrNumber);
    return connected(nameOrNumber) != nullptr;
}

void AudienceScreens::Toggle()
{
    if (display->isVisible()) {
        Choose(QString());
        return;
    }
    if (connected(lastChosen) != nullptr) {
        Choose(lastChosen);
        return;
    }
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != mainWindow->screen()) {
            Choose(screen->name());
            return;
        }
    }
}

QString AudienceScreens::Describe(const QScreen *screen)
{
    const QSize size = screen->size();
    return QStringLiteral("%1 (%2 \u00d7 %3)").arg(screen->name()).arg(size.width()).arg(size.height());
}

QScreen *AudienceScreens::connected(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name)
            return screen;
    }
    return nullptr;
}

void AudienceScreens::follow()
{
    QScreen *screen = connected(chosen);
    if (screen == nullptr) {
        display->hide();
        return;
    }
    if (display->ShownOn() != screen)
        display->OpenOn(screen);
}

void AudienceScreens::screenRemoved(QScreen *screen)
{
    if (display->isVisible() && display->screen() == screen)
        display->hide();
}
