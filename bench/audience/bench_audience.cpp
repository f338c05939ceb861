// SPDX-License-Identifier: GPL-3.0-or-later
// The audience display at 4K: how long from a tick until the projector's
// window has repainted, and whether it repaints in the same pass of the
// event loop as the main window's counter (the same frame).

#include "AudienceDisplay.h"
#include "BenchFigures.h"
#include "BenchPlatform.h"
#include "TCounterLabel.h"
#include "TTimer.h"
#include "Unit1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <algorithm>
#include <vector>

namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void benchTicks(TForm1 &form, AudienceDisplay &display, PaintCounter &counter, const char *what)
{
    form.StartKnapClick();
    QApplication::processEvents();
    constexpr int Ticks = 200;
    std::vector<double> wall;
    std::vector<double> cpu;
    int sameFrame = 0;
    QElapsedTimer clock;
    for (int i = 0; i < Ticks; ++i) {
        const int displayBefore = display.Paints();
        const int counterBefore = counter.paints;
        const double cpuStart = threadCpuMs();
        clock.start();
        form.Timer1Timer();
        QApplication::processEvents();
        while (display.Paints() == displayBefore)
            QApplication::processEvents();
        wall.push_back(clock.nsecsElapsed() / 1e6);
        cpu.push_back(threadCpuMs() - cpuStart);
        sameFrame += counter.paints > counterBefore && display.Paints() == displayBefore + 1 ? 1 : 0;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    double sum = 0;
    for (double ms : wall)
        sum += ms;
    form.Timer1->SetEnabled(false);
    form.nulstilleknapClick();
    QApplication::processEvents();
    const QByteArray name = QByteArray("tick to audience repaint at 2160 px") + what;
    printFigure((name + ", mean").constData(), sum / Ticks, "ms", "<= 16");
    printFigure((name + ", median").constData(), wall[Ticks / 2], "ms", "<= 16");
    printFigure((name + ", worst").constData(), wall.back(), "ms", "<= 16");
    printFigure((name + ", processor time median").constData(), cpu[Ticks / 2], "ms", "");
    printFigure((name + ", processor time worst").constData(), cpu.back(), "ms", "");
    printFigure((name + ", ticks in the counter's frame").constData(), 100.0 * sameFrame / Ticks, "%", "100");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchPlatform platform(QStringLiteral(VANTIX_PROGRAM_FOLDER));
    TForm1 form;
    form.resize(1920, 1080);
    form.show();
    PaintCounter counter;
    form.SekunderTilbage->installEventFilter(&counter);
    AudienceDisplay display;
    QObject::connect(form.Published, &ScreenPublisher::screenChanged, &display, &AudienceDisplay::Show);
    display.resize(3840, 2160);
    display.show();
    QApplication::processEvents();
    benchTicks(form, display, counter, "");
    form.Published->SetDetail(QStringLiteral("AB"));
    form.Published->SetEndLabel(QStringLiteral("10"));
    benchTicks(form, display, counter, " with letters");
    return 0;
}
