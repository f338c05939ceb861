// SPDX-License-Identifier: GPL-3.0-or-later
// The real audio output, on a private sound server with a null sink that
// takes sound at the pace of a sound card.
#include "CdAudioDevice.h"
#include "DiscImage.h"
#include "NotifyCatcher.h"
#include "PrivateSoundServer.h"
#include "QtAudioSink.h"
#include "SinkRecorder.h"

#include <QtTest>

using namespace Mci;

class TestCdRealOutput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void heardFollowsWhatWasWritten();
    void discPlaysToItsEndThroughTheOutput();
    void busyWindowLetsNoSilenceIn();

private:
    PrivateSoundServer server;
};

void TestCdRealOutput::initTestCase()
{
    if (!server.start())
        QSKIP(qPrintable(QStringLiteral("no private sound server: ") + server.failure()));
}

void TestCdRealOutput::heardFollowsWhatWasWritten()
{
    QtAudioSink sink;
    QVERIFY(sink.Start());
    const QByteArray quarterSecond(IAudioSink::SampleRate * IAudioSink::BytesPerFrame / 4, '\x10');
    std::int64_t written = 0;
    std::int64_t lastHeard = 0;
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && (written < quarterSecond.size() || sink.BytesHeard() < written)) {
        const std::int64_t room = std::min<std::int64_t>(sink.BytesFree(), quarterSecond.size() - written);
        if (room > 0)
            written += sink.Write(quarterSecond.constData() + written, room);
        const std::int64_t heard = sink.BytesHeard();
        QVERIFY(heard <= written);   // never ahead of the sound
        QVERIFY(heard >= lastHeard); // never back
        lastHeard = heard;
        QTest::qWait(5);
    }
    QCOMPARE(written, std::int64_t(quarterSecond.size()));
    QCOMPARE(sink.BytesHeard(), written);
    // A new start begins the count again.
    QVERIFY(sink.Start());
    QCOMPARE(sink.BytesHeard(), std::int64_t(0));
    sink.Stop();
}

void TestCdRealOutput::discPlaysToItsEndThroughTheOutput()
{
    QTemporaryDir folder;
    const QString cue = DiscImage::write(folder.path(), QStringLiteral("short"), {{20}, {15}});
    CdAudioDevice device(cue, QtAudioSink::Factory());
    MciParms open;
    open.lpstrDeviceType = "CDAudio";
    QCOMPARE(device.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, open), 0u);
    MciParms set;
    set.dwTimeFormat = MCI_FORMAT_TMSF;
    QCOMPARE(device.SendCommand(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, set), 0u);
    NotifyCatcher window;
    MciParms play;
    play.dwCallback = &window;
    QCOMPARE(device.SendCommand(open.wDeviceID, MCI_PLAY, MCI_NOTIFY, play), 0u);
    QTRY_COMPARE_WITH_TIMEOUT(window.codes(), QList<std::uint32_t>{MCI_NOTIFY_SUCCESSFUL}, 15000);
    MciParms position;
    position.dwItem = MCI_STATUS_POSITION;
    QCOMPARE(device.SendCommand(open.wDeviceID, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, position), 0u);
    QCOMPARE(position.dwReturn, MakeTmsf(2, 0, 0, 15));
}

void TestCdRealOutput::busyWindowLetsNoSilenceIn()
{
    SinkRecorder sink;
    if (!sink.start())
        QSKIP("cannot record the sound server's sink");
    QTemporaryDir folder;
    const QString cue = DiscImage::write(folder.path(), QStringLiteral("music"), {{150}, {150}});
    CdAudioDevice device(cue, QtAudioSink::Factory());
    MciParms open;
    open.lpstrDeviceType = "CDAudio";
    QCOMPARE(device.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, open), 0u);
    NotifyCatcher window;
    MciParms play;
    play.dwCallback = &window;
    QCOMPARE(device.SendCommand(open.wDeviceID, MCI_PLAY, MCI_NOTIFY, play), 0u);
    QTest::qWait(800);
    QThread::msleep(500); // the window busy with a large picture
    QTRY_COMPARE_WITH_TIMEOUT(window.codes(), QList<std::uint32_t>{MCI_NOTIFY_SUCCESSFUL}, 15000);
    QTest::qWait(200);
    const double gap = sink.longestGapMs(0);
    QVERIFY2(gap >= 0, "no music reached the sink");
    QVERIFY2(gap < 5, qPrintable(QStringLiteral("%1 ms of silence in the music").arg(gap)));
}

QTEST_GUILESS_MAIN(TestCdRealOutput)
#include "tst_cdRealOutput.moc"
