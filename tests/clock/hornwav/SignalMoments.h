// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ISoundPlayer.h"
#include "TTimer.h"
#include "TCounterLabel.h"
#include "Unit1.h"

#include <QLabel>
#include <QList>
#include <QPushButton>

// What the window showed at the moment a signal was asked for.
struct SignalMoment
{
    int tick;
    QString name;
    QString counter;
    bool counterVisible;
    TColor colour;
    QString startCaption;
    bool timerRunning;
    int wavesLeft;
};

// A sound player that records each signal together with the window's state at
// that moment, so a test can tell where in a handler the signal sounded.
class SignalMoments : public ISoundPlayer
{
public:
    explicit SignalMoments(const TForm1 *&form) : form(form) {}

    int tick = 0; // the driver's count: 0 for the press of Start, then ticks
    QList<SignalMoment> moments;

    void PlaySound(const QString &bareName) override
    {
        moments.append({tick, bareName, form->SekunderTilbage->text(), !form->SekunderTilbage->isHidden(),
                        form->CounterColor(), form->StartKnap->text(), form->Timer1->Enabled(),
                        form->WavesLeft});
    }

    QStringList names() const
    {
        QStringList result;
        for (const SignalMoment &moment : moments)
            result.append(moment.name);
        return result;
    }

private:
    const TForm1 *&form;
};
