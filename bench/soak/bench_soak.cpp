// SPDX-License-Identifier: GPL-3.0-or-later
// The long soak: 10,000 ends of the real main window as fast as the event loop
// allows (see tests/clock/SoakRun.h), printing the resident memory at end 1,000
// and at the last end, the window's object count, and how long it took.
// Usage: bench_soak [ends]   (default 10000)

#include "BenchFigures.h"
#include "SoakRun.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

namespace {

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0) : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const long ends = argc > 1 ? std::max(1100L, std::atol(argv[1])) : 10000L;
    SoakRun soak;
    soak.start();
    double residentAt1000 = 0;
    qsizetype objectsAt1000 = 0;
    soak.afterEnd = [&](long end) {
        if (end == 1000) {
            residentAt1000 = residentMiB();
            objectsAt1000 = soak.form->findChildren<QObject *>().size();
        }
    };
    QElapsedTimer clock;
    clock.start();
    soak.runUntil(ends);
    const double seconds = clock.elapsed() / 1000.0;
    const double residentAtEnd = residentMiB();
    printFigure("soak: ends played", soak.ends, "ends", "10000");
    printFigure("soak: ticks", soak.ticks, "ticks", "");
    printFigure("soak: run time", seconds, "s", "");
    printFigure("soak: resident at end 1000", residentAt1000, "MiB", "");
    printFigure("soak: resident growth 1000 to last", residentAtEnd - residentAt1000, "MiB", "<= 2");
    printFigure("soak: window objects, growth 1000 to last",
                double(soak.form->findChildren<QObject *>().size() - objectsAt1000), "objects", "0");
    printFigure("soak: picture warnings", soak.messages.warnings, "boxes", "");
    return soak.onReadyScreen() ? 0 : 1;
}
