// SPDX-License-Identifier: GPL-3.0-or-later
// The horn signals that ship with the program: what the generator makes, and
// that the build puts them beside the program.

#include "HornSignal.h"
#include "WaveFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr int Window = HornSignal::SampleRate / 100; // 10 ms
constexpr double FullScale = 32767.0;

QList<qint16> samplesOf(const WaveFile &wave)
{
    QList<qint16> out(wave.samples.size() / 2);
    std::memcpy(out.data(), wave.samples.constData(), out.size() * 2);
    return out;
}

// Loud and quiet stretches, in 10 ms windows: {start window, window count} of each loud one.
QList<QPair<int, int>> loudStretches(const QList<qint16> &pcm)
{
    QList<QPair<int, int>> stretches;
    const int windows = int(pcm.size() / Window);
    for (int w = 0; w < windows; ++w) {
        double energy = 0;
        for (int i = 0; i < Window; ++i)
            energy += double(pcm[w * Window + i]) * pcm[w * Window + i];
        const bool loud = std::sqrt(energy / Window) > 0.1 * FullScale;
        if (!loud)
            continue;
        if (!stretches.isEmpty() && stretches.last().first + stretches.last().second == w)
            ++stretches.last().second;
        else
            stretches.append({w, 1});
    }
    return stretches;
}

double powerAt(const QList<qint16> &pcm, qsizetype from, qsizetype count, double frequency)
{
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / HornSignal::SampleRate);
    double s1 = 0, s2 = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const double s0 = pcm[i] / FullScale + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

std::optional<WaveFile> parsedSignal(int blasts)
{
    return WaveFile::fromBytes(HornSignal(blasts).toWav());
}

} // namespace

class tst_hornWav : public QObject
{
    Q_OBJECT
private slots:
    void blastsAndGaps_data();
    void blastsAndGaps();
    void loudButNeverClipped();
    void blastsStartAndEndWithoutAClick();
    void soundsLikeATwoToneHorn();
    void buildPlacesTheSignalsBesideTheProgram_data();
    void buildPlacesTheSignalsBesideTheProgram();
    void generatorWritesAllThree();
    void generatorReportsWhatItCannotWrite();
    void emergencySignalIsFiveShortBlasts();
};

void tst_hornWav::blastsAndGaps_data()
{
    QTest::addColumn<int>("blasts");
    QTest::addColumn<double>("seconds");
    QTest::newRow("one blast") << 1 << 0.6;
    QTest::newRow("two blasts") << 2 << 1.45;
    QTest::newRow("three blasts") << 3 << 2.3;
}

void tst_hornWav::blastsAndGaps()
{
    QFETCH(int, blasts);
    QFETCH(double, seconds);
    const std::optional<WaveFile> wave = parsedSignal(blasts);
    QVERIFY(wave.has_value());
    QCOMPARE(wave->sampleType, WaveFile::SampleType::Int16);
    QCOMPARE(wave->channels, 1);
    QCOMPARE(wave->sampleRate, 44100);
    QVERIFY(qAbs(wave->seconds() - seconds) < 0.001);

    const QList<QPair<int, int>> loud = loudStretches(samplesOf(*wave));
    QCOMPARE(loud.size(), blasts);
    // The signal starts at once, with no silence in front.
    QVERIFY(loud.first().first <= 3);
    for (int i = 0; i < loud.size(); ++i) {
        QVERIFY2(qAbs(loud[i].second - 60) <= 3, qPrintable(QString::number(loud[i].second)));
        if (i > 0) {
            const int gap = loud[i].first - (loud[i - 1].first + loud[i - 1].second);
            QVERIFY2(qAbs(gap - 25) <= 3, qPrintable(QString::number(gap)));
        }
    }
}

void tst_hornWav::loudButNeverClipped()
{
    const QList<qint16> pcm = samplesOf(*parsedSignal(3));
    int peak = 0;
    qsizetype atFullScale = 0;
    for (qint16 s : pcm) {
        peak = std::max(peak, std::abs(int(s)));
        atFullScale += std::abs(int(s)) >= 32767;
    }
    QVERIFY(peak >= 0.85 * FullScale);
    QCOMPARE(atFullScale, 0);
}

void tst_hornWav::blastsStartAndEndWithoutAClick()
{
    const QList<qint16> pcm = samplesOf(*parsedSignal(2));
    const qsizetype blast = qsizetype(HornSignal::BlastSeconds * HornSignal::SampleRate);
    const qsizetype gap = qsizetype(HornSignal::GapSeconds * HornSignal::SampleRate);
    const qsizetype edges[] = {0, blast - 1, blast + gap, pcm.size() - 1};
    for (qsizetype at : edges)
        QVERIFY2(std::abs(pcm[at]) < 0.01 * FullScale, qPrintable(QString::number(at)));
}

void tst_hornWav::soundsLikeATwoToneHorn()
{
    // The strongest tones of a steady stretch of a blast are its two notes,
    // a low pair that carries, not a whistle or a hum.
    const QList<qint16> pcm = samplesOf(*parsedSignal(1));
    const qsizetype from = HornSignal::SampleRate / 10;
    const qsizetype count = HornSignal::SampleRate / 4;
    QList<QPair<double, int>> spectrum;
    for (int f = 100; f <= 2000; f += 1)
        spectrum.append({powerAt(pcm, from, count, f), f});
    std::sort(spectrum.begin(), spectrum.end(), std::greater<>());
    const int first = spectrum[0].second;
    int second = 0;
    for (const auto &[power, f] : spectrum) {
        if (qAbs(f - first) > 20) {
            second = f;
            break;
        }
    }
    const int low = std::min(first, second);
    const int high = std::max(first, second);
    QVERIFY2(qAbs(low - 311) <= 4 && qAbs(high - 392) <= 4,
             qPrintable(QStringLiteral("%1 Hz and %2 Hz").arg(low).arg(high)));
}

void tst_hornWav::buildPlacesTheSignalsBesideTheProgram_data()
{
    QTest::addColumn<int>("blasts");
    for (int n = 1; n <= 3; ++n)
        QTest::addRow("%ddyt.wav", n) << n;
}

void tst_hornWav::buildPlacesTheSignalsBesideTheProgram()
{
    QFETCH(int, blasts);
    QFile file(QStringLiteral(VANTIX_BIN_DIR "/%1dyt.wav").arg(blasts));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QCOMPARE(file.readAll(), HornSignal(blasts).toWav());
}

void tst_hornWav::generatorWritesAllThree()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("new/folder"));
    QProcess generator;
    generator.start(QStringLiteral(HORNWAV_PROGRAM), {target});
    QVERIFY(generator.waitForFinished(30000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(generator.exitCode(), 0);
    for (int n = 1; n <= 3; ++n) {
        QFile file(QStringLiteral("%1/%2dyt.wav").arg(target).arg(n));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), HornSignal(n).toWav());
    }
}

void tst_hornWav::generatorReportsWhatItCannotWrite()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("a-file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QProcess generator;
    generator.start(QStringLiteral(HORNWAV_PROGRAM), {blocker.fileName() + QStringLiteral("/below")});
    QVERIFY(generator.waitForFinished(30000));
    QCOMPARE(generator.exitCode(), 1);
    QVERIFY(generator.readAllStandardError().contains("cannot"));

    generator.start(QStringLiteral(HORNWAV_PROGRAM), {});
    QVERIFY(generator.waitForFinished(30000));
    QCOMPARE(generator.exitCode(), 2);
    QVERIFY(generator.readAllStandardError().contains("usage"));
}

void tst_hornWav::emergencySignalIsFiveShortBlasts()
{
    QFile file(QStringLiteral(VANTIX_BIN_DIR "/5dyt.wav"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const std::optional<WaveFile> wave = WaveFile::fromBytes(file.readAll());
    QVERIFY(wave.has_value());
    const QList<QPair<int, int>> loud = loudStretches(samplesOf(*wave));
    QCOMPARE(loud.size(), 5);
    // Each blast is under half as long as the blasts of the other signals.
    for (const auto &[start, windows] : loud)
        QVERIFY2(windows < 30, qPrintable(QString::number(windows)));
}

QTEST_GUILESS_MAIN(tst_hornWav)
#include "tst_hornWav.moc"
