// SPDX-License-Identifier: GPL-3.0-or-later
// The real horn player against a sound server of the test's own, whose null
// sink takes the sound at the pace of a sound card. Audio timing is never
// asserted; what is checked is what was played, cut off or left silent.

#include "HornSignal.h"
#include "PrivateSoundServer.h"
#include "QtSoundPlayer.h"
#include "WaveFile.h"
#include "WaveBuilder.h"

#include <QtTest>

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

QTEST_GUILESS_MAIN(tst_soundPlayer)
#include "tst_soundPlayer.moc"
