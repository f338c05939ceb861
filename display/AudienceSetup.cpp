// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudienceSetup.h"

#include "AudienceScreens.h"
#include "CounterExtras.h"
#include "KeyControl.h"
#include "ScreensPage.h"
#include "TCounterLabel.h"
#include "TournamentKeys.h"
#include "Unit1.h"
#include "Unit2.h"

AudienceSetup::AudienceSetup(TForm1 &form, TForm2 *setup) : QObject(&form)
{
    Screens = new AudienceScreens(form.Published, &form);
    Extras = new CounterExtras(form.Published, form.SekunderTilbage);
    Keys = new KeyControl(&form);
    AddTournamentKeys(*Keys, form);
    Keys->AddAction(QKeySequence(Qt::CTRL | Qt::Key_D), [this] { Screens->Toggle(); });
    if (setup != nullptr) {
        Page = new ScreensPage(Screens);
        setup->AddOptionsPage(Page, QStringLiteral("Screens"));
    }
}
