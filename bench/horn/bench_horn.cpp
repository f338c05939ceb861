// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a horn signal starts after the sequence asks for it.
//
// Plays the three horn signals one after another, each cutting off the one
// before, as the sequence does, and measures from the call to the moment the
// audio output reports that it is playing. With no audio output at all the
// figure is the time until the call has returned, that is until the sound is
// queued. Uses a private PulseAudio server with a null sink when PulseAudio is
// installed, the machine's own sound server when started with --system-sound.

#include "BenchFigures.h"
#include "HornSignal.h"
#include "PrivateSoundServer.h"
#include "QtSoundPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rounds = 30;

bool writeHornFiles(const QTemporaryDir &folder)
{
    for (int blasts = 1; blasts <= 3; ++blasts) {
        QFile file(folder.filePath(QStringLiteral("%1dyt.wav").arg(blasts)));
        if (!file.open(QIODevice::WriteOnly) || file.write(HornSignal(blasts).toWav()) < 0)
            return false;
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double longest(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

// Lets the event loop run for a while, as the program's would between signals.
void idle(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Milliseconds from the call until the output plays, or -1 when it never does.
double untilPlaying(QtSoundPlayer &player, const QString &name, const QElapsedTimer &since)
{
    while (since.elapsed() < 2000) {
        if (player.stateOf(name) == QAudio::ActiveState)
            return since.nsecsElapsed() / 1e6;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return -1.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    PrivateSoundServer server;
    if (!QCoreApplication::arguments().contains(QStringLiteral("--system-sound")) && !server.start())
        std::fprintf(stderr, "bench_horn: no private sound server (%s)\n", qPrintable(server.failure()));

    QTemporaryDir folder;
    if (!folder.isValid() || !writeHornFiles(folder)) {
        std::fprintf(stderr, "bench_horn: cannot write the horn files\n");
        return 1;
    }
    const QString programFolder = folder.path() + QLatin1Char('/');

    QElapsedTimer clock;
    clock.start();
    QtSoundPlayer player(programFolder);
    printFigure("horn: read the three signals at start-up", clock.nsecsElapsed() / 1e6, "ms", "< 200 ms");

    std::vector<double> calls;
    std::vector<double> starts;
    for (int round = 0; round < Rounds; ++round) {
        const QString name = QtSoundPlayer::hornNames().at(round % 3);
        clock.restart();
        player.PlaySound(name);
        calls.push_back(clock.nsecsElapsed() / 1e6);
        if (player.hasOutput()) {
            const double started = untilPlaying(player, name, clock);
            if (started >= 0)
                starts.push_back(started);
        }
        idle(150);
    }
    printFigure("horn: PlaySound call returns (median)", median(calls), "ms", "< 5 ms");
    printFigure("horn: PlaySound call returns (longest)", longest(calls), "ms", "< 20 ms");
    if (starts.empty()) {
        std::fprintf(stderr, "bench_horn: no audio output, so the figures are the time to queue a signal\n");
        return 0;
    }
    printFigure("horn: call to playing (median)", median(starts), "ms", "< 5 ms");
    printFigure("horn: call to playing (longest)", longest(starts), "ms", "< 20 ms");
    if (int(starts.size()) < Rounds)
        std::fprintf(stderr, "bench_horn: %d of %d signals never reported playing\n", Rounds - int(starts.size()),
                     Rounds);
    return 0;
}
