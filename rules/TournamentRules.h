// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EndCounter.h"

#include <QObject>

class EmergencyStop;
class QLabel;
class QWidget;
class RoundsPage;
class TForm1;
class TForm2;

// Tournament rules beside the clock: round presets for the setup dialog, the
// detail letters with their rotation, the end counter and the emergency stop.
// It follows the clock's moments (a wave started, an end finished or
// abandoned, the time stopped) and writes the letters and the end's number
// into what the archers see; the clock's own handlers are left as they are.
// Every option starts off, and with all of them off nothing is shown.
class TournamentRules : public QObject
{
    Q_OBJECT
public:
    TournamentRules(TForm1 &form, TForm2 &dialog);

    RoundsPage *Page = nullptr;
    // The operator's end number, at the right of the button row's top line.
    QLabel *EndNumber = nullptr;
    EmergencyStop *Emergency = nullptr;
    EndCounter Ends;

    // The letters of the running wave, or on the ready screen of the next
    // end's first wave; empty when not shown.
    QString Detail() const;

    // Where the tournament stands, put right by hand between ends or read
    // from a tournament file; what the archers see follows at once.
    void StepEnd(int by);
    // The detail that starts the next end: 0 for AB, 1 for CD, 2 for EF;
    // always 0 for a round without letters.
    int FirstDetail() const;
    void SetFirstDetail(int detail);
    // The details that take turns: 2 or 3, or 1 for a round without letters.
    int Details() const;
    void SetStanding(int scoringEnds, int practiceEnds, int firstDetail);
    // Sets the first detail again when the setup dialog, shown now, has
    // handed the clock its number of waves.
    void SetFirstDetailOnceSetUp(int detail);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectPage(TForm2 &dialog);
    void connectTrueSeconds();
    int firstDetailWith(int shift) const;
    void connectStanding();
    int shiftFor(int detail) const;
    void createEndNumber();
    void placeEndNumber();
    void waveStarted();
    void endFinished();
    void backToFirstWave();
    void publish();

    TForm1 &form;
    // The button row, kept apart from the window: it is watched for resizes
    // also while the window is being taken down, when the window's own
    // fields are gone.
    QWidget *panel = nullptr;
    int wave = 0; // of the running end, from 0; 0 on the ready screen
    // Details moved on by hand, on top of the rotation.
    int detailShift = 0;
    int firstDetailOnceSetUp = -1; // none
    // The tick as the clock counts its seconds, for when true seconds are off.
    int countedSecond = 0;
};
