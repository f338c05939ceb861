// SPDX-License-Identifier: GPL-3.0-or-later
// The real horn player against a sound server of the test's own, whose null
// sink takes the sound at the pace of a sound card. What is checked is what
// was played, cut off or left silent: by the player's account, and by the
// samples recorded at the sink, counted, never by the wall clock.

#include "HornSignal.h"
#include "PrivateSoundServer.h"
#include "QtSoundPlayer.h"
#include "SinkRecorder.h"
#include "WaveFile.h"
#include "WaveBuilder.h"

#include <QMediaDevices>
#include <QtTest>

#include <cstdlib>

namespace {

constexpr int PlayToEndTimeout = 15000;

const QString One = QStringLiteral("1dyt.wav");
const QString Two = QStringLiteral("2dyt.wav");
const QString Three = QStringLiteral("3dyt.wav");

bool writeHorn(const QString &path, int blasts)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(HornSignal(blasts).toWav()) >= 0;
}

// The length of the sound in the file, in microseconds.
qint64 lengthOf(const QString &path)
{
    const std::optional<WaveFile> wave = WaveFile::load(path);
    return wave ? qint64(wave->seconds() * 1e6) : -1;
}


// A signal of the schedule at the sink: its blasts are a square tone of a
// level of its own, so that every recorded sample tells which signal it
// belongs to and two sounds mixed together show as a level of neither.
struct SquareSignal
{
    QString name;
    int blasts;
    int blastMs;
    int gapMs;
    int level;

    static qint64 frames(int ms) { return qint64(ms) * 441 / 10; }
    qint64 startOf(int blast) const { return frames(blast * (blastMs + gapMs)); }
    int lengthMs() const { return blasts * blastMs + (blasts - 1) * gapMs; }

    QByteArray wav() const
    {
        WaveBuilder b;
        for (int blast = 0; blast < blasts; ++blast) {
            if (blast > 0)
                b.samples.append(QByteArray(frames(gapMs) * 2, '\0'));
            for (qint64 i = 0; i < frames(blastMs); ++i)
                b.samples.append(WaveBuilder::u16(quint16(qint16((i / 50) % 2 ? -level : level))));
        }
        return b.bytes();
    }
};

const SquareSignal Rotation[] = {{QStringLiteral("2dyt.wav"), 2, 200, 100, 5000},
                                 {QStringLiteral("1dyt.wav"), 1, 200, 100, 3000},
                                 {QStringLiteral("3dyt.wav"), 3, 200, 100, 7000},
                                 {QStringLiteral("5dyt.wav"), 5, 100, 60, 9000}};

struct Blast
{
    qint64 start;
    qint64 length;
    qint64 end() const { return start + length; }
};

// What the sink played, taken apart into signals: runs of one level, each
// run a blast, a new signal wherever the level changes.
struct HeardSignal
{
    int level;
    QList<Blast> blasts;
};

QList<HeardSignal> signalsIn(const QByteArray &frames)
{
    QList<HeardSignal> heard;
    qint64 runStart = -1;
    int runLevel = 0;
    const qint64 count = frames.size() / 4;
    for (qint64 frame = 0; frame <= count; ++frame) {
        int level = 0;
        if (frame < count) {
            const qint16 left = qFromLittleEndian<qint16>(frames.constData() + frame * 4);
            const qint16 right = qFromLittleEndian<qint16>(frames.constData() + frame * 4 + 2);
            level = left == right ? std::abs(int(left)) : -1;
        }
        if (runStart >= 0 && level == runLevel)
            continue;
        if (runStart >= 0) {
            if (heard.isEmpty() || heard.last().level != runLevel)
                heard.append(HeardSignal{runLevel, {}});
            heard.last().blasts.append(Blast{runStart, frame - runStart});
        }
        runStart = level != 0 ? frame : -1;
        runLevel = level;
    }
    return heard;
}

QString levelsOf(const QList<int> &levels)
{
    QStringList words;
    for (int level : levels)
        words << QString::number(level);
    return words.join(QLatin1Char(' '));
}

} // namespace

class tst_soundPlayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void playsWithoutWaitingAndToTheEnd();
    void newSignalCutsOffTheOneSounding();
    void sameSignalAgainStartsFromTheBeginning();
    void missingAndCorruptFilesAreSilent();
    void playsEveryReadableLayout_data();
    void playsEveryReadableLayout();
    void everySignalIsHeardBlastForBlast();
    void followsTheDefaultOutput();

private:
    PrivateSoundServer server;
    QTemporaryDir folder;
    QString programFolder;
};

void tst_soundPlayer::initTestCase()
{
    if (!server.start())
        QSKIP(qPrintable(QStringLiteral("no private sound server: ") + server.failure()));
    QVERIFY(folder.isValid());
    programFolder = folder.path() + QLatin1Char('/');
    for (int blasts = 1; blasts <= 3; ++blasts)
        QVERIFY(writeHorn(folder.filePath(QStringLiteral("%1dyt.wav").arg(blasts)), blasts));
}

void tst_soundPlayer::playsWithoutWaitingAndToTheEnd()
{
    QtSoundPlayer player(programFolder);
    QVERIFY(player.hasOutput());
    for (const QString &name : QtSoundPlayer::hornNames())
        QVERIFY2(player.isLoaded(name), qPrintable(name));
    player.PlaySound(One);
    // Still sounding when the call has returned: the call does not wait for the sound.
    QCOMPARE(player.soundingName(), One);
    QTRY_VERIFY_WITH_TIMEOUT(player.soundingName().isEmpty(), PlayToEndTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(player.stateOf(One), QAudio::StoppedState, PlayToEndTimeout);
    // The whole sound was heard, to within a few milliseconds.
    QVERIFY(qAbs(player.playedMicroseconds(One) - lengthOf(folder.filePath(One))) < 5000);
}

void tst_soundPlayer::newSignalCutsOffTheOneSounding()
{
    QtSoundPlayer player(programFolder);
    player.PlaySound(One);
    QCOMPARE(player.soundingName(), One);
    player.PlaySound(Three);
    QCOMPARE(player.stateOf(One), QAudio::StoppedState);
    QVERIFY(player.playedMicroseconds(One) < lengthOf(folder.filePath(One)));
    QCOMPARE(player.soundingName(), Three);
    QTRY_VERIFY_WITH_TIMEOUT(player.soundingName().isEmpty(), PlayToEndTimeout);
    QVERIFY(qAbs(player.playedMicroseconds(Three) - lengthOf(folder.filePath(Three))) < 5000);
}

void tst_soundPlayer::sameSignalAgainStartsFromTheBeginning()
{
    QtSoundPlayer player(programFolder);
    player.PlaySound(Two);
    QTRY_VERIFY_WITH_TIMEOUT(player.soundingName().isEmpty(), PlayToEndTimeout);
    player.PlaySound(Two);
    QCOMPARE(player.soundingName(), Two);
    player.PlaySound(Two);
    QCOMPARE(player.soundingName(), Two);
    QTRY_VERIFY_WITH_TIMEOUT(player.soundingName().isEmpty(), PlayToEndTimeout);
    QVERIFY(qAbs(player.playedMicroseconds(Two) - lengthOf(folder.filePath(Two))) < 5000);
}

void tst_soundPlayer::missingAndCorruptFilesAreSilent()
{
    QTemporaryDir other;
    QVERIFY(writeHorn(other.filePath(One), 1));
    QFile corrupt(other.filePath(Two));
    QVERIFY(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("RIFF....WAVEfmt this is no sound");
    corrupt.close();

    QtSoundPlayer player(other.path() + QLatin1Char('/'));
    QVERIFY(player.isLoaded(One));
    QVERIFY(!player.isLoaded(Two));
    QVERIFY(!player.isLoaded(Three));

    player.PlaySound(One);
    QCOMPARE(player.soundingName(), One);
    // A due signal that cannot be played still ends the one before it.
    player.PlaySound(Two);
    QCOMPARE(player.stateOf(One), QAudio::StoppedState);
    QVERIFY(player.soundingName().isEmpty());
    player.PlaySound(Three);
    QVERIFY(player.soundingName().isEmpty());
    // And the good one still plays afterwards.
    player.PlaySound(One);
    QCOMPARE(player.soundingName(), One);
}

void tst_soundPlayer::playsEveryReadableLayout_data()
{
    QTest::addColumn<QByteArray>("bytes");
    auto row = [](const char *name, WaveBuilder b) {
        b.tone(0.3);
        QTest::newRow(name) << b.bytes();
    };
    WaveBuilder b;
    b.bitsPerSample = 8;
    b.sampleRate = 11025;
    row("8-bit mono 11 kHz", b);
    b = {};
    b.bitsPerSample = 24;
    b.channels = 2;
    b.sampleRate = 48000;
    row("24-bit stereo 48 kHz", b);
    b = {};
    b.bitsPerSample = 32;
    b.channels = 2;
    row("32-bit stereo", b);
    b = {};
    b.format = 3;
    b.bitsPerSample = 32;
    b.sampleRate = 96000;
    row("float mono 96 kHz", b);
}

void tst_soundPlayer::playsEveryReadableLayout()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QFile file(dir.filePath(One));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    QtSoundPlayer player(dir.path() + QLatin1Char('/'));
    QVERIFY(player.isLoaded(One));
    player.PlaySound(One);
    QCOMPARE(player.soundingName(), One);
    QTRY_VERIFY_WITH_TIMEOUT(player.soundingName().isEmpty(), PlayToEndTimeout);
    // A wrong rate, sample size or channel count would change how long the output took.
    QVERIFY2(qAbs(player.playedMicroseconds(One) - 300000) < 5000,
             qPrintable(QString::number(player.playedMicroseconds(One))));
}

// Sixty-four signals of 2, 1, 3 and 5 blasts, in turn: most start after the
// one before has ended, every third cuts the one before off in the middle of
// a blast, and now and then the window's thread is held half a second while
// a signal sounds. At the sink every signal has to have its blasts, each of
// its length, and a cut-off signal has to end where the next one begins.
void tst_soundPlayer::everySignalIsHeardBlastForBlast()
{
    SinkRecorder sink;
    if (!sink.start())
        QSKIP("cannot record the sound server's sink");
    QTemporaryDir dir;
    QStringList names;
    for (const SquareSignal &signal : Rotation) {
        QFile file(dir.filePath(signal.name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(signal.wav()) > 0);
        names << signal.name;
    }
    QtSoundPlayer player(dir.path() + QLatin1Char('/'), names);
    QVERIFY(player.hasOutput());
    QTest::qWait(200);

    constexpr int Signals = 64;
    constexpr int PauseMs = 150;
    const qint64 mark = sink.mark();
    QElapsedTimer clock;
    clock.start();
    QList<qint64> calls;
    QStringList stillSoundingAfterTheEnd;
    QStringList silentWhileSounding;
    for (int i = 0; i < Signals; ++i) {
        const SquareSignal &signal = Rotation[i % 4];
        calls << clock.elapsed();
        player.PlaySound(signal.name);
        const bool cutOff = i % 3 == 2 && i + 1 < Signals;
        if (!cutOff && i % 8 == 5) {
            QTest::qWait(30);
            QThread::msleep(500); // the window busy with a large picture
        }
        if (cutOff) {
            const int blast = (i / 3) % signal.blasts;
            QTest::qWait(int(calls.last() + blast * (signal.blastMs + signal.gapMs) + signal.blastMs / 2
                             - clock.elapsed()));
            if (player.soundingName() != signal.name)
                silentWhileSounding << QString::number(i);
        } else {
            QTest::qWait(int(calls.last() + signal.lengthMs() + PauseMs - clock.elapsed()));
            if (!player.soundingName().isEmpty())
                stillSoundingAfterTheEnd << QString::number(i);
        }
    }
    QTest::qWait(200);

    const QList<HeardSignal> heard = signalsIn(sink.framesFrom(mark));
    QList<int> expectedLevels;
    QList<int> heardLevels;
    for (int i = 0; i < Signals; ++i)
        expectedLevels << Rotation[i % 4].level;
    for (const HeardSignal &signal : heard)
        heardLevels << signal.level;
    QCOMPARE(levelsOf(heardLevels), levelsOf(expectedLevels));

    const qint64 tolerance = SquareSignal::frames(20);
    for (int i = 0; i < Signals; ++i) {
        const SquareSignal &signal = Rotation[i % 4];
        const QList<Blast> &blasts = heard[i].blasts;
        // A signal cut off has the blasts begun before the next one was called.
        int expected = signal.blasts;
        if (i + 1 < Signals) {
            const qint64 upToNext = SquareSignal::frames(int(calls[i + 1] - calls[i]));
            while (expected > 0 && signal.startOf(expected - 1) >= upToNext)
                --expected;
        }
        const bool cutOff = expected < signal.blasts || i % 3 == 2;
        const QString where = QStringLiteral("signal %1 (%2)").arg(i).arg(signal.name);
        QStringList heardBlasts;
        for (const Blast &blast : blasts)
            heardBlasts << QStringLiteral("%1+%2").arg(blast.start).arg(blast.length);
        QVERIFY2(blasts.size() == expected, qPrintable(where + QStringLiteral(": %1 blasts heard (%3), %2 due")
                                                                  .arg(blasts.size())
                                                                  .arg(expected)
                                                                  .arg(heardBlasts.join(QLatin1Char(' ')))));
        for (int b = 0; b < blasts.size(); ++b) {
            const qint64 length = blasts[b].length;
            const qint64 due = SquareSignal::frames(signal.blastMs);
            const bool last = b + 1 == blasts.size();
            QVERIFY2(cutOff && last ? length <= due + tolerance : std::abs(length - due) <= tolerance,
                     qPrintable(where + QStringLiteral(": blast %1 lasted %2 frames of %3").arg(b).arg(length).arg(due)));
            if (!last) {
                const qint64 gap = blasts[b + 1].start - blasts[b].end();
                QVERIFY2(std::abs(gap - SquareSignal::frames(signal.gapMs)) <= tolerance,
                         qPrintable(where + QStringLiteral(": %1 frames between blasts %2 and %3").arg(gap).arg(b).arg(b + 1)));
            }
        }
        if (cutOff) {
            const qint64 silence = heard[i + 1].blasts.first().start - blasts.last().end();
            QVERIFY2(silence <= tolerance,
                     qPrintable(where + QStringLiteral(": ended %1 frames before the next one").arg(silence)));
        }
    }
    // What the player says is sounding is what the sink plays.
    QVERIFY2(stillSoundingAfterTheEnd.isEmpty(), qPrintable(stillSoundingAfterTheEnd.join(QLatin1Char(' '))));
    QVERIFY2(silentWhileSounding.isEmpty(), qPrintable(silentWhileSounding.join(QLatin1Char(' '))));
}

// A loudspeaker chosen as the default during a tournament takes the signals
// from then on, and the first output gets them back when it is chosen again.
void tst_soundPlayer::followsTheDefaultOutput()
{
    SinkRecorder sink;
    const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    if (pactl.isEmpty() || !sink.start())
        QSKIP("cannot record the sound server's sink or change its default");
    auto makeDefault = [&](const QString &name) {
        QCOMPARE(QProcess::execute(pactl, {QStringLiteral("set-default-sink"), name}), 0);
        QTRY_COMPARE(QMediaDevices::defaultAudioOutput().id(), name.toUtf8());
    };
    QtSoundPlayer player(programFolder);
    QCOMPARE(QProcess::execute(pactl, {QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                       QStringLiteral("sink_name=vantix_other")}),
             0);
    // The recording stays with the first output's monitor.
    QCOMPARE(QProcess::execute(pactl, {QStringLiteral("set-default-source"), QStringLiteral("vantix_null.monitor")}),
             0);
    makeDefault(QStringLiteral("vantix_other"));
    if (QTest::currentTestFailed())
        return;
    qint64 mark = sink.mark();
    player.PlaySound(One);
    QTRY_VERIFY_WITH_TIMEOUT(player.soundingName().isEmpty(), PlayToEndTimeout);
    QTest::qWait(100);
    QVERIFY2(sink.soundAfterMs(mark) <= 0, "the signal went to the output that is no longer the default");
    QVERIFY(qAbs(player.playedMicroseconds(One) - lengthOf(folder.filePath(One))) < 5000);

    makeDefault(QStringLiteral("vantix_null"));
    if (QTest::currentTestFailed())
        return;
    mark = sink.mark();
    player.PlaySound(One);
    QTRY_VERIFY_WITH_TIMEOUT(player.soundingName().isEmpty(), PlayToEndTimeout);
    QTest::qWait(100);
    QVERIFY2(sink.soundAfterMs(mark) > 500, "the signal did not come back to the default output");
}

QTEST_GUILESS_MAIN(tst_soundPlayer)
#include "tst_soundPlayer.moc"
