// SPDX-License-Identifier: GPL-3.0-or-later
// The CD player strip in the main window: where it sits, how closing the
// setup dialog opens and closes it, Stop's rewind and the ready screen.
#include "CdAudioDevice.h"
#include "DiscImage.h"
#include "FakeAudioOutput.h"
#include "FakeFileDialog.h"
#include "MPlayer.h"
#include "PrivateSoundServer.h"
#include "QtAudioSink.h"
#include "RecordingMci.h"
#include "SinkRecorder.h"
#include "TestPlatform.h"
#include "Unit1.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Mci;

namespace {

// The program's two windows on the real CD audio device, opened on a
// generated disc image (or on source when one is given), heard through the
// test's output or through the sinks given.
class Program
{
public:
    TestPlatform platform;
    FakeFileDialog fileDialog;
    ScopedSeam<IFileDialog> fileDialogSeam{&fileDialog};
    QTemporaryDir folder;
    QString cue = DiscImage::write(folder.path(), QStringLiteral("disc"), DiscImage::threeTracks());
    FakeAudioOutput out;
    std::unique_ptr<CdAudioDevice> device;
    std::unique_ptr<RecordingMci> recorder;
    std::unique_ptr<ScopedSeam<IMci>> mciSeam;
    std::unique_ptr<TForm1> form;
    TForm2 *dialog = nullptr;

    explicit Program(const QString &source = QStringLiteral("<image>"), AudioSinkFactory sinks = {})
    {
        device = std::make_unique<CdAudioDevice>(source == QLatin1String("<image>") ? cue : source,
                                                 sinks ? sinks : out.factory());
        recorder = std::make_unique<RecordingMci>(device.get());
        mciSeam = std::make_unique<ScopedSeam<IMci>>(recorder.get());
        form = std::make_unique<TForm1>();
        dialog = new TForm2(form.get());
        form->AttachSetupDialog(dialog);
        form->show();
    }
    ~Program() { form.reset(); }

    TMediaPlayer &strip() { return *form->CdAfspiller; }

    // Presses Setup, sets the CD option in the dialog and closes it.
    void setup(bool cdOption)
    {
        QTimer::singleShot(0, dialog, [this, cdOption] {
            dialog->CheckBox1->setChecked(cdOption);
            dialog->close();
        });
        form->SetupKnap->click();
    }

    void click(TMPBtnType kind)
    {
        QTest::mouseClick(&strip(), Qt::LeftButton, {}, strip().ButtonRect(kind).center());
    }

    std::uint32_t position() { return status(MCI_STATUS_POSITION); }

    std::uint32_t status(std::uint32_t item)
    {
        MciParms parms;
        parms.dwItem = item;
        device->SendCommand(strip().DeviceID(), MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, parms);
        return parms.dwReturn;
    }

    QString states() const
    {
        QString result;
        for (TMPBtnType kind : {btPlay, btPause, btStop, btNext, btPrev})
            result += form->CdAfspiller->ButtonEnabled(kind) ? QLatin1Char('1') : QLatin1Char('0');
        return result;
    }
};

} // namespace

class TestCdMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void stripSitsInTheButtonRow();
    void cdOptionOpensAndShowsTheStrip();
    void everyCloseWithTheOptionReopens();
    void openFailureShowsCDErrorOnce_data();
    void openFailureShowsCDErrorOnce();
    void clearedOptionClosesHidesAndSilences();
    void stopRewindsToTheFirstTrack();
    void readyScreenShowsTheStripWhenTheOptionIsOn();
    void destroyingTheWindowClosesTheDevice();

    // On the real audio output.
    void initTestCase();
    void programEndsCleanlyWithTheStrip_data();
    void programEndsCleanlyWithTheStrip();
    void changedDiscIsReadAtTheReopen();
    void prevStaysOnTheMusicOfAMixedModeDisc();

private:
    void needSoundServer();
    PrivateSoundServer server;
    bool serverRunning = false;
};

void TestCdMainWindow::stripSitsInTheButtonRow()
{
    Program program;
    TMediaPlayer &strip = program.strip();
    QCOMPARE(strip.parentWidget(), program.form->Panel1);
    QCOMPARE(strip.geometry(), QRect(16, 1, 141, 22));
    QVERIFY(strip.isHidden());
    QVERIFY(!strip.IsOpen());
    QCOMPARE(program.states(), QStringLiteral("00000"));
    QVERIFY(strip.TabStop());
    QCOMPARE(program.form->StartKnap->nextInFocusChain(), &strip);
    QCOMPARE(strip.nextInFocusChain(), program.form->Afbryd_TidKnap);
    QCOMPARE(strip.DeviceType(), dtCDAudio);
    QVERIFY(strip.AutoEnable() && strip.AutoRewind() && !strip.AutoOpen() && !strip.Shareable());
    // Anchored left and bottom: a wider, taller window leaves it where it is in the row.
    program.form->resize(1000, 700);
    QCOMPARE(strip.geometry(), QRect(16, 1, 141, 22));
    QVERIFY(program.recorder->requests.isEmpty()); // nothing is opened at start
}

void TestCdMainWindow::cdOptionOpensAndShowsTheStrip()
{
    Program program;
    program.setup(true);
    QVERIFY(program.strip().isVisible());
    QVERIFY(program.strip().IsOpen());
    QCOMPARE(program.states(), QStringLiteral("10011"));
    QVERIFY(program.platform.messageBoxes.shown.isEmpty());
    QVERIFY(program.dialog->CheckBox1->isChecked());
}

void TestCdMainWindow::everyCloseWithTheOptionReopens()
{
    Program program;
    program.setup(true);
    const std::uint16_t first = program.strip().DeviceID();
    program.click(btPlay);
    QVERIFY(program.out.consumeSectors(10));
    program.recorder->requests.clear();
    program.setup(true);
    QCOMPARE(program.recorder->requests.front().command, MCI_CLOSE);
    QCOMPARE(program.recorder->requests.front().deviceId, first);
    QCOMPARE(program.recorder->withCommand(MCI_OPEN).size(), 1);
    QVERIFY(program.strip().DeviceID() != first);
    // The disc played on across the reopen, and the strip shows it playing.
    QCOMPARE(program.states(), QStringLiteral("01111"));
    QVERIFY(program.out.consumeSectors(10));
    QCOMPARE(program.out.heard, DiscImage::sectors(program.cue, 0, 20));
}

void TestCdMainWindow::openFailureShowsCDErrorOnce_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("no disc image") << QStringLiteral("/nonexistent/disc.cue");
    QTest::newRow("data disc") << QStringLiteral("<data>");
    QTest::newRow("no drive") << QString();
}

void TestCdMainWindow::openFailureShowsCDErrorOnce()
{
    QFETCH(QString, source);
    if (source.isEmpty() && (QFile::exists(QStringLiteral("/dev/cdrom")) || QFile::exists(QStringLiteral("/dev/sr0"))))
        QSKIP("this computer has a CD drive");
    QTemporaryDir dataFolder;
    if (source == QLatin1String("<data>"))
        source = DiscImage::write(dataFolder.path(), QStringLiteral("data"), {{300, false}});
    Program program(source);
    program.setup(true);
    QCOMPARE(program.platform.messageBoxes.texts(), QStringList{uVantixStrings::CDError});
    QCOMPARE(program.platform.messageBoxes.shown.front().kind, MessageKind::Error);
    QVERIFY(!program.dialog->CheckBox1->isChecked());
    QVERIFY(program.strip().isHidden());
    QVERIFY(!program.strip().IsOpen());
    // Closing the dialog again with the option off says nothing more.
    program.setup(false);
    QCOMPARE(program.platform.messageBoxes.shown.size(), 1);
}

void TestCdMainWindow::clearedOptionClosesHidesAndSilences()
{
    Program program;
    program.setup(true);
    program.click(btPlay);
    QVERIFY(program.out.consumeSectors(5));
    program.setup(false);
    QVERIFY(program.strip().isHidden());
    QVERIFY(!program.strip().IsOpen());
    QCOMPARE(program.recorder->withCommand(MCI_CLOSE).size(), 1);
    QTRY_VERIFY(!program.out.playing); // nobody holds the drive: the music stops
    QVERIFY(program.platform.messageBoxes.shown.isEmpty());
}

void TestCdMainWindow::stopRewindsToTheFirstTrack()
{
    Program program;
    program.setup(true);
    program.click(btPlay);
    program.click(btNext);
    program.click(btNext);
    QVERIFY(program.out.consumeSectors(20));
    program.click(btStop);
    QCOMPARE(program.position(), MakeTmsf(1, 0, 0, 0));
    QCOMPARE(program.states(), QStringLiteral("10011"));
    program.out.heard.clear();
    program.click(btPlay);
    QVERIFY(program.out.consumeSectors(2));
    QCOMPARE(program.out.heard, DiscImage::sectors(program.cue, 0, 2));
    // Other buttons leave the position to the device.
    program.click(btPause);
    QCOMPARE(program.position(), MakeTmsf(1, 0, 0, 2));
}

void TestCdMainWindow::readyScreenShowsTheStripWhenTheOptionIsOn()
{
    Program program;
    program.setup(true);
    TForm1 &form = *program.form;
    form.StartKnapClick(); // a wave starts: the strip stays
    QVERIFY(program.strip().isVisible());
    program.strip().hide();
    form.InitScreenKlar();
    QVERIFY(program.strip().isVisible());
    // With the option off the ready screen leaves the strip as it is.
    program.dialog->CheckBox1->setChecked(false);
    form.InitScreenKlar();
    QVERIFY(program.strip().isVisible());
    program.strip().hide();
    form.InitScreenKlar();
    QVERIFY(program.strip().isHidden());
}

void TestCdMainWindow::destroyingTheWindowClosesTheDevice()
{
    Program program;
    program.setup(true);
    const std::uint16_t id = program.strip().DeviceID();
    program.recorder->requests.clear();
    program.form.reset();
    QCOMPARE(program.recorder->requests.size(), 1);
    QCOMPARE(program.recorder->requests.front().command, MCI_CLOSE);
    QCOMPARE(program.recorder->requests.front().flags, MCI_WAIT);
    QCOMPARE(program.recorder->requests.front().deviceId, id);
}

void TestCdMainWindow::initTestCase()
{
    serverRunning = server.start();
}

void TestCdMainWindow::needSoundServer()
{
    if (!serverRunning)
        QSKIP(qPrintable(QStringLiteral("no private sound server: ") + server.failure()));
}

void TestCdMainWindow::programEndsCleanlyWithTheStrip_data()
{
    QTest::addColumn<bool>("stopFirst");
    QTest::newRow("playing") << false;
    QTest::newRow("stopped") << true;
}

// The end of the program as the entry has it: the main window closes and
// goes, then the device.
void TestCdMainWindow::programEndsCleanlyWithTheStrip()
{
    QFETCH(bool, stopFirst);
    needSoundServer();
    SinkRecorder sink;
    if (!sink.start())
        QSKIP("cannot record the sound server's sink");
    auto program = std::make_unique<Program>(QStringLiteral("<image>"), QtAudioSink::Factory());
    program->setup(true);
    program->click(btPlay);
    QTRY_VERIFY(program->position() != MakeTmsf(1, 0, 0, 0));
    if (stopFirst)
        program->click(btStop);
    program->form->close();
    const qint64 end = sink.mark();
    program.reset();
    QTest::qWait(300);
    QVERIFY(sink.longestGapMs(0) >= 0); // the music reached the sink
    QVERIFY(sink.soundAfterMs(end) < 100);
}

void TestCdMainWindow::changedDiscIsReadAtTheReopen()
{
    needSoundServer();
    Program program(QStringLiteral("<image>"), QtAudioSink::Factory());
    program.setup(true);
    QCOMPARE(program.strip().Tracks(), 3u);
    program.click(btPlay);
    // The timekeeper swaps the disc: two tracks of 1 and 4 seconds.
    QVERIFY(!DiscImage::write(program.folder.path(), QStringLiteral("disc"), {{75}, {300}}).isEmpty());
    program.setup(true);
    QCOMPARE(program.strip().Tracks(), 2u);
    QCOMPARE(program.strip().Length(), MakeTmsf(2, 0, 4, 0));
    QCOMPARE(program.states(), QStringLiteral("10011")); // the old disc's music went with it
    program.click(btNext);
    program.click(btNext); // the last track: Next stays on it
    QCOMPARE(program.position(), MakeTmsf(2, 0, 0, 0));
    QCOMPARE(program.status(MCI_STATUS_CURRENT_TRACK), 2u);
}

void TestCdMainWindow::prevStaysOnTheMusicOfAMixedModeDisc()
{
    needSoundServer();
    QTemporaryDir folder;
    const QString mixed = DiscImage::write(folder.path(), QStringLiteral("mixed"), {{300, false}, {150}, {150}});
    Program program(mixed, QtAudioSink::Factory());
    program.setup(true);
    QCOMPARE(program.position(), MakeTmsf(2, 0, 0, 0));
    program.click(btPrev); // stopped, at the start of the music
    QCOMPARE(program.position(), MakeTmsf(2, 0, 0, 0));
    program.click(btPlay);
    QCOMPARE(program.strip().Error(), 0u);
    program.click(btPrev); // within the first second of the first audio track
    QCOMPARE(program.strip().Error(), 0u);
    QCOMPARE(program.status(MCI_STATUS_MODE), MCI_MODE_PLAY);
    QCOMPARE(TmsfTrack(program.position()), 2u);
}

QTEST_MAIN(TestCdMainWindow)
#include "tst_cdMainWindow.moc"
