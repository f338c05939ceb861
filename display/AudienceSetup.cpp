// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudienceSetup.h"

#include "AudienceScreens.h"
#include "CounterExtras.h"
#include "KeyControl.h"
#include "ReadyExtras.h"
#include "ScreensPage.h"
#include "TImage.h"
#include "TCounterLabel.h"
#include "TournamentKeys.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <cstdio>

AudienceSetup::AudienceSetup(TForm1 &form, TForm2 *setup) : QObject(&form)
{
    Screens = new AudienceScreens(form.Published, &form);
    Extras = new CounterExtras(form.Published, form.SekunderTilbage);
    ReadyScreenExtras = new ReadyExtras(form.Published, form.Billede, form.SekunderTilbage->font());
    connect(Screens, &AudienceScreens::refused, this, [](const QString &screen) {
        std::fprintf(stderr, "vantix: the audience display does not open on %s: that screen holds the main window\n",
                     screen.toLocal8Bit().constData());
    });
    Keys = new KeyControl(&form);
    AddTournamentKeys(*Keys, form);
    Keys->AddAction(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { Screens->Toggle(); });
    if (setup != nullptr) {
        Page = new ScreensPage(Screens);
        setup->AddOptionsPage(Page, uVantixStrings::ScreensPageTitle);
    }
}
