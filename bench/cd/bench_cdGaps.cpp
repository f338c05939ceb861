// SPDX-License-Identifier: GPL-3.0-or-later
// Silence let into CD music while the user-interface thread is busy.
//
// Plays a generated disc image through the real audio output on a private
// PulseAudio server with a null sink, holds the user-interface thread for a
// while in the middle of the music, as loading a large advert picture does,
// and records what the sink played. The figure is the longest stretch of
// silence inside the music, for holds of 100, 300 and 500 ms. Beside them:
// how long the sink still plays after Stop and after Pause, and the silence
// between the tracks when Next is pressed during playback.

#include "BenchFigures.h"
#include "CdAudioDevice.h"
#include "DiscImage.h"
#include "PrivateSoundServer.h"
#include "QtAudioSink.h"
#include "SinkRecorder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace Mci;

namespace {

void idle(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::uint32_t mode(CdAudioDevice &device, std::uint16_t id)
{
    MciParms parms;
    parms.dwItem = MCI_STATUS_MODE;
    device.SendCommand(id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, parms);
    return parms.dwReturn;
}

// The device open on the disc image and the sink being recorded.
class Session
{
public:
    Session(const QString &cue, SinkRecorder &sink) : device(cue, QtAudioSink::Factory()), recorder(sink)
    {
        from = recorder.mark();
        MciParms open;
        open.lpstrDeviceType = "CDAudio";
        ready = device.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, open) == 0;
        id = open.wDeviceID;
        MciParms set;
        set.dwTimeFormat = MCI_FORMAT_TMSF;
        ready = ready && send(MCI_SET, MCI_SET_TIME_FORMAT, set) == 0;
    }
    ~Session()
    {
        MciParms close;
        send(MCI_CLOSE, MCI_WAIT, close);
        idle(50);
    }

    std::uint32_t send(std::uint32_t command, std::uint32_t flags, MciParms &parms)
    {
        return device.SendCommand(id, command, flags, parms);
    }
    std::uint32_t send(std::uint32_t command, std::uint32_t flags)
    {
        MciParms parms;
        return send(command, flags, parms);
    }
    bool play()
    {
        MciParms parms;
        return ready && send(MCI_PLAY, 0, parms) == 0;
    }
    void waitUntilStopped()
    {
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && mode(device, id) == MCI_MODE_PLAY)
            idle(20);
        idle(300);
    }

    CdAudioDevice device;
    SinkRecorder &recorder;
    qint64 from = 0; // the recording's mark when the session began
    std::uint16_t id = 0;
    bool ready = false;
};

// The longest silence in milliseconds, or -1 when the music could not be played or recorded.
double gapWithHold(const QString &cue, SinkRecorder &recorder, int holdMs)
{
    Session session(cue, recorder);
    if (!session.play())
        return -1;
    idle(1000);
    QThread::msleep(static_cast<unsigned long>(holdMs));
    session.waitUntilStopped();
    return recorder.longestGapMs(session.from);
}

// Milliseconds of sound after the request (Stop or Pause) during playback.
double soundAfter(const QString &cue, SinkRecorder &recorder, std::uint32_t command)
{
    Session session(cue, recorder);
    if (!session.play())
        return -1;
    idle(1000);
    const qint64 mark = recorder.mark();
    session.send(command, MCI_WAIT);
    idle(500);
    return recorder.soundAfterMs(mark);
}

// The silence between the tracks when the second is asked for during the first.
double gapAtNext(const QString &cue, SinkRecorder &recorder)
{
    Session session(cue, recorder);
    if (!session.play())
        return -1;
    idle(1000);
    MciParms next;
    next.dwFrom = MakeTmsf(2, 0, 0, 0);
    session.send(MCI_PLAY, MCI_FROM, next);
    session.waitUntilStopped();
    return recorder.longestGapMs(session.from);
}

} // namespace

int main(int argc, char *argv[])
{
    PrivateSoundServer server;
    if (!server.start()) {
        std::fprintf(stderr, "no private sound server: %s\n", qPrintable(server.failure()));
        return 1;
    }
    QCoreApplication app(argc, argv);
    SinkRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "cannot record the sink (parec)\n");
        return 1;
    }
    QTemporaryDir folder;
    // Two tracks, 4 seconds of music.
    const QString cue = DiscImage::write(folder.path(), QStringLiteral("music"), {{150}, {150}});
    for (int hold : {100, 300, 500}) {
        const QByteArray name = "cd longest silence, " + QByteArray::number(hold) + " ms busy";
        printFigure(name.constData(), gapWithHold(cue, recorder, hold), "ms", "0");
    }
    printFigure("cd sound after Stop", soundAfter(cue, recorder, MCI_STOP), "ms", "<= 100");
    printFigure("cd sound after Pause", soundAfter(cue, recorder, MCI_PAUSE), "ms", "<= 100");
    printFigure("cd silence at Next", gapAtNext(cue, recorder), "ms", "<= 100");
    return 0;
}
