// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a horn signal is heard after the sequence asks for it, and whether
// a busy window lets silence into a blast, measured at the sound server's sink.
//
// A private PulseAudio server with a null sink is started and its monitor is
// recorded. The recording dates itself: a frame cannot be in the file before
// it was played, so the earliest start that agrees with every look at the
// file's size puts each frame on the wall clock, late by at most the
// recorder's smallest delay, which is the same for every figure.
//
// The horn player is set beside a bare output stream that is already running
// with the same format and buffer and is handed the same sound at once: the
// least time any player on this output can take. Each signal starts from
// silence and is cut off after a while by a sound that is not there.

#include "BenchFigures.h"
#include "HornSignal.h"
#include "PrivateSoundServer.h"
#include "QtSoundPlayer.h"
#include "SinkRecorder.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int Rounds = 40;
constexpr int Rate = 44100;
constexpr int BytesPerFrame = 4;
constexpr int BareBufferMs = 100;
constexpr int SoundingMs = 150;
const QString One = QStringLiteral("1dyt.wav");
const QString NoSound = QStringLiteral("none.wav");

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

bool silentFrame(const char *at)
{
    return qFromLittleEndian<qint16>(at) == 0 && qFromLittleEndian<qint16>(at + 2) == 0;
}

// Puts recorded frames on the bench's wall clock.
class SinkClock
{
public:
    SinkClock(SinkRecorder &recorder, const QElapsedTimer &wall) : recorder(recorder), wall(wall) {}

    void look()
    {
        const qint64 frames = recorder.mark();
        origin = std::min(origin, now() - frames * 1000.0 / Rate);
    }
    double now() const { return wall.nsecsElapsed() / 1e6; }
    double timeOf(qint64 frame) const { return origin + frame * 1000.0 / Rate; }
    qint64 frameAt(double ms) const { return qint64((ms - origin) * Rate / 1000.0); }

private:
    SinkRecorder &recorder;
    const QElapsedTimer &wall;
    double origin = std::numeric_limits<double>::max();
};

// An output stream of its own, kept full of silence, that takes the sound
// the moment it is asked to.
class BareStream
{
public:
    explicit BareStream(const QByteArray &sound) : sound(sound)
    {
        QAudioFormat format;
        format.setSampleRate(Rate);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
        sink->setBufferSize(Rate * BytesPerFrame * BareBufferMs / 1000);
        output = sink->start();
    }
    bool running() const { return output != nullptr; }
    void play()
    {
        offset = 0;
        playing = true;
        topUp();
    }
    void quiet() { playing = false; }
    void topUp()
    {
        if (!output)
            return;
        qint64 room = sink->bytesFree() / BytesPerFrame * BytesPerFrame;
        while (room > 0) {
            const bool sounding = playing && offset < sound.size();
            const QByteArray chunk = sounding ? sound.mid(offset, room) : QByteArray(room, '\0');
            const qint64 taken = output->write(chunk);
            if (taken <= 0)
                return;
            if (sounding)
                offset += taken;
            room -= taken;
        }
    }

private:
    QByteArray sound;
    std::unique_ptr<QAudioSink> sink;
    QIODevice *output = nullptr;
    qint64 offset = 0;
    bool playing = false;
};

double longestZeroRunMs(const QList<qint16> &samples)
{
    qsizetype lastSound = -1;
    qsizetype longest = 0;
    for (qsizetype at = 0; at < samples.size(); ++at) {
        if (samples[at] == 0)
            continue;
        if (lastSound >= 0)
            longest = std::max(longest, at - lastSound - 1);
        lastSound = at;
    }
    return longest * 1000.0 / Rate;
}

QByteArray stereo(const QList<qint16> &mono)
{
    QByteArray out(mono.size() * BytesPerFrame, '\0');
    for (qsizetype i = 0; i < mono.size(); ++i) {
        qToLittleEndian(mono[i], out.data() + i * BytesPerFrame);
        qToLittleEndian(mono[i], out.data() + i * BytesPerFrame + 2);
    }
    return out;
}

struct Bench
{
    SinkRecorder &recorder;
    SinkClock &clock;
    std::function<void()> idleWork = [] {};

    // Lets the event loop run, as the program's would between signals.
    void idle(double ms)
    {
        const double until = clock.now() + ms;
        while (clock.now() < until) {
            clock.look();
            idleWork();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QThread::usleep(500);
        }
    }

    // Until the last 50 ms recorded were silent (at most three seconds).
    void waitForQuiet()
    {
        for (int tries = 0; tries < 150; ++tries) {
            idle(20);
            const QByteArray tail = recorder.framesFrom(recorder.mark() - Rate / 20);
            bool quiet = true;
            for (qsizetype at = 0; quiet && at + BytesPerFrame <= tail.size(); at += BytesPerFrame)
                quiet = silentFrame(tail.constData() + at);
            if (quiet)
                return;
        }
    }

    // Milliseconds from each call to the first sound at the sink.
    std::vector<double> firstSampleDelays(const std::function<void()> &play, const std::function<void()> &quiet)
    {
        std::vector<double> calls;
        for (int round = 0; round < Rounds; ++round) {
            waitForQuiet();
            idle(30);
            calls.push_back(clock.now());
            play();
            idle(SoundingMs);
            quiet();
        }
        waitForQuiet();
        idle(100);
        std::vector<double> delays;
        for (double call : calls) {
            const qint64 from = clock.frameAt(call);
            const QByteArray frames = recorder.framesFrom(from);
            for (qsizetype at = 0; at + BytesPerFrame <= frames.size(); at += BytesPerFrame) {
                if (!silentFrame(frames.constData() + at)) {
                    delays.push_back(clock.timeOf(from + at / BytesPerFrame) - call);
                    break;
                }
            }
        }
        return delays;
    }

    // The longest silence inside one blast while the thread is held.
    double gapWithHold(QtSoundPlayer &player, int holdMs)
    {
        waitForQuiet();
        const qint64 mark = recorder.mark();
        player.PlaySound(One);
        idle(40);
        QThread::msleep(holdMs); // the window busy with a large picture
        idle(HornSignal::BlastSeconds * 1000);
        waitForQuiet();
        return recorder.longestGapMs(mark);
    }
};

void printDelays(const char *median, const char *worst, const std::vector<double> &delays, const char *medianTarget,
                 const char *worstTarget)
{
    if (delays.empty()) {
        std::fprintf(stderr, "bench_horn: nothing reached the sink for \"%s\"\n", median);
        return;
    }
    printFigure(median, ::median(delays), "ms", medianTarget);
    printFigure(worst, longest(delays), "ms", worstTarget);
    if (int(delays.size()) < Rounds)
        std::fprintf(stderr, "bench_horn: %d of %d signals never reached the sink\n", Rounds - int(delays.size()),
                     Rounds);
}

void measureAtTheSink(QtSoundPlayer &player, SinkRecorder &recorder, const QElapsedTimer &wall)
{
    SinkClock clock(recorder, wall);
    Bench bench{recorder, clock};
    bench.idle(300);

    const std::vector<double> heard =
        bench.firstSampleDelays([&] { player.PlaySound(One); }, [&] { player.PlaySound(NoSound); });
    std::vector<double> bare;
    {
        BareStream stream(stereo(HornSignal(1).samples()));
        if (stream.running()) {
            bench.idleWork = [&] { stream.topUp(); };
            bare = bench.firstSampleDelays([&] { stream.play(); }, [&] { stream.quiet(); });
            bench.idleWork = [] {};
        }
    }
    printDelays("horn: bare running stream, call to sink (median)", "horn: bare running stream, call to sink (worst)",
                bare, "baseline", "baseline");
    printDelays("horn: call to first sample at sink (median)", "horn: call to first sample at sink (worst)", heard,
                "baseline + 5 ms", "<= 20 ms");

    // The horn's own waveform passes through zero now and then; only what is
    // longer than that was let in by the output.
    const double own = longestZeroRunMs(HornSignal(1).samples());
    for (int hold : {100, 300, 500}) {
        const double gap = bench.gapWithHold(player, hold);
        const QByteArray name = QStringLiteral("horn: silence in a blast, window held %1 ms").arg(hold).toUtf8();
        if (gap < 0)
            std::fprintf(stderr, "bench_horn: the blast held %d ms never reached the sink\n", hold);
        else
            printFigure(name.constData(), std::max(0.0, gap - own), "ms", "0 ms");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    PrivateSoundServer server;
    const bool serverUp = server.start();
    if (!serverUp)
        std::fprintf(stderr, "bench_horn: no private sound server (%s)\n", qPrintable(server.failure()));

    QTemporaryDir folder;
    if (!folder.isValid() || !writeHornFiles(folder)) {
        std::fprintf(stderr, "bench_horn: cannot write the horn files\n");
        return 1;
    }

    QElapsedTimer wall;
    wall.start();
    QtSoundPlayer player(folder.path() + QLatin1Char('/'));
    printFigure("horn: read the three signals at start-up", wall.nsecsElapsed() / 1e6, "ms", "< 200 ms");

    SinkRecorder recorder;
    if (serverUp && player.hasOutput() && recorder.start())
        measureAtTheSink(player, recorder, wall);
    else
        std::fprintf(stderr, "bench_horn: no output or no recorder, so nothing is measured at the sink\n");

    // Last, since signals in such a quick row are the hardest on an output.
    std::vector<double> calls;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer call;
        call.start();
        player.PlaySound(QtSoundPlayer::hornNames().at(round % 3));
        calls.push_back(call.nsecsElapsed() / 1e6);
        QThread::msleep(5);
    }
    player.PlaySound(NoSound);
    printFigure("horn: PlaySound call returns (median)", median(calls), "ms", "< 5 ms");
    printFigure("horn: PlaySound call returns (longest)", longest(calls), "ms", "< 20 ms");
    return 0;
}
