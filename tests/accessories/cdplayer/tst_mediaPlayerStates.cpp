// SPDX-License-Identifier: GPL-3.0-or-later
// The strip against the real CD audio device: the button states the device's
// state gives, and what each button does to the playback.
#include "PlayerRig.h"

using namespace Mci;

class TestMediaPlayerStates : public QObject
{
    Q_OBJECT
private slots:
    void buttonStateTable_data();
    void buttonStateTable();
    void stopRewindsAndPlayStartsAtTrackOne();
    void pauseTwice_data();
    void pauseTwice();
    void nextOnTheLastTrackRestartsIt();
    void prevDuringPlayback_data();
    void prevDuringPlayback();
    void nextAndPrevWhileStopped();
    void playAtTheEndRewindsFirst();
    void reopenWhilePlayingShowsPlaying();
    void completionNotificationEnablesPlay();
    void samplesHeardAreTheDiscsAtThePosition();
    void failedMousePressKeepsStatesButKeyboardUpdates();
    void nextAndPrevStayOnTheMusic_data();
    void nextAndPrevStayOnTheMusic();
};

// Each row runs a few steps, then compares the five buttons (Play, Pause,
// Stop, Next, Prev; 1 enabled, 0 grey).
void TestMediaPlayerStates::buttonStateTable_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("device closed") << QStringList{} << "00000";
    QTest::newRow("just opened, disc not playing") << QStringList{"open"} << "10011";
    QTest::newRow("playing") << QStringList{"open", "play"} << "01111";
    QTest::newRow("after pause") << QStringList{"open", "play", "pause"} << "11111";
    QTest::newRow("after pause and resume") << QStringList{"open", "play", "pause", "pause"} << "11111";
    QTest::newRow("after stop") << QStringList{"open", "play", "stop"} << "10011";
    QTest::newRow("next while not playing") << QStringList{"open", "next"} << "10011";
    QTest::newRow("prev while not playing") << QStringList{"open", "prev"} << "10011";
    QTest::newRow("next while playing") << QStringList{"open", "play", "next"} << "01111";
    QTest::newRow("playback ended by itself") << QStringList{"open", "next", "next", "play", "end"} << "10011";
    QTest::newRow("closed again") << QStringList{"open", "play", "close"} << "00000";
}

void TestMediaPlayerStates::buttonStateTable()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    PlayerRig rig;
    for (const QString &step : steps) {
        if (step == QLatin1String("open"))
            rig.player.Open();
        else if (step == QLatin1String("close"))
            rig.player.Close();
        else if (step == QLatin1String("play"))
            rig.click(btPlay);
        else if (step == QLatin1String("pause"))
            rig.click(btPause);
        else if (step == QLatin1String("stop"))
            rig.click(btStop);
        else if (step == QLatin1String("next"))
            rig.click(btNext);
        else if (step == QLatin1String("prev"))
            rig.click(btPrev);
        else if (step == QLatin1String("end"))
            QVERIFY(!rig.out.consumeSectors(1000));
    }
    QTRY_COMPARE(rig.states(), expected);
}

void TestMediaPlayerStates::stopRewindsAndPlayStartsAtTrackOne()
{
    PlayerRig rig;
    rig.player.Open();
    rig.click(btPlay);
    rig.click(btNext);
    QVERIFY(rig.out.consumeSectors(20));
    QCOMPARE(rig.position(), MakeTmsf(2, 0, 0, 20));
    rig.click(btStop);
    QCOMPARE(rig.mode(), MCI_MODE_STOP);
    QCOMPARE(rig.position(), MakeTmsf(1, 0, 0, 0));
    QCOMPARE(rig.states(), QStringLiteral("10011"));
    rig.out.heard.clear();
    rig.click(btPlay);
    QVERIFY(rig.out.consumeSectors(3));
    QCOMPARE(rig.firstHeardSector(), 0);
}

void TestMediaPlayerStates::pauseTwice_data()
{
    QTest::addColumn<bool>("deviceRefusesResume");
    QTest::newRow("device resumes") << false;
    QTest::newRow("device refuses to resume") << true;
}

void TestMediaPlayerStates::pauseTwice()
{
    QFETCH(bool, deviceRefusesResume);
    PlayerRig rig;
    if (deviceRefusesResume) {
        rig.recorder.answer = [](const RecordingMci::Request &request) -> std::optional<std::uint32_t> {
            if (request.command == MCI_RESUME)
                return MCIERR_NONAPPLICABLE_FUNCTION;
            return std::nullopt;
        };
    }
    rig.player.Open();
    rig.click(btPlay);
    QVERIFY(rig.out.consumeSectors(30));
    rig.click(btPause);
    QCOMPARE(rig.mode(), MCI_MODE_PAUSE);
    QCOMPARE(rig.states(), QStringLiteral("11111"));
    QVERIFY(!rig.out.consumeSectors(1));
    const int playsBefore = rig.recorder.withCommand(MCI_PLAY).size();

    rig.click(btPause);
    QCOMPARE(rig.mode(), MCI_MODE_PLAY);
    QCOMPARE(rig.states(), QStringLiteral("11111"));
    QCOMPARE(rig.recorder.sent(MCI_RESUME), true);
    const auto plays = rig.recorder.withCommand(MCI_PLAY);
    QCOMPARE(plays.size(), playsBefore + (deviceRefusesResume ? 1 : 0));
    if (deviceRefusesResume)
        QCOMPARE(plays.back().flags, MCI_NOTIFY); // from the current position
    QVERIFY(rig.out.consumeSectors(10));
    // The sound goes on where it paused.
    QCOMPARE(rig.out.heard, DiscImage::sectors(rig.cue, 0, 40));
}

void TestMediaPlayerStates::nextOnTheLastTrackRestartsIt()
{
    PlayerRig rig;
    rig.player.Open();
    rig.click(btPlay);
    rig.click(btNext);
    rig.click(btNext);
    QVERIFY(rig.out.consumeSectors(30));
    QCOMPARE(rig.position(), MakeTmsf(3, 0, 0, 30));
    rig.out.heard.clear();
    rig.click(btNext);
    QCOMPARE(rig.lastPostClick, btPlay); // Next during playback reports Play
    QCOMPARE(rig.mode(), MCI_MODE_PLAY);
    QCOMPARE(rig.position(), MakeTmsf(3, 0, 0, 0));
    QVERIFY(rig.out.consumeSectors(2));
    QCOMPARE(rig.firstHeardSector(), 415);
    QCOMPARE(rig.states(), QStringLiteral("01111"));
}

void TestMediaPlayerStates::prevDuringPlayback_data()
{
    QTest::addColumn<int>("nexts");       // Next presses after Play
    QTest::addColumn<int>("sectorsIn");   // heard in that track before Prev
    QTest::addColumn<int>("targetTrack");
    QTest::addColumn<int>("targetSector");
    QTest::newRow("first second of track 2") << 1 << 40 << 1 << 0;
    QTest::newRow("last frame of the first second of track 2") << 1 << 74 << 1 << 0;
    QTest::newRow("after the first second of track 2") << 1 << 75 << 2 << 225;
    QTest::newRow("first second of track 3") << 2 << 10 << 2 << 225;
    QTest::newRow("first second of track 1") << 0 << 10 << 1 << 0;
    QTest::newRow("later in track 1") << 0 << 120 << 1 << 0;
}

void TestMediaPlayerStates::prevDuringPlayback()
{
    QFETCH(int, nexts);
    QFETCH(int, sectorsIn);
    QFETCH(int, targetTrack);
    QFETCH(int, targetSector);
    PlayerRig rig;
    rig.player.Open();
    rig.click(btPlay);
    for (int i = 0; i < nexts; ++i)
        rig.click(btNext);
    QVERIFY(rig.out.consumeSectors(sectorsIn));
    QCOMPARE(TmsfTrack(rig.position()), std::uint32_t(nexts + 1));
    rig.out.heard.clear();
    rig.click(btPrev);
    QCOMPARE(rig.lastPostClick, btPlay);
    QCOMPARE(rig.mode(), MCI_MODE_PLAY);
    QCOMPARE(rig.position(), MakeTmsf(std::uint32_t(targetTrack), 0, 0, 0));
    QVERIFY(rig.out.consumeSectors(2));
    QCOMPARE(rig.firstHeardSector(), targetSector);
}

void TestMediaPlayerStates::nextAndPrevWhileStopped()
{
    PlayerRig rig;
    rig.player.Open();
    const QList<std::pair<TMPBtnType, std::uint32_t>> walk = {
        {btNext, MakeTmsf(2, 0, 0, 0)},
        {btNext, MakeTmsf(3, 0, 0, 0)},
        {btNext, MakeTmsf(3, 0, 0, 0)}, // the last track's start
        {btPrev, MakeTmsf(2, 0, 0, 0)}, // in its first second: the track before
        {btPrev, MakeTmsf(1, 0, 0, 0)},
        {btPrev, MakeTmsf(1, 0, 0, 0)},
        {btNext, MakeTmsf(2, 0, 0, 0)},
    };
    for (const auto &[button, expected] : walk) {
        rig.click(button);
        QCOMPARE(rig.position(), expected);
        QCOMPARE(rig.mode(), MCI_MODE_STOP);
        QCOMPARE(rig.states(), QStringLiteral("10011"));
    }
    QVERIFY(!rig.recorder.sent(MCI_PLAY));
    QVERIFY(rig.out.heard.isEmpty());
    rig.click(btPlay);
    QVERIFY(rig.out.consumeSectors(2));
    QCOMPARE(rig.firstHeardSector(), 225);
}

void TestMediaPlayerStates::playAtTheEndRewindsFirst()
{
    PlayerRig rig;
    rig.player.Open();
    rig.click(btNext);
    rig.click(btNext);
    rig.click(btPlay);
    QVERIFY(!rig.out.consumeSectors(1000));
    QTRY_COMPARE(rig.mode(), MCI_MODE_STOP);
    QCOMPARE(rig.position(), rig.player.Length());
    rig.recorder.requests.clear();
    rig.out.heard.clear();
    rig.click(btPlay);
    const auto seeks = rig.recorder.withCommand(MCI_SEEK);
    QCOMPARE(seeks.size(), 1);
    QCOMPARE(seeks.front().flags, MCI_WAIT | MCI_SEEK_TO_START);
    QVERIFY(rig.out.consumeSectors(2));
    QCOMPARE(rig.firstHeardSector(), 0);
}

void TestMediaPlayerStates::reopenWhilePlayingShowsPlaying()
{
    PlayerRig rig;
    rig.player.Open();
    const std::uint16_t first = rig.player.DeviceID();
    rig.click(btPlay);
    QVERIFY(rig.out.consumeSectors(10));
    rig.player.Open();
    QVERIFY(rig.player.DeviceID() != first);
    QVERIFY(rig.player.IsOpen());
    QCOMPARE(rig.states(), QStringLiteral("01111"));
    QVERIFY(rig.out.consumeSectors(10));
    QCOMPARE(rig.out.heard, DiscImage::sectors(rig.cue, 0, 20));
    // The close sent before the new open went to the first identifier.
    const auto closes = rig.recorder.withCommand(MCI_CLOSE);
    QCOMPARE(closes.size(), 1);
    QCOMPARE(closes.front().deviceId, first);
}

void TestMediaPlayerStates::completionNotificationEnablesPlay()
{
    PlayerRig rig;
    int notified = 0;
    rig.player.OnNotify = [&](QObject *sender) {
        QCOMPARE(sender, &rig.player);
        ++notified;
    };
    rig.player.Open();
    rig.click(btNext);
    rig.click(btNext);
    rig.click(btPlay);
    QCOMPARE(rig.states(), QStringLiteral("01111"));
    QVERIFY(rig.out.consumeSectors(149));
    QCOMPARE(notified, 0);
    QVERIFY(!rig.out.consumeSectors(2)); // the last sector, then the end
    QTRY_COMPARE(notified, 1);
    QCOMPARE(rig.player.NotifyValue(), nvSuccessful);
    QCOMPARE(rig.states(), QStringLiteral("10011"));
    QCOMPARE(rig.out.heard, DiscImage::sectors(rig.cue, 415, 150));
}

void TestMediaPlayerStates::samplesHeardAreTheDiscsAtThePosition()
{
    PlayerRig rig;
    rig.player.Open();
    rig.click(btNext);
    rig.click(btPlay);
    QVERIFY(rig.out.consumeSectors(37));
    rig.click(btPause);
    const std::uint32_t position = rig.player.Position();
    QCOMPARE(position, MakeTmsf(2, 0, 0, 37));
    // What was heard is the disc from the start of track 2 up to the position.
    const int sector = 225 + int(TmsfFrames(position) + 75 * TmsfSeconds(position));
    QCOMPARE(rig.out.heard, DiscImage::sectors(rig.cue, 225, sector - 225));
    QCOMPARE(rig.out.heard.right(DiscImage::SectorBytes), DiscImage::sectors(rig.cue, sector - 1, 1));
}

void TestMediaPlayerStates::failedMousePressKeepsStatesButKeyboardUpdates()
{
    PlayerRig rig;
    rig.player.Open();
    rig.out.available = false; // no audio output: the play is refused
    rig.click(btPlay);
    QCOMPARE(rig.player.Error(), CDERR_NO_AUDIO_OUTPUT);
    QCOMPARE(rig.states(), QStringLiteral("10011"));
    QVERIFY(rig.platform.messageBoxes.shown.isEmpty()); // a failed command shows nothing
    rig.player.setFocus();
    rig.key(Qt::Key_Space); // Play is focused
    QCOMPARE(rig.player.Error(), CDERR_NO_AUDIO_OUTPUT);
    QCOMPARE(rig.states(), QStringLiteral("01111"));
}

// The strip's requests without the strip: on a disc with data before or after
// the music, Prev and Next while stopped never leave the audio tracks.
void TestMediaPlayerStates::nextAndPrevStayOnTheMusic_data()
{
    QTest::addColumn<bool>("dataFirst");
    QTest::addColumn<int>("button");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("prev, data track first") << true << int(btPrev) << MakeTmsf(2, 0, 0, 0);
    QTest::newRow("next, data track last") << false << int(btNext) << MakeTmsf(2, 0, 0, 0);
}

void TestMediaPlayerStates::nextAndPrevStayOnTheMusic()
{
    QFETCH(bool, dataFirst);
    QFETCH(int, button);
    QFETCH(quint32, expected);
    QTemporaryDir folder;
    const std::vector<DiscImage::Track> tracks = dataFirst ? std::vector<DiscImage::Track>{{300, false}, {150}, {150}}
                                                           : std::vector<DiscImage::Track>{{150}, {150}, {300, false}};
    FakeAudioOutput out;
    CdAudioDevice device(DiscImage::write(folder.path(), QStringLiteral("disc"), tracks), out.factory());
    ScopedSeam<IMci> seam(&device);
    MPlayerControl control(nullptr);
    control.deviceType = dtCDAudio;
    control.Open();
    if (!dataFirst)
        control.Next(); // to the last music track
    for (int press = 0; press < 2; ++press)
        control.Run(TMPBtnType(button));
    QCOMPARE(control.Position(), expected);
    control.Play();
    QCOMPARE(control.Error(), 0u);
}

QTEST_MAIN(TestMediaPlayerStates)
#include "tst_mediaPlayerStates.moc"
