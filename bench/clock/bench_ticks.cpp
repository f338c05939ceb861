// SPDX-License-Identifier: GPL-3.0-or-later
// Tick cadence: runs the real Timer1 through a whole end with the start values
// (280 ticks) and prints how evenly the ticks came, first at the clock's own
// 988 ms, then at the 1000 ms of "count true seconds".
// Usage: bench_ticks [ticks]   (default 280, a whole end; takes 280 x 988 ms
// and 280 x 1000 ms, about nine and a half minutes)

#include "BenchFigures.h"
#include "BenchPlatform.h"
#include "TTimer.h"
#include "Unit1.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// One end's ticks at the given interval; the figures are named after it.
void measure(QApplication &app, TForm1 &form, int wanted, int interval, const char *target)
{
    form.Timer1->SetInterval(interval);
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
    form.Timer1->SetEnabled(false);
    form.InitScreenKlar();

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
    const double drift = ticks.back() / 1e6 - ticks.size() * double(interval);
    const std::string at = " (" + std::to_string(interval) + " ms)";
    printFigure(("tick interval, mean" + at).c_str(), mean, "ms", target);
    printFigure(("tick interval, max deviation" + at).c_str(), worst, "ms", "<= 2");
    printFigure(("drift at the last tick" + at).c_str(), drift, "ms", "|drift| <= 5");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int wanted = argc > 1 ? std::max(2, std::atoi(argv[1])) : 280;
    BenchPlatform platform(QStringLiteral(VANTIX_PROGRAM_FOLDER));
    TForm1 form;
    form.resize(1920, 1080);
    form.show();

    // The clock's own tick first, as the program starts; then true seconds,
    // the interval the Rounds page's option gives the same timer.
    measure(app, form, wanted, form.Timer1->Interval(), "988 +- 0.1");
    measure(app, form, wanted, 1000, "1000 +- 0.1");
    return 0;
}
