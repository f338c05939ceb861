// SPDX-License-Identifier: GPL-3.0-or-later
// Counter repaint: how long the counter takes to repaint at projector sizes,
// and a whole tick's handling including its repaint.

#include "BenchFigures.h"
#include "BenchPlatform.h"
#include "TCounterLabel.h"
#include "Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>

namespace {

struct Timing
{
    double mean;
    double worst;
};

template <class Work>
Timing measure(int rounds, Work work)
{
    QElapsedTimer clock;
    double sum = 0;
    double worst = 0;
    for (int i = 0; i < rounds; ++i) {
        clock.start();
        work(i);
        const double ms = clock.nsecsElapsed() / 1e6;
        sum += ms;
        worst = std::max(worst, ms);
    }
    return {sum / rounds, worst};
}

void benchHeight(TForm1 &form, int width, int height)
{
    form.resize(width, height);
    QApplication::processEvents();
    form.StartKnapClick();
    QApplication::processEvents(); // the first paint lays out the glyphs
    // A new number, painted as the event loop paints it after a tick.
    const Timing paint = measure(100, [&](int i) {
        form.SekunderTilbage->setText(QString::number(120 - i % 100));
        QApplication::processEvents();
    });
    const Timing tick = measure(100, [&](int) {
        form.Timer1Timer();
        QApplication::processEvents();
    });
    form.nulstilleknapClick();
    const QByteArray name = QByteArray::number(height);
    printFigure(("counter repaint at " + name + " px, mean").constData(), paint.mean, "ms", "far under 16");
    printFigure(("counter repaint at " + name + " px, worst").constData(), paint.worst, "ms", "far under 16");
    printFigure(("tick with repaint at " + name + " px, mean").constData(), tick.mean, "ms", "far under 16");
    printFigure(("tick with repaint at " + name + " px, worst").constData(), tick.worst, "ms", "far under 16");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchPlatform platform(QStringLiteral(VANTIX_PROGRAM_FOLDER));
    TForm1 form;
    form.show();
    benchHeight(form, 1920, 1080);
    benchHeight(form, 3840, 2160);
    return 0;
}
