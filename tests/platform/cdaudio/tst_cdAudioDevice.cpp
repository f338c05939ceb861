// SPDX-License-Identifier: GPL-3.0-or-later
// The CD audio device on a generated disc image, heard through an output
// that takes exactly what the test lets it.
#include "CdAudioDevice.h"
#include "DiscToc.h"
#include "DiscImage.h"
#include "FakeAudioOutput.h"
#include "NotifyCatcher.h"

#include <QtTest>

using namespace Mci;

namespace {

constexpr std::uint32_t StatusFlags = MCI_WAIT | MCI_STATUS_ITEM;

} // namespace

class TestCdAudioDevice : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The requests and their answers.
    void openReportsTheDisc();
    void capabilities_data();
    void capabilities();
    void trackStarts_data();
    void trackStarts();
    void requestErrors_data();
    void requestErrors();
    void openRefusals_data();
    void openRefusals();
    void openFailures_data();
    void openFailures();
    void noDriveAtAll();
    void errorTexts();

    // Playback.
    void samplesHeardAreTheDiscsAtThePosition();
    void pauseHoldsAndResumeGoesOn();
    void stopKeepsThePositionAndSeekMovesIt();
    void playToTheEndNotifiesSuccess();
    void playAtTheEndCompletesAtOnce();
    void newPlaySupersedesAndStopAborts();
    void discGoneWhilePlayingFailsQuietly();
    void noAudioOutputRefusesPlay();
    void brokenOutputEndsThePlay();
    void closeWithoutReopenStopsTheDrive();
    void mixedModeDiscPlaysOnlyMusic();

private:
    std::uint16_t open(CdAudioDevice &device, std::uint32_t format = MCI_FORMAT_TMSF);
    std::uint32_t ask(CdAudioDevice &device, std::uint16_t id, std::uint32_t item, std::uint32_t *answer = nullptr);
    std::uint32_t send(CdAudioDevice &device, std::uint16_t id, std::uint32_t command, std::uint32_t flags,
                       MciParms parms = {});
    std::uint32_t playFrom(CdAudioDevice &device, std::uint16_t id, std::uint32_t from, QObject *notify = nullptr);

    std::unique_ptr<QTemporaryDir> folder;
    QString cue;
    std::unique_ptr<FakeAudioOutput> out;
    std::unique_ptr<CdAudioDevice> device;
};

void TestCdAudioDevice::init()
{
    folder = std::make_unique<QTemporaryDir>();
    cue = DiscImage::write(folder->path(), QStringLiteral("disc"), DiscImage::threeTracks());
    QVERIFY(!cue.isEmpty());
    out = std::make_unique<FakeAudioOutput>();
    device = std::make_unique<CdAudioDevice>(cue, out->factory());
}

void TestCdAudioDevice::cleanup()
{
    device.reset();
    out.reset();
    folder.reset();
}

std::uint16_t TestCdAudioDevice::open(CdAudioDevice &cd, std::uint32_t format)
{
    MciParms parms;
    parms.lpstrDeviceType = "CDAudio";
    if (cd.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, parms) != 0)
        return 0;
    MciParms set;
    set.dwTimeFormat = format;
    if (cd.SendCommand(parms.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, set) != 0)
        return 0;
    return parms.wDeviceID;
}

std::uint32_t TestCdAudioDevice::ask(CdAudioDevice &cd, std::uint16_t id, std::uint32_t item, std::uint32_t *answer)
{
    MciParms parms;
    parms.dwItem = item;
    const std::uint32_t result = cd.SendCommand(id, MCI_STATUS, StatusFlags, parms);
    if (answer)
        *answer = parms.dwReturn;
    return result == 0 ? parms.dwReturn : 0xFFFFFFFF;
}

std::uint32_t TestCdAudioDevice::send(CdAudioDevice &cd, std::uint16_t id, std::uint32_t command, std::uint32_t flags,
                                      MciParms parms)
{
    return cd.SendCommand(id, command, flags, parms);
}

std::uint32_t TestCdAudioDevice::playFrom(CdAudioDevice &cd, std::uint16_t id, std::uint32_t from, QObject *notify)
{
    MciParms parms;
    parms.dwFrom = from;
    parms.dwCallback = notify;
    return cd.SendCommand(id, MCI_PLAY, MCI_FROM | (notify ? MCI_NOTIFY : 0), parms);
}

// ---- Requests ----------------------------------------------------------------

void TestCdAudioDevice::openReportsTheDisc()
{
    const std::uint16_t id = open(*device);
    QVERIFY(id != 0);
    QCOMPARE(ask(*device, id, MCI_STATUS_NUMBER_OF_TRACKS), 3u);
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 0));
    QCOMPARE(ask(*device, id, MCI_STATUS_LENGTH), MakeTmsf(3, 0, 2, 0));
    QCOMPARE(ask(*device, id, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_TMSF);
    QCOMPARE(ask(*device, id, MCI_STATUS_CURRENT_TRACK), 1u);
    QCOMPARE(ask(*device, id, MCI_STATUS_READY), MCI_TRUE);
    // A second identifier is a new one and starts in the MSF format.
    MciParms parms;
    parms.lpstrDeviceType = "cdaudio";
    QCOMPARE(device->SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_SHAREABLE, parms),
             MCIERR_MUST_USE_SHAREABLE);
    QCOMPARE(send(*device, id, MCI_CLOSE, MCI_WAIT), 0u);
    QCOMPARE(device->SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, parms), 0u);
    QVERIFY(parms.wDeviceID != id);
    QCOMPARE(ask(*device, parms.wDeviceID, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MSF);
    QCOMPARE(ask(*device, parms.wDeviceID, MCI_STATUS_POSITION), MakeMsf(0, 2, 0));
}

void TestCdAudioDevice::capabilities_data()
{
    QTest::addColumn<quint32>("item");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("can play") << MCI_GETDEVCAPS_CAN_PLAY << MCI_TRUE;
    QTest::newRow("has audio") << MCI_GETDEVCAPS_HAS_AUDIO << MCI_TRUE;
    QTest::newRow("device type") << MCI_GETDEVCAPS_DEVICE_TYPE << MCI_DEVTYPE_CD_AUDIO;
    QTest::newRow("can record") << MCI_GETDEVCAPS_CAN_RECORD << MCI_FALSE;
    QTest::newRow("has video") << MCI_GETDEVCAPS_HAS_VIDEO << MCI_FALSE;
    QTest::newRow("can eject") << MCI_GETDEVCAPS_CAN_EJECT << MCI_FALSE;
}

void TestCdAudioDevice::capabilities()
{
    QFETCH(quint32, item);
    QFETCH(quint32, expected);
    const std::uint16_t id = open(*device);
    MciParms parms;
    parms.dwItem = item;
    parms.dwReturn = 12345;
    QCOMPARE(device->SendCommand(id, MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, parms), 0u);
    QCOMPARE(parms.dwReturn, expected);
}

void TestCdAudioDevice::trackStarts_data()
{
    QTest::addColumn<quint32>("format");
    QTest::addColumn<quint32>("track");
    QTest::addColumn<quint32>("item");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("track 1 start, tmsf") << MCI_FORMAT_TMSF << 1u << MCI_STATUS_POSITION << MakeTmsf(1, 0, 0, 0);
    QTest::newRow("track 3 start, tmsf") << MCI_FORMAT_TMSF << 3u << MCI_STATUS_POSITION << MakeTmsf(3, 0, 0, 0);
    QTest::newRow("track 2 start, msf") << MCI_FORMAT_MSF << 2u << MCI_STATUS_POSITION << MakeMsf(0, 5, 0);
    QTest::newRow("track 2 length, tmsf") << MCI_FORMAT_TMSF << 2u << MCI_STATUS_LENGTH << MakeMsf(0, 2, 40);
    QTest::newRow("track 3 length, ms") << MCI_FORMAT_MILLISECONDS << 3u << MCI_STATUS_LENGTH << 2000u;
}

void TestCdAudioDevice::trackStarts()
{
    QFETCH(quint32, format);
    QFETCH(quint32, track);
    QFETCH(quint32, item);
    QFETCH(quint32, expected);
    const std::uint16_t id = open(*device, format);
    MciParms parms;
    parms.dwItem = item;
    parms.dwTrack = track;
    QCOMPARE(device->SendCommand(id, MCI_STATUS, StatusFlags | MCI_TRACK, parms), 0u);
    QCOMPARE(parms.dwReturn, expected);
}

void TestCdAudioDevice::requestErrors_data()
{
    QTest::addColumn<bool>("knownDevice");
    QTest::addColumn<quint32>("command");
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<quint32>("value"); // dwItem, dwTimeFormat, dwTo or dwFrom as the command reads it
    QTest::addColumn<quint32>("expected");
    QTest::newRow("unknown device") << false << MCI_STATUS << StatusFlags << MCI_STATUS_MODE << MCIERR_INVALID_DEVICE_ID;
    QTest::newRow("close unknown device") << false << MCI_CLOSE << MCI_WAIT << 0u << MCIERR_INVALID_DEVICE_ID;
    QTest::newRow("unknown command") << true << 0x0899u << MCI_WAIT << 0u << MCIERR_UNRECOGNIZED_COMMAND;
    QTest::newRow("step") << true << MCI_STEP << MCI_WAIT << 0u << MCIERR_UNRECOGNIZED_COMMAND;
    QTest::newRow("status without item") << true << MCI_STATUS << MCI_WAIT << MCI_STATUS_MODE << MCIERR_MISSING_PARAMETER;
    QTest::newRow("status of unknown item") << true << MCI_STATUS << StatusFlags << 99u << MCIERR_BAD_CONSTANT;
    QTest::newRow("capability of unknown item") << true << MCI_GETDEVCAPS << (MCI_WAIT | MCI_GETDEVCAPS_ITEM) << 99u
                                                << MCIERR_BAD_CONSTANT;
    QTest::newRow("bytes time format") << true << MCI_SET << MCI_SET_TIME_FORMAT << 8u << MCIERR_BAD_TIME_FORMAT;
    QTest::newRow("open the door") << true << MCI_SET << (MCI_WAIT | MCI_SET_DOOR_OPEN) << 0u
                                   << MCIERR_UNSUPPORTED_FUNCTION;
    QTest::newRow("seek nowhere") << true << MCI_SEEK << MCI_WAIT << 0u << MCIERR_MISSING_PARAMETER;
    QTest::newRow("seek to two places") << true << MCI_SEEK << (MCI_WAIT | MCI_TO | MCI_SEEK_TO_END)
                                        << MakeTmsf(2, 0, 0, 0) << MCIERR_FLAGS_NOT_COMPATIBLE;
    QTest::newRow("seek to track 4") << true << MCI_SEEK << (MCI_WAIT | MCI_TO) << MakeTmsf(4, 0, 0, 0)
                                     << MCIERR_OUTOFRANGE;
    QTest::newRow("play from 60 seconds") << true << MCI_PLAY << MCI_FROM << MakeTmsf(1, 0, 60, 0)
                                          << MCIERR_OUTOFRANGE;
    QTest::newRow("play and wait") << true << MCI_PLAY << MCI_WAIT << 0u << MCIERR_UNSUPPORTED_FUNCTION;
    QTest::newRow("resume while stopped") << true << MCI_RESUME << MCI_NOTIFY << 0u << MCIERR_NONAPPLICABLE_FUNCTION;
}

void TestCdAudioDevice::requestErrors()
{
    QFETCH(bool, knownDevice);
    QFETCH(quint32, command);
    QFETCH(quint32, flags);
    QFETCH(quint32, value);
    QFETCH(quint32, expected);
    const std::uint16_t id = open(*device);
    MciParms parms;
    parms.dwItem = value;
    parms.dwTimeFormat = value;
    parms.dwTo = value;
    parms.dwFrom = value;
    QCOMPARE(device->SendCommand(knownDevice ? id : std::uint16_t(id + 7), command, flags, parms), expected);
    // A refused request changes nothing.
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 0));
    QCOMPARE(ask(*device, id, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_TMSF);
}

void TestCdAudioDevice::openRefusals_data()
{
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("no device type") << MCI_WAIT << QByteArray() << QByteArray() << MCIERR_MISSING_DEVICE_NAME;
    QTest::newRow("wave audio") << (MCI_WAIT | MCI_OPEN_TYPE) << QByteArray("WaveAudio") << QByteArray()
                                << MCIERR_INVALID_DEVICE_NAME;
    QTest::newRow("a file") << (MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT) << QByteArray("CDAudio")
                            << QByteArray("song.wav") << MCIERR_NO_ELEMENT_ALLOWED;
    QTest::newRow("empty element is no element") << (MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT)
                                                 << QByteArray("CDAudio") << QByteArray() << 0u;
    QTest::newRow("type in any case") << (MCI_WAIT | MCI_OPEN_TYPE) << QByteArray("CDAUDIO") << QByteArray() << 0u;
}

void TestCdAudioDevice::openRefusals()
{
    QFETCH(quint32, flags);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, element);
    QFETCH(quint32, expected);
    MciParms parms;
    parms.lpstrDeviceType = type;
    parms.lpstrElementName = element;
    QCOMPARE(device->SendCommand(0, MCI_OPEN, flags, parms), expected);
    QCOMPARE(parms.wDeviceID != 0, expected == 0);
}

void TestCdAudioDevice::openFailures_data()
{
    QTest::addColumn<QString>("disc"); // written into the test's folder
    QTest::addColumn<quint32>("expected");
    QTest::newRow("no such image") << QStringLiteral("missing") << MCIERR_DEVICE_NOT_READY;
    QTest::newRow("data disc") << QStringLiteral("data") << CDERR_NO_AUDIO_TRACKS;
    QTest::newRow("not a cue sheet") << QStringLiteral("garbage") << MCIERR_DEVICE_NOT_READY;
    QTest::newRow("longer than positions can count") << QStringLiteral("endless") << MCIERR_DEVICE_NOT_READY;
}

void TestCdAudioDevice::openFailures()
{
    QFETCH(QString, disc);
    QFETCH(quint32, expected);
    QString source = folder->filePath(disc + QStringLiteral(".cue"));
    if (disc == QLatin1String("data"))
        source = DiscImage::write(folder->path(), disc, {{300, false}});
    if (disc == QLatin1String("garbage")) {
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is no cue sheet\n\x01\x02");
    }
    if (disc == QLatin1String("endless")) {
        // One sector past 255:59:74, written sparse.
        source = DiscImage::write(folder->path(), disc, {{1}});
        QFile bin(DiscImage::binOf(source));
        QVERIFY(bin.resize(qint64(DiscToc::LastPosition + 1) * DiscImage::SectorBytes));
    }
    CdAudioDevice broken(source, out->factory());
    MciParms parms;
    parms.lpstrDeviceType = "CDAudio";
    QCOMPARE(broken.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, parms), expected);
    QCOMPARE(parms.wDeviceID, std::uint16_t(0));
}

void TestCdAudioDevice::noDriveAtAll()
{
    for (const char *drive : {"/dev/cdrom", "/dev/sr0"}) {
        if (QFile::exists(QLatin1String(drive)))
            QSKIP("this computer has a CD drive");
    }
    CdAudioDevice drive(QString(), out->factory());
    MciParms parms;
    parms.lpstrDeviceType = "CDAudio";
    QCOMPARE(drive.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, parms), CDERR_NO_DRIVE);
    char text[256];
    QVERIFY(drive.GetErrorString(CDERR_NO_DRIVE, text, sizeof text));
    QCOMPARE(QByteArray(text), QByteArray("There is no CD drive on this computer."));
}

void TestCdAudioDevice::errorTexts()
{
    char text[4096];
    for (std::uint32_t code : {MCIERR_INVALID_DEVICE_ID, MCIERR_DEVICE_NOT_READY, MCIERR_OUTOFRANGE,
                               CDERR_NO_DRIVE, CDERR_NO_AUDIO_TRACKS, CDERR_NO_AUDIO_OUTPUT}) {
        QVERIFY(device->GetErrorString(code, text, sizeof text));
        QVERIFY2(std::strlen(text) > 10, text);
    }
    std::memset(text, 'x', sizeof text);
    QVERIFY(!device->GetErrorString(9999, text, sizeof text));
    QCOMPARE(text[0], '\0');
    // A small buffer gets the start of the text, zero-terminated.
    char small[10];
    QVERIFY(device->GetErrorString(MCIERR_OUTOFRANGE, small, sizeof small));
    QCOMPARE(QByteArray(small), QByteArray("The posit"));
}

// ---- Playback ----------------------------------------------------------------

void TestCdAudioDevice::samplesHeardAreTheDiscsAtThePosition()
{
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(2, 0, 1, 0)), 0u);
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_PLAY);
    QVERIFY(out->consumeSectors(50));
    // 50 sectors heard from sector 300: the position is sector 350, in track 2.
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(2, 0, 1, 50));
    QCOMPARE(out->heard, DiscImage::sectors(cue, 300, 50));
    QVERIFY(out->consumeSectors(100)); // across the start of track 3
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(3, 0, 0, 35));
    QCOMPARE(ask(*device, id, MCI_STATUS_CURRENT_TRACK), 3u);
    QCOMPARE(out->heard, DiscImage::sectors(cue, 300, 150));
}

void TestCdAudioDevice::pauseHoldsAndResumeGoesOn()
{
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(1, 0, 0, 0)), 0u);
    QVERIFY(out->consumeSectors(20));
    QCOMPARE(send(*device, id, MCI_PAUSE, MCI_WAIT), 0u);
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_PAUSE);
    QVERIFY(!out->consumeSectors(5)); // nothing is heard while paused
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 20));
    QCOMPARE(send(*device, id, MCI_PAUSE, MCI_WAIT), 0u); // pausing again changes nothing
    QCOMPARE(send(*device, id, MCI_RESUME, 0), 0u);
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_PLAY);
    QVERIFY(out->consumeSectors(10));
    QCOMPARE(out->heard, DiscImage::sectors(cue, 0, 30));
    // A play without a start position while paused goes on from the pause too.
    QCOMPARE(send(*device, id, MCI_PAUSE, MCI_WAIT), 0u);
    QCOMPARE(send(*device, id, MCI_PLAY, 0), 0u);
    QVERIFY(out->consumeSectors(10));
    QCOMPARE(out->heard, DiscImage::sectors(cue, 0, 40));
}

void TestCdAudioDevice::stopKeepsThePositionAndSeekMovesIt()
{
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(1, 0, 0, 0)), 0u);
    QVERIFY(out->consumeSectors(40));
    QCOMPARE(send(*device, id, MCI_STOP, MCI_WAIT), 0u);
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 40));
    QVERIFY(!out->consumeSectors(1));

    MciParms seek;
    seek.dwTo = MakeTmsf(3, 0, 0, 0);
    QCOMPARE(send(*device, id, MCI_SEEK, MCI_WAIT | MCI_TO, seek), 0u);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(3, 0, 0, 0));
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    out->heard.clear();
    QCOMPARE(send(*device, id, MCI_PLAY, 0), 0u); // from where the seek left it
    QVERIFY(out->consumeSectors(5));
    QCOMPARE(out->heard, DiscImage::sectors(cue, 415, 5));

    QCOMPARE(send(*device, id, MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START), 0u);
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 0));
    QCOMPARE(send(*device, id, MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END), 0u);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), ask(*device, id, MCI_STATUS_LENGTH));
}

void TestCdAudioDevice::playToTheEndNotifiesSuccess()
{
    NotifyCatcher window;
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(3, 0, 0, 0), &window), 0u);
    QVERIFY(window.notes.isEmpty());
    QVERIFY(out->consumeSectors(100));
    QVERIFY(!out->consumeSectors(100)); // only 50 sectors are left
    QTRY_COMPARE(window.codes(), QList<std::uint32_t>{MCI_NOTIFY_SUCCESSFUL});
    QCOMPARE(window.notes.front().device, id);
    QCOMPARE(out->heard, DiscImage::sectors(cue, 415, 150));
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), ask(*device, id, MCI_STATUS_LENGTH));
}

void TestCdAudioDevice::playAtTheEndCompletesAtOnce()
{
    NotifyCatcher window;
    const std::uint16_t id = open(*device);
    QCOMPARE(send(*device, id, MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END), 0u);
    MciParms play;
    play.dwCallback = &window;
    QCOMPARE(send(*device, id, MCI_PLAY, MCI_NOTIFY, play), 0u);
    QTRY_COMPARE(window.codes(), QList<std::uint32_t>{MCI_NOTIFY_SUCCESSFUL});
    QVERIFY(out->heard.isEmpty());
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
}

void TestCdAudioDevice::newPlaySupersedesAndStopAborts()
{
    NotifyCatcher first;
    NotifyCatcher second;
    NotifyCatcher third;
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(1, 0, 0, 0), &first), 0u);
    QCOMPARE(playFrom(*device, id, MakeTmsf(2, 0, 0, 0), &second), 0u);
    QTRY_COMPARE(first.codes(), QList<std::uint32_t>{MCI_NOTIFY_SUPERSEDED});
    QVERIFY(second.notes.isEmpty());
    QCOMPARE(send(*device, id, MCI_STOP, MCI_WAIT), 0u);
    QTRY_COMPARE(second.codes(), QList<std::uint32_t>{MCI_NOTIFY_ABORTED});
    // A pause aborts too; the resume that follows asks anew.
    QCOMPARE(playFrom(*device, id, MakeTmsf(2, 0, 0, 0), &third), 0u);
    QCOMPARE(send(*device, id, MCI_PAUSE, MCI_WAIT), 0u);
    QTRY_COMPARE(third.codes(), QList<std::uint32_t>{MCI_NOTIFY_ABORTED});
    MciParms resume;
    resume.dwCallback = &third;
    QCOMPARE(send(*device, id, MCI_RESUME, MCI_NOTIFY, resume), 0u);
    QVERIFY(!out->consumeSectors(400)); // track 2 to the end of the disc is 340 sectors
    QTRY_COMPARE(third.codes(), (QList<std::uint32_t>{MCI_NOTIFY_ABORTED, MCI_NOTIFY_SUCCESSFUL}));
    QCOMPARE(first.notes.size(), 1);
    QCOMPARE(second.notes.size(), 1);
}

void TestCdAudioDevice::discGoneWhilePlayingFailsQuietly()
{
    NotifyCatcher window;
    const std::uint16_t id = open(*device);
    // The disc goes after the open: its sectors from track 2 on cannot be read.
    QVERIFY(QFile::resize(DiscImage::binOf(cue), 100 * qint64(DiscImage::SectorBytes)));
    QCOMPARE(playFrom(*device, id, MakeTmsf(2, 0, 0, 0), &window), 0u);
    QTRY_COMPARE(window.codes(), QList<std::uint32_t>{MCI_NOTIFY_FAILURE});
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QVERIFY(out->heard.isEmpty());
    // Further presses are answered, and fail the same quiet way.
    MciParms again;
    again.dwCallback = &window;
    QCOMPARE(send(*device, id, MCI_PLAY, MCI_NOTIFY, again), 0u);
    QTRY_COMPARE(window.notes.size(), 2);
    QCOMPARE(window.notes.back().code, MCI_NOTIFY_FAILURE);
    // What is still there plays.
    QCOMPARE(playFrom(*device, id, MakeTmsf(1, 0, 0, 0)), 0u);
    QVERIFY(out->consumeSectors(10));
    QCOMPARE(out->heard, DiscImage::sectors(cue, 0, 10));
}

void TestCdAudioDevice::noAudioOutputRefusesPlay()
{
    out->available = false;
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(1, 0, 0, 0)), CDERR_NO_AUDIO_OUTPUT);
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 0));
}

void TestCdAudioDevice::brokenOutputEndsThePlay()
{
    NotifyCatcher window;
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(1, 0, 0, 0), &window), 0u);
    QVERIFY(out->consumeSectors(10));
    out->broken = true; // the sound server went away
    QTRY_COMPARE(window.codes(), QList<std::uint32_t>{MCI_NOTIFY_FAILURE});
    QCOMPARE(ask(*device, id, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, id, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 10));
}

void TestCdAudioDevice::closeWithoutReopenStopsTheDrive()
{
    const std::uint16_t id = open(*device);
    QCOMPARE(playFrom(*device, id, MakeTmsf(1, 0, 0, 0)), 0u);
    QVERIFY(out->consumeSectors(10));
    QCOMPARE(send(*device, id, MCI_CLOSE, MCI_WAIT), 0u);
    QTRY_VERIFY(!out->playing);
    QVERIFY(!out->consumeSectors(1));
    // A new open finds the drive stopped at the disc's start.
    const std::uint16_t again = open(*device);
    QCOMPARE(ask(*device, again, MCI_STATUS_MODE), MCI_MODE_STOP);
    QCOMPARE(ask(*device, again, MCI_STATUS_POSITION), MakeTmsf(1, 0, 0, 0));
}

void TestCdAudioDevice::mixedModeDiscPlaysOnlyMusic()
{
    const QString mixed = DiscImage::write(folder->path(), QStringLiteral("mixed"), {{300, false}, {150}, {100}});
    CdAudioDevice cd(mixed, out->factory());
    const std::uint16_t id = open(cd);
    QVERIFY(id != 0);
    QCOMPARE(ask(cd, id, MCI_STATUS_POSITION), MakeTmsf(2, 0, 0, 0));
    QCOMPARE(playFrom(cd, id, MakeTmsf(1, 0, 0, 0)), CDERR_DATA_TRACK);
    QCOMPARE(send(cd, id, MCI_PLAY, 0), 0u);
    QVERIFY(out->consumeSectors(10));
    QCOMPARE(out->heard, DiscImage::sectors(mixed, 300, 10));
}

QTEST_GUILESS_MAIN(TestCdAudioDevice)
#include "tst_cdAudioDevice.moc"
