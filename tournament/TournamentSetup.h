// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TournamentDocument.h"
#include "TournamentWindows.h"

#include <QObject>

class KeyControl;
class TournamentPage;

// The tournament file joined to the program: its options page "Tournament"
// and the keys that put right where the tournament stands. The main window
// owns it.
class TournamentSetup : public QObject
{
    Q_OBJECT
public:
    TournamentSetup(TForm1 &form, TForm2 &dialog, TournamentRules &rules, AudienceScreens *screens,
                    NetworkPage *network, KeyControl *keys);

    TournamentWindows Windows;
    TournamentDocument Document;
    TournamentPage *Page = nullptr;

private:
    void addKeys(KeyControl &keys, TForm1 &form, TournamentRules &rules);
};
