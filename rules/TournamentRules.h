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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectPage(TForm2 &dialog);
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
};
