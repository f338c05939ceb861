// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AnnouncingSoundPlayer.h"
#include "BenchPlatform.h"
#include "ClockServer.h"
#include "TTimer.h"
#include "Unit1.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

// The real main window on the program's real services, served on a free
// loopback port, as the program runs it with the server switched on.
struct ServedBench
{
    BenchPlatform platform{QStringLiteral(VANTIX_PROGRAM_FOLDER)};
    AnnouncingSoundPlayer horns{&SoundPlayer::get()};
    TForm1 form;
    ClockServer server{form, &horns, QStringLiteral(VANTIX_PROGRAM_FOLDER)};

    ServedBench()
    {
        SoundPlayer::install(&horns);
        form.resize(1920, 1080);
        form.show();
        server.Listen(0);
    }
};

// Runs the event loop, as the program's own loop would, until done() holds or
// the time is up; unlike a sleeping wait it reacts to each event at once.
inline bool spinUntil(const std::function<bool()> &done, int ms)
{
    QEventLoop loop;
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    look.start(1);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

inline double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t at = std::min(values.size() - 1, std::size_t(std::ceil(share * values.size())) - 1);
    return values[at];
}

// Lets the real Timer1 tick a number of times from a Start press and gives
// the largest distance of an interval from the timer's interval, in ms.
inline double tickJitter(TForm1 &form, int ticks)
{
    QElapsedTimer clock;
    std::vector<qint64> at;
    form.Timer1->OnTimer = [&] {
        at.push_back(clock.nsecsElapsed());
        form.Timer1Timer();
    };
    // Each run starts a fresh end from the ready screen.
    form.nulstilleknapClick();
    clock.start();
    form.StartKnapClick();
    spinUntil([&] { return int(at.size()) >= ticks; }, ticks * 2000);
    form.Timer1->SetEnabled(false);
    form.Timer1->OnTimer = [&form] { form.Timer1Timer(); };
    double worst = 0;
    for (std::size_t i = 1; i < at.size(); ++i) {
        worst = std::max(worst, std::abs((at[i] - at[i - 1]) / 1e6 - form.Timer1->Interval()));
        if (qEnvironmentVariableIsSet("VANTIX_BENCH_INTERVALS"))
            std::fprintf(stderr, "interval %.3f ms\n", (at[i] - at[i - 1]) / 1e6);
    }
    return worst;
}
