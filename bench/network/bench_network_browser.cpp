// SPDX-License-Identifier: GPL-3.0-or-later
// A real browser: headless Chromium shows the served page, and the time from
// a tick of the main window to the new digits painted in the page is taken.
// Usage: bench_network_browser [samples]   (default 100)

#include "BenchFigures.h"
#include "ChromiumSession.h"
#include "ServedBench.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int samples = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100;
    ServedBench bench;
    ChromiumSession chromium;
    QString why;
    if (!chromium.Open(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(bench.server.Port())), QSize(1280, 720),
                       &why)) {
        std::fprintf(stderr, "no browser: %s\n", qPrintable(why));
        return 1;
    }
    if (!chromium.WaitFor(QStringLiteral("typeof socket !== 'undefined' && socket && socket.readyState === 1"),
                          20000)) {
        std::fprintf(stderr, "the page did not connect\n");
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    QString painted;
    qint64 paintedAt = 0;
    chromium.Listen(QStringLiteral("painted"), [&](const QString &text) {
        paintedAt = clock.nsecsElapsed();
        painted = text;
    });
    // After the change the frame is drawn; the task after that frame's
    // callback runs once it has been painted.
    chromium.Evaluate(QStringLiteral(
        "new MutationObserver(() => requestAnimationFrame(() => setTimeout(() => painted(digits.textContent), 0)))"
        ".observe(digits, {childList: true, characterData: true, subtree: true}); true"));

    bench.form.StartKnapClick();
    bench.form.Timer1->SetEnabled(false);
    std::vector<double> latencies;
    int missed = 0;
    for (int sample = 0; sample < samples; ++sample) {
        spinUntil([] { return false; }, 100);
        const qint64 tick = clock.nsecsElapsed();
        bench.form.Timer1Timer();
        const QString text = bench.form.Published->Current().counterText;
        if (spinUntil([&] { return painted == text && paintedAt >= tick; }, 2000))
            latencies.push_back((paintedAt - tick) / 1e6);
        else
            ++missed;
    }
    printFigure("tick -> digits painted in Chromium, median", percentile(latencies, 0.5), "ms", "");
    printFigure("tick -> digits painted in Chromium, p99", percentile(latencies, 0.99), "ms", "<= 50");
    printFigure("ticks never painted within 2 s", missed, "ticks", "0");
    return 0;
}
