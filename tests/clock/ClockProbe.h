// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TCounterLabel.h"
#include "TImage.h"
#include "TTimer.h"
#include "TestPlatform.h"
#include "Unit1.h"

#include <QLabel>
#include <QPushButton>

// What the archers and the timekeeper see of the main window at one moment.
struct Screen
{
    QString counter;
    bool counterVisible;
    TColor colour;
    Qt::Alignment alignment;
    QString startCaption;
    QStringList buttons; // visible buttons besides StartKnap and AfslutKnap
    bool timerRunning;
};

inline Screen screenOf(const TForm1 &form)
{
    Screen s;
    s.counter = form.SekunderTilbage->text();
    s.counterVisible = !form.SekunderTilbage->isHidden();
    s.colour = form.CounterColor();
    s.alignment = form.SekunderTilbage->alignment() & Qt::AlignHorizontal_Mask;
    s.startCaption = form.StartKnap->text();
    const std::pair<QPushButton *, const char *> named[] = {
        {form.Afbryd_TidKnap, "Afbryd_TidKnap"}, {form.nulstilleknap, "nulstilleknap"},
        {form.nulstilholdknap, "nulstilholdknap"}, {form.SetupKnap, "SetupKnap"}, {form.OmKnap, "OmKnap"}};
    for (const auto &[button, name] : named) {
        if (!button->isHidden())
            s.buttons.append(QLatin1String(name));
    }
    s.timerRunning = form.Timer1->Enabled();
    return s;
}

// Whether the value announced to the other views shows what the main
// window shows.
inline bool publishedMatches(const TForm1 &form)
{
    const ArcherScreen &p = form.Published->Current();
    const Screen s = screenOf(form);
    const auto align = s.alignment == Qt::AlignHCenter ? ArcherScreen::Align::Centre : ArcherScreen::Align::Right;
    return p.counterText == s.counter && p.counterShown == s.counterVisible && p.counterColor == s.colour
           && p.counterAlign == align && p.pictureShown == !form.Billede->isHidden()
           && p.picture.cacheKey() == form.Billede->Picture().cacheKey();
}

// Runs ticks by hand, as Timer1 would, recording the sounds of each tick.
// Counts the presses and ticks after which the announced value differed
// from the main window.
class ClockDriver
{
public:
    explicit ClockDriver(TForm1 &form, FakeSoundPlayer &sound) : form(form), sound(sound) {}

    int publishedMismatches = 0;

    QStringList press(QPushButton *button)
    {
        sound.played.clear();
        button->click();
        check();
        return sound.played;
    }
    QStringList tick()
    {
        sound.played.clear();
        form.Timer1Timer();
        check();
        return sound.played;
    }
    // Ticks until the timer stops or the limit is reached; returns the ticks run.
    int tickUntilStopped(int limit)
    {
        int ticks = 0;
        while (form.Timer1->Enabled() && ticks < limit) {
            form.Timer1Timer();
            check();
            ++ticks;
        }
        return ticks;
    }

private:
    void check() { publishedMismatches += publishedMatches(form) ? 0 : 1; }
    TForm1 &form;
    FakeSoundPlayer &sound;
};

inline void applyTimes(TForm1 &form, int red, int shooting, int yellow, int waves)
{
    form.RedTime = static_cast<std::uint8_t>(red);
    form.ShootingTime = static_cast<std::uint8_t>(shooting);
    form.YellowTime = static_cast<std::uint8_t>(yellow);
    form.NumberOfWaves = static_cast<std::uint8_t>(waves);
    form.WavesLeft = static_cast<std::uint8_t>(waves);
}
