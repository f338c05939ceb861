// SPDX-License-Identifier: GPL-3.0-or-later
// What the strip asks of the device, with which flags, and how it takes the
// mouse and the keyboard.
#include "PlayerRig.h"

#include <map>

using namespace Mci;

class TestMediaPlayerRequests : public QObject
{
    Q_OBJECT
private slots:
    void openSendsTheTablesRequests();
    void buttonRequests_data();
    void buttonRequests();
    void otherTimeFormatSeeksToTheEnds();
    void commandsWithoutDevice_data();
    void commandsWithoutDevice();
    void spaceWithoutDeviceShowsTheError();
    void openFailure_data();
    void openFailure();
    void mouseOnGreyButtonDoesNothingSpaceActs();
    void leftAndRightStopAtTheEnds();
    void pressDragAndRelease();
    void doubleClickPressesTwice();
    void onClickCanSkipTheCommand();
    void autoOpenOpensWhenLoaded();
};

void TestMediaPlayerRequests::openSendsTheTablesRequests()
{
    PlayerRig rig;
    rig.player.Open();
    const auto &sent = rig.recorder.requests;
    QVERIFY(sent.size() >= 4);
    const RecordingMci::Request &open = sent.front();
    QCOMPARE(open.command, MCI_OPEN);
    QCOMPARE(open.deviceId, std::uint16_t(0));
    QCOMPARE(open.flags, 0x2002u);
    QCOMPARE(open.parms.lpstrDeviceType, QByteArray("CDAudio"));
    QCOMPARE(open.parms.lpstrElementName, QByteArray());
    QCOMPARE(open.parms.dwCallback, &rig.player);
    QCOMPARE(sent[1].command, MCI_GETDEVCAPS); // can play, first of all
    QCOMPARE(sent[1].flags, 0x0102u);
    QCOMPARE(sent[1].parms.dwItem, MCI_GETDEVCAPS_CAN_PLAY);
    const auto sets = rig.recorder.withCommand(MCI_SET);
    QCOMPARE(sets.size(), 1);
    QCOMPARE(sets.front().flags, 0x0400u);
    QCOMPARE(sets.front().parms.dwTimeFormat, MCI_FORMAT_TMSF);
    QCOMPARE(sent.back().command, MCI_STATUS); // the mode, last
    QCOMPARE(sent.back().flags, 0x0102u);
    QCOMPARE(sent.back().parms.dwItem, MCI_STATUS_MODE);
    for (const auto &request : sent.mid(1))
        QCOMPARE(request.deviceId, rig.player.DeviceID());
    QVERIFY(rig.player.CanPlay());
    QVERIFY(!rig.player.CanEject());
    QCOMPARE(rig.player.TimeFormat(), MCI_FORMAT_TMSF);
}

// Steps before the press, the button pressed, and the request it must send.
void TestMediaPlayerRequests::buttonRequests_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<int>("button");
    QTest::addColumn<quint32>("command");
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<quint32>("position"); // dwFrom or dwTo where the request has one
    QTest::newRow("play") << QList<int>{} << int(btPlay) << MCI_PLAY << MCI_NOTIFY << 0u;
    QTest::newRow("pause while playing") << QList<int>{btPlay} << int(btPause) << MCI_PAUSE << MCI_WAIT << 0u;
    QTest::newRow("pause while paused resumes") << QList<int>{btPlay, btPause} << int(btPause) << MCI_RESUME
                                                << MCI_NOTIFY << 0u;
    QTest::newRow("stop") << QList<int>{btPlay} << int(btStop) << MCI_STOP << MCI_WAIT << 0u;
    QTest::newRow("rewind after stop") << QList<int>{btPlay} << int(btStop) << MCI_SEEK
                                       << (MCI_WAIT | MCI_SEEK_TO_START) << 0u;
    QTest::newRow("next while stopped") << QList<int>{} << int(btNext) << MCI_SEEK << (MCI_WAIT | MCI_TO)
                                        << MakeTmsf(2, 0, 0, 0);
    QTest::newRow("next while playing") << QList<int>{btPlay} << int(btNext) << MCI_PLAY << (MCI_NOTIFY | MCI_FROM)
                                        << MakeTmsf(2, 0, 0, 0);
    QTest::newRow("prev while playing") << QList<int>{btPlay, btNext} << int(btPrev) << MCI_PLAY
                                        << (MCI_NOTIFY | MCI_FROM) << MakeTmsf(1, 0, 0, 0);
}

void TestMediaPlayerRequests::buttonRequests()
{
    QFETCH(QList<int>, before);
    QFETCH(int, button);
    QFETCH(quint32, command);
    QFETCH(quint32, flags);
    QFETCH(quint32, position);
    PlayerRig rig;
    rig.player.Open();
    for (int step : before)
        rig.click(TMPBtnType(step));
    rig.recorder.requests.clear();
    rig.click(TMPBtnType(button));
    const auto found = rig.recorder.withCommand(command);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.front().flags, flags);
    QCOMPARE(found.front().result, 0u);
    if (flags & MCI_FROM)
        QCOMPARE(found.front().parms.dwFrom, position);
    if (flags & MCI_TO)
        QCOMPARE(found.front().parms.dwTo, position);
    if (flags & MCI_NOTIFY)
        QCOMPARE(found.front().parms.dwCallback, &rig.player);
    // Next and Prev read the track starts without recording their results.
    for (const auto &request : rig.recorder.withCommand(MCI_STATUS))
        if (request.flags & MCI_TRACK)
            QCOMPARE(request.flags, 0x0112u);
}

void TestMediaPlayerRequests::otherTimeFormatSeeksToTheEnds()
{
    PlayerRig rig;
    rig.player.Open();
    MciParms msf;
    msf.dwTimeFormat = MCI_FORMAT_MSF;
    QCOMPARE(rig.device.SendCommand(rig.player.DeviceID(), MCI_SET, MCI_SET_TIME_FORMAT, msf), 0u);
    rig.recorder.requests.clear();
    rig.click(btNext);
    QCOMPARE(rig.recorder.withCommand(MCI_SEEK).front().flags, MCI_WAIT | MCI_SEEK_TO_END);
    QCOMPARE(rig.player.Position(), rig.player.Length());
    rig.click(btPrev);
    QCOMPARE(rig.recorder.withCommand(MCI_SEEK).back().flags, MCI_WAIT | MCI_SEEK_TO_START);
    QCOMPARE(rig.player.Position(), MakeMsf(0, 2, 0));
}

void TestMediaPlayerRequests::commandsWithoutDevice_data()
{
    QTest::addColumn<QString>("command");
    for (const char *name : {"Play", "Pause", "Stop", "Next", "Prev", "Rewind", "Resume"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestMediaPlayerRequests::commandsWithoutDevice()
{
    QFETCH(QString, command);
    PlayerRig rig;
    const std::map<QString, void (TMediaPlayer::*)()> commands = {
        {"Play", &TMediaPlayer::Play}, {"Pause", &TMediaPlayer::Pause}, {"Stop", &TMediaPlayer::Stop},
        {"Next", &TMediaPlayer::Next}, {"Prev", &TMediaPlayer::Prev}, {"Rewind", &TMediaPlayer::Rewind},
        {"Resume", &TMediaPlayer::Resume},
    };
    QString message;
    try {
        (rig.player.*commands.at(command))();
    } catch (const EMCIDeviceError &error) {
        message = error.Message();
    }
    QCOMPARE(message, QStringLiteral("No MCI device open"));
    QVERIFY(rig.recorder.requests.isEmpty());
    rig.player.Close(); // no device: nothing to close, nothing raised
    QVERIFY(rig.recorder.requests.isEmpty());
}

void TestMediaPlayerRequests::spaceWithoutDeviceShowsTheError()
{
    PlayerRig rig;
    rig.key(Qt::Key_Space);
    QCOMPARE(rig.platform.messageBoxes.texts(), QStringList{QStringLiteral("No MCI device open")});
    QCOMPARE(rig.platform.messageBoxes.shown.front().kind, MessageKind::Error);
    QVERIFY(rig.recorder.requests.isEmpty());
    // The mouse cannot press a button at all.
    rig.click(btPlay);
    QCOMPARE(rig.platform.messageBoxes.shown.size(), 1);
}

void TestMediaPlayerRequests::openFailure_data()
{
    QTest::addColumn<quint32>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("no disc image") << MCIERR_DEVICE_NOT_READY
                                   << "The CD drive is not ready: there is no disc, or the disc cannot be read.";
    QTest::newRow("code without text") << 4242u << "Unknown error code";
}

void TestMediaPlayerRequests::openFailure()
{
    QFETCH(quint32, code);
    QFETCH(QString, message);
    PlayerRig rig;
    QVERIFY(QFile::remove(rig.cue));
    if (code == 4242)
        rig.recorder.answer = [](const RecordingMci::Request &) { return std::optional<std::uint32_t>(4242); };
    QString raised;
    try {
        rig.player.Open();
    } catch (const EMCIDeviceError &error) {
        raised = error.Message();
    }
    QCOMPARE(raised, message);
    QCOMPARE(rig.player.Error(), code);
    QVERIFY(!rig.player.IsOpen());
    QCOMPARE(rig.player.DeviceID(), std::uint16_t(0));
    QCOMPARE(rig.states(), QStringLiteral("00000"));
    QCOMPARE(rig.recorder.requests.size(), 1); // the open, and nothing after it
}

void TestMediaPlayerRequests::mouseOnGreyButtonDoesNothingSpaceActs()
{
    PlayerRig rig;
    rig.player.Open();
    QCOMPARE(rig.states(), QStringLiteral("10011"));
    rig.recorder.requests.clear();
    rig.click(btStop);
    rig.click(btPause);
    QVERIFY(rig.recorder.requests.isEmpty());
    QCOMPARE(rig.postClicks, 0);
    QCOMPARE(rig.player.FocusedButton(), btPlay); // a grey button does not take the focus mark
    rig.key(Qt::Key_Right);
    rig.key(Qt::Key_Right);
    QCOMPARE(rig.player.FocusedButton(), btStop);
    rig.key(Qt::Key_Space);
    QCOMPARE(rig.recorder.withCommand(MCI_STOP).size(), 1);
    QCOMPARE(rig.postClicks, 1);
    QCOMPARE(rig.lastPostClick, btStop);
    QCOMPARE(rig.states(), QStringLiteral("10011"));
}

void TestMediaPlayerRequests::leftAndRightStopAtTheEnds()
{
    PlayerRig rig;
    rig.key(Qt::Key_Left);
    QCOMPARE(rig.player.FocusedButton(), btPlay);
    for (int i = 0; i < 6; ++i)
        rig.key(Qt::Key_Right);
    QCOMPARE(rig.player.FocusedButton(), btPrev);
    rig.key(Qt::Key_Left);
    QCOMPARE(rig.player.FocusedButton(), btNext);
    // A mouse press on an enabled button moves the focus mark to it.
    rig.player.Open();
    rig.click(btPlay);
    QCOMPARE(rig.player.FocusedButton(), btPlay);
}

void TestMediaPlayerRequests::pressDragAndRelease()
{
    PlayerRig rig;
    rig.player.Open();
    const QPoint inside = rig.player.ButtonRect(btPlay).center();
    const QPoint outside = rig.player.ButtonRect(btNext).center();
    QTest::mousePress(&rig.player, Qt::LeftButton, {}, inside);
    QVERIFY(rig.player.ButtonSunken(btPlay));
    QTest::mouseMove(&rig.player, outside);
    QVERIFY(!rig.player.ButtonSunken(btPlay));
    QTest::mouseMove(&rig.player, inside);
    QVERIFY(rig.player.ButtonSunken(btPlay));
    QTest::mouseMove(&rig.player, outside);
    QTest::mouseRelease(&rig.player, Qt::LeftButton, {}, outside);
    QVERIFY(!rig.recorder.sent(MCI_PLAY));
    QVERIFY(!rig.player.ButtonSunken(btPlay));
    QTest::mousePress(&rig.player, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(&rig.player, Qt::LeftButton, {}, inside);
    QVERIFY(rig.recorder.sent(MCI_PLAY));
    QVERIFY(!rig.player.ButtonSunken(btPlay));
}

void TestMediaPlayerRequests::doubleClickPressesTwice()
{
    PlayerRig rig;
    rig.player.Open();
    // The window system's double click: press, release, double-click press, release.
    const QPoint next = rig.player.ButtonRect(btNext).center();
    QTest::mouseClick(&rig.player, Qt::LeftButton, {}, next);
    QTest::mouseDClick(&rig.player, Qt::LeftButton, {}, next);
    QTest::mouseRelease(&rig.player, Qt::LeftButton, {}, next);
    QCOMPARE(rig.position(), MakeTmsf(3, 0, 0, 0));
}

void TestMediaPlayerRequests::onClickCanSkipTheCommand()
{
    PlayerRig rig;
    QList<TMPBtnType> asked;
    rig.player.OnClick = [&](QObject *sender, TMPBtnType button, bool &doDefault) {
        QCOMPARE(sender, &rig.player);
        asked.append(button);
        doDefault = button != btPlay;
    };
    rig.player.Open();
    rig.recorder.requests.clear();
    rig.click(btPlay);
    QVERIFY(!rig.recorder.sent(MCI_PLAY));
    QCOMPARE(rig.postClicks, 0);
    rig.click(btNext);
    QVERIFY(rig.recorder.sent(MCI_SEEK));
    QCOMPARE(rig.postClicks, 1);
    QCOMPARE(asked, (QList<TMPBtnType>{btPlay, btNext}));
}

void TestMediaPlayerRequests::autoOpenOpensWhenLoaded()
{
    PlayerRig rig;
    rig.player.Loaded();
    QVERIFY(!rig.player.IsOpen());
    rig.player.SetAutoOpen(true);
    rig.player.Loaded();
    QVERIFY(rig.player.IsOpen());
    QCOMPARE(rig.states(), QStringLiteral("10011"));
}

QTEST_MAIN(TestMediaPlayerRequests)
#include "tst_mediaPlayerRequests.moc"
