// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;

// The "Rounds" page of the options dialog: a round preset, the detail
// letters, the end counter and the emergency stop. Every option starts off;
// the tournament rules act on the controls.
class RoundsPage : public QWidget
{
    Q_OBJECT
public:
    explicit RoundsPage(QWidget *parent = nullptr);

    QComboBox *Preset = nullptr;
    QCheckBox *ShowDetail = nullptr;
    QCheckBox *RotateDetails = nullptr;
    QCheckBox *ShowEndNumber = nullptr;
    QCheckBox *EndNumberToArchers = nullptr;
    QCheckBox *Practice = nullptr;
    QPushButton *ResetEndCount = nullptr;
    QCheckBox *EmergencyStop = nullptr;
    // Ticks of 1000 ms instead of the clock's 988 ms; ticked by choosing a round.
    QCheckBox *TrueSeconds = nullptr;
};
