// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FinalsMatch.h"
#include "FinalsScreen.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QSpinBox;

// The "Finals" page of the options dialog: finals on or off, the kind of
// match with its times and arrows (filled in from the rules when a kind is
// chosen, editable after), and the side that starts.
class FinalsPage : public QWidget
{
    Q_OBJECT
public:
    explicit FinalsPage(QWidget *parent = nullptr);

    QCheckBox *ModeOn = nullptr;
    QComboBox *Kind = nullptr;
    QSpinBox *Time = nullptr;
    QSpinBox *Warning = nullptr;
    QSpinBox *WalkUp = nullptr;
    QSpinBox *Arrows = nullptr;
    QSpinBox *ArrowsPerTurn = nullptr;
    QCheckBox *CarryOver = nullptr;
    QComboBox *StartingSide = nullptr;

    FinalsMatch Match() const;
    void Fill(const FinalsMatch &match);
    FinalsScreen::Side Starter() const;
    void SetStarter(FinalsScreen::Side side);

signals:
    // The match or the starting side was changed on the page.
    void changed();
};
