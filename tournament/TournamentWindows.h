// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ITournamentWindows.h"

class AudienceScreens;
class NetworkPage;
class QCheckBox;
class TForm1;
class TForm2;
class TournamentRules;

// The windows a tournament file is taken from and given to: the setup
// dialog's fields and lists, the "Rounds" page and the standing of the
// tournament rules, the audience display's screen and the web server.
// The screens and the network may be absent.
class TournamentWindows : public ITournamentWindows
{
public:
    TournamentWindows(TForm1 &form, TForm2 &dialog, TournamentRules &rules, AudienceScreens *screens,
                      NetworkPage *network);

    bool Capture(TournamentSettings &settings, QString &refusal) override;
    QStringList Apply(const TournamentSettings &settings) override;

private:
    void applySetup(const TournamentSettings &settings, QStringList &unused);
    void applyRounds(const TournamentSettings &settings, QStringList &unused);
    void applyScreen(const QString &screen, QStringList &unused);
    void applyNetwork(const TournamentSettings &settings, QStringList &unused);
    // The rules' check boxes with the settings' fields, in one order.
    struct RuleBox
    {
        QCheckBox *box;
        bool TournamentSettings::*field;
    };
    QList<RuleBox> ruleBoxes() const;

    TForm1 &form;
    TForm2 &dialog;
    TournamentRules &rules;
    AudienceScreens *screens;
    NetworkPage *network;
};
