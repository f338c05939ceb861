// SPDX-License-Identifier: GPL-3.0-or-later
// Tick cadence: runs the real Timer1 through a whole end with the start values
// (280 ticks) and prints how evenly the ticks came.
// Usage: bench_ticks [ticks]   (default 280, a whole end; takes 280 x 988 ms)

#include "BenchFigures.h"
#include "BenchPlatform.h"
#include "TTimer.h"
#include "Unit1.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int wanted = argc > 1 ? std::max(2, std::atoi(argv[1])) : 280;
    BenchPlatform platform(QStringLiteral(VANTIX_PROGRAM_FOLDER));
    TForm1 form;
    form.resize(1920, 1080);
    form.show();

    QElapsedTimer clock;
    std::vector<qint64> ticks;
    ticks.reserve(wanted);
    form.Timer1->OnTimer = [&] {
        ticks.push_back(clock.nsecsElapsed());
        form.Timer1Timer();
        if (static_cast<int>(ticks.size()) >= wanted)
            app.quit();
    };
    QTimer::singleShot(200, &form, [&] {
        clock.start();
        form.StartKnapClick();
    });
    app.exec();

    const double interval = form.Timer1->Interval();
    double sum = 0;
    double worst = 0;
    qint64 previous = 0;
    for (qint64 at : ticks) {
        const double ms = (at - previous) / 1e6;
        sum += ms;
        worst = std::max(worst, std::abs(ms - interval));
        previous = at;
    }
    const double mean = sum / ticks.size();
    const double drift = ticks.back() / 1e6 - ticks.size() * interval;
    printFigure("tick interval, mean", mean, "ms", "988 +- 0.1");
    printFigure("tick interval, max deviation", worst, "ms", "<= 2");
    printFigure("drift at the last tick", drift, "ms", "|drift| <= 5");
    return 0;
}
