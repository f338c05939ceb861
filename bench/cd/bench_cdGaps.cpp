// Silence let into CD music while the user-interface thread is busy.
//
// Plays a generated disc image through the real audio output on a private
// PulseAudio server with a null sink, holds the user-interface thread for a
// while in the middle of the music, as loading a large advert picture does,
// and records what the sink played. The figure is the longest stretch of
// silence inside the music, for holds of 100, 300 and 500 ms.

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

// The longest silence in milliseconds, or -1 when the music could not be played or recorded.
double gapWithHold(const QString &cue, int holdMs)
{
    CdAudioDevice device(cue, QtAudioSink::Factory());
    MciParms open;
    open.lpstrDeviceType = "CDAudio";
    if (device.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, open) != 0)
        return -1;
    SinkRecorder recorder;
    if (!recorder.start())
        return -1;
    MciParms play;
    if (device.SendCommand(open.wDeviceID, MCI_PLAY, 0, play) != 0)
        return -1;
    idle(1000);
    QThread::msleep(static_cast<unsigned long>(holdMs));
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && mode(device, open.wDeviceID) == MCI_MODE_PLAY)
        idle(20);
    idle(300);
    MciParms close;
    device.SendCommand(open.wDeviceID, MCI_CLOSE, MCI_WAIT, close);
    idle(50);
    return recorder.longestGapMs();
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
    QTemporaryDir folder;
    // Two tracks, 4 seconds of music.
    const QString cue = DiscImage::write(folder.path(), QStringLiteral("music"), {{150}, {150}});
    for (int hold : {100, 300, 500}) {
        const QByteArray name = "cd longest silence, " + QByteArray::number(hold) + " ms busy";
        printFigure(name.constData(), gapWithHold(cue, hold), "ms", "0");
    }
    return 0;
}
