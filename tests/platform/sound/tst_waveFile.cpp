// SPDX-License-Identifier: GPL-3.0-or-later
// Reading sound files: the layouts the horn player accepts, and files that are
// not sounds it can play, which must yield nothing rather than noise or a crash.

#include "WaveBuilder.h"
#include "WaveFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

Q_DECLARE_METATYPE(WaveFile::SampleType)

class tst_waveFile : public QObject
{
    Q_OBJECT
private slots:
    void readsPlayableLayouts_data();
    void readsPlayableLayouts();
    void widens24BitSamples();
    void keepsWhatIsThereOfATruncatedFile();
    void refusesWhatIsNoPlayableSound_data();
    void refusesWhatIsNoPlayableSound();
    void loadsOnlyPlainReadableFiles();
    void refusesAnOversizedFile();
    void convertsForTheOutput_data();
    void convertsForTheOutput();
};

void tst_waveFile::readsPlayableLayouts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<WaveFile::SampleType>("type");
    QTest::addColumn<qint64>("frames");

    auto row = [](const char *name, WaveBuilder b, WaveFile::SampleType type) {
        b.tone(0.1);
        QTest::newRow(name) << b.bytes() << b.sampleRate << b.channels << type
                            << qint64(std::lround(0.1 * b.sampleRate));
    };
    WaveBuilder b;
    row("16-bit mono", b, WaveFile::SampleType::Int16);
    b = {};
    b.bitsPerSample = 8;
    b.channels = 2;
    b.sampleRate = 22050;
    row("8-bit stereo", b, WaveFile::SampleType::UInt8);
    b = {};
    b.bitsPerSample = 24;
    b.sampleRate = 48000;
    b.channels = 2;
    row("24-bit stereo", b, WaveFile::SampleType::Int32);
    b = {};
    b.bitsPerSample = 32;
    row("32-bit integer", b, WaveFile::SampleType::Int32);
    b = {};
    b.format = 3;
    b.bitsPerSample = 32;
    row("32-bit float", b, WaveFile::SampleType::Float);
    b = {};
    b.format = 0xFFFE;
    b.channels = 2;
    row("extensible 16-bit", b, WaveFile::SampleType::Int16);
    b = {};
    b.format = 0xFFFE;
    b.subFormat = 3;
    b.bitsPerSample = 32;
    row("extensible float", b, WaveFile::SampleType::Float);
    b = {};
    b.chunksBeforeFormat = {WaveBuilder::chunk("LIST", "INFOodd"), WaveBuilder::chunk("fact", "abcd")};
    row("odd-sized chunk before the format", b, WaveFile::SampleType::Int16);
    b = {};
    b.dataBeforeFormat = true;
    row("samples before the format", b, WaveFile::SampleType::Int16);
    b = {};
    b.sampleRate = 8000;
    b.channels = 8;
    row("8 channels at 8 kHz", b, WaveFile::SampleType::Int16);
}

void tst_waveFile::readsPlayableLayouts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(WaveFile::SampleType, type);
    QFETCH(qint64, frames);

    const std::optional<WaveFile> wave = WaveFile::fromBytes(bytes);
    QVERIFY(wave.has_value());
    QCOMPARE(wave->sampleRate, rate);
    QCOMPARE(wave->channels, channels);
    QCOMPARE(wave->sampleType, type);
    QCOMPARE(wave->frameCount(), frames);
    QCOMPARE(wave->samples.size(), frames * wave->bytesPerFrame());
    QVERIFY(qAbs(wave->seconds() - 0.1) < 0.001);
}

void tst_waveFile::widens24BitSamples()
{
    WaveBuilder b;
    b.bitsPerSample = 24;
    b.samples = QByteArray::fromHex("563412" "ffff7f" "000080");
    const std::optional<WaveFile> wave = WaveFile::fromBytes(b.bytes());
    QVERIFY(wave.has_value());
    QCOMPARE(wave->samples, QByteArray::fromHex("00563412" "00ffff7f" "00000080"));
}

void tst_waveFile::keepsWhatIsThereOfATruncatedFile()
{
    // A copy that broke off mid-way still plays the part that arrived, in whole frames.
    WaveBuilder b;
    b.channels = 2;
    b.samples = QByteArray(4 * 100 + 3, '\x01');
    b.statedDataSize = 4 * 1000;
    const std::optional<WaveFile> wave = WaveFile::fromBytes(b.bytes());
    QVERIFY(wave.has_value());
    QCOMPARE(wave->frameCount(), 100);
}

void tst_waveFile::refusesWhatIsNoPlayableSound_data()
{
    QTest::addColumn<QByteArray>("bytes");

    WaveBuilder good;
    good.tone(0.05);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("This is not a sound at all, just words in a file.\r\n");
    QTest::newRow("header only") << QByteArray("RIFF\x04\0\0\0WAVE", 12);
    QTest::newRow("not WAVE") << QByteArray(good.bytes()).replace(8, 4, "AVI ");
    QTest::newRow("cut in the header") << good.bytes().left(30);

    auto broken = [&](const char *name, auto change) {
        WaveBuilder b = good;
        change(b);
        QTest::newRow(name) << b.bytes();
    };
    broken("no samples", [](WaveBuilder &b) { b.samples.clear(); });
    broken("less than a frame", [](WaveBuilder &b) { b.samples = "x"; });
    broken("ADPCM", [](WaveBuilder &b) { b.format = 2; });
    broken("12-bit", [](WaveBuilder &b) { b.bitsPerSample = 12; });
    broken("64-bit float", [](WaveBuilder &b) {
        b.format = 3;
        b.bitsPerSample = 64;
    });
    broken("no channels", [](WaveBuilder &b) { b.channels = 0; });
    broken("nine channels", [](WaveBuilder &b) { b.channels = 9; });
    broken("rate 0", [](WaveBuilder &b) { b.sampleRate = 0; });
    broken("rate 500", [](WaveBuilder &b) { b.sampleRate = 500; });
    broken("block size that is no frame", [](WaveBuilder &b) { b.blockAlign = 3; });
    broken("short format chunk", [](WaveBuilder &b) { b.formatChunkSize = 14; });
    broken("extensible without sub-format", [](WaveBuilder &b) {
        b.format = 0xFFFE;
        b.formatChunkSize = 18;
    });
    broken("extensible ADPCM", [](WaveBuilder &b) {
        b.format = 0xFFFE;
        b.subFormat = 2;
    });

    QByteArray noData = good.bytes();
    noData.replace(noData.indexOf("data"), 4, "junk");
    QTest::newRow("no data chunk") << noData;
    QByteArray noFormat = good.bytes();
    noFormat.replace(noFormat.indexOf("fmt "), 4, "junk");
    QTest::newRow("no format chunk") << noFormat;
}

void tst_waveFile::refusesWhatIsNoPlayableSound()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!WaveFile::fromBytes(bytes).has_value());
}

void tst_waveFile::loadsOnlyPlainReadableFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    WaveBuilder b;
    b.tone(0.05);
    QVERIFY(b.writeTo(dir.filePath("good.wav")));
    QVERIFY(WaveFile::load(dir.filePath("good.wav")).has_value());

    QVERIFY(!WaveFile::load(dir.filePath("missing.wav")).has_value());
    QVERIFY(QDir(dir.path()).mkdir("folder.wav"));
    QVERIFY(!WaveFile::load(dir.filePath("folder.wav")).has_value());
    // A named pipe would block a reader until someone writes to it.
    const QByteArray pipe = QFile::encodeName(dir.filePath("pipe.wav"));
    QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
    QVERIFY(!WaveFile::load(dir.filePath("pipe.wav")).has_value());
}

void tst_waveFile::refusesAnOversizedFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    WaveBuilder b;
    b.tone(0.05);
    const QString path = dir.filePath("huge.wav");
    QVERIFY(b.writeTo(path));
    QVERIFY(WaveFile::load(path).has_value());
    QFile file(path);
    QVERIFY(file.resize(WaveFile::MaxFileBytes + 1)); // sparse: costs no disk
    QVERIFY(!WaveFile::load(path).has_value());
}

void tst_waveFile::convertsForTheOutput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("tolerance"); // in 16-bit steps
    auto row = [](const char *name, WaveBuilder b, int tolerance) {
        b.tone(0.1);
        QTest::newRow(name) << b.bytes() << tolerance;
    };
    WaveBuilder b;
    row("16-bit mono at the output's rate, sample for sample", b, 0);
    b.channels = 2;
    row("16-bit stereo", b, 0);
    b = {};
    b.bitsPerSample = 8;
    b.sampleRate = 11025;
    row("8-bit mono 11 kHz", b, 600);
    b = {};
    b.bitsPerSample = 24;
    b.channels = 3;
    b.sampleRate = 48000;
    row("24-bit, three channels, 48 kHz", b, 40);
    b = {};
    b.format = 3;
    b.bitsPerSample = 32;
    b.sampleRate = 96000;
    row("float 96 kHz", b, 40);
}

void tst_waveFile::convertsForTheOutput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, tolerance);
    const std::optional<WaveFile> wave = WaveFile::fromBytes(bytes);
    QVERIFY(wave);
    const QByteArray out = wave->toStereo16(44100);
    // As long as the sound, whatever its rate.
    const qint64 frames = std::llround(wave->seconds() * 44100);
    QCOMPARE(out.size(), qsizetype(frames * 4));
    // Past the last sample of the file there is nothing to follow the tone by.
    const qint64 followed = frames - 44100 / wave->sampleRate - 1;
    int worst = 0;
    for (int frame = 0; frame < followed; ++frame) {
        const int heard = std::lround(0.5 * std::sin(2 * 3.14159265 * 440.0 * frame / 44100) * 32767);
        const qint16 left = qFromLittleEndian<qint16>(out.constData() + frame * 4);
        const qint16 right = qFromLittleEndian<qint16>(out.constData() + frame * 4 + 2);
        QCOMPARE(right, left);
        worst = std::max(worst, std::abs(left - heard));
    }
    QVERIFY2(worst <= tolerance, qPrintable(QString::number(worst)));
}

QTEST_GUILESS_MAIN(tst_waveFile)
#include "tst_waveFile.moc"
