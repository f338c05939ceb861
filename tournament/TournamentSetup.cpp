// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentSetup.h"

#include "KeyControl.h"
#include "TournamentPage.h"
#include "TournamentRules.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QPushButton>

TournamentSetup::TournamentSetup(TForm1 &form, TForm2 &dialog, TournamentRules &rules, AudienceScreens *screens,
                                 NetworkPage *network, KeyControl *keys)
    : QObject(&form), Windows(form, dialog, rules, screens, network), Document(Windows)
{
    Page = new TournamentPage(Document, rules);
    dialog.AddOptionsPage(Page, uVantixStrings::TournamentPageTitle);
    if (keys != nullptr)
        addKeys(*keys, form, rules);
}

void TournamentSetup::addKeys(KeyControl &keys, TForm1 &form, TournamentRules &rules)
{
    // Between ends only, on the ready screen, where the Setup button shows:
    // the standing is never changed under a running end.
    QPushButton *ready = form.SetupKnap;
    keys.AddAction(QKeySequence(Qt::Key_Plus), [ready, &rules] {
        if (ready->isVisible())
            rules.StepEnd(+1);
    });
    keys.AddAction(QKeySequence(Qt::Key_Minus), [ready, &rules] {
        if (ready->isVisible())
            rules.StepEnd(-1);
    });
    keys.AddAction(QKeySequence(Qt::Key_D), [ready, &rules] {
        if (ready->isVisible())
            rules.SetFirstDetail((rules.FirstDetail() + 1) % rules.Details());
    });
}
