// SPDX-License-Identifier: GPL-3.0-or-later
#include "HornSignal.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double LowTone = 311.13;  // E flat
constexpr double HighTone = 392.00; // G, a major third above
constexpr int Overtones = 10;
constexpr double AttackSeconds = 0.025;
constexpr double ReleaseSeconds = 0.05;
constexpr double BendSeconds = 0.04;
constexpr double BendStart = 0.94; // a horn starts a little flat and rises
constexpr double Drive = 2.2;      // how hard the reed is blown: more gives a harsher tone

// A raised-cosine ramp from 0 to 1 over the given span.
double ramp(double t, double span)
{
    if (t >= span)
        return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / span);
}

// One tone at the given phase: a sawtooth-like sum of overtones, each at 1/k.
double brass(double phase)
{
    double sum = 0.0;
    for (int k = 1; k <= Overtones; ++k)
        sum += std::sin(k * phase) / k;
    return sum;
}

void appendLittleEndian16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendLittleEndian32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

HornSignal::HornSignal(int blasts, double blastSeconds, double gapSeconds)
    : blastCount(std::max(1, blasts)), blastLength(blastSeconds), gapLength(gapSeconds)
{
}

HornSignal HornSignal::Emergency()
{
    return HornSignal(EmergencyBlasts, ShortBlastSeconds, ShortGapSeconds);
}

void HornSignal::addBlast(QList<double> &out) const
{
    const int count = int(std::lround(blastLength * SampleRate));
    double lowPhase = 0.0;
    double highPhase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / SampleRate;
        const double bend = BendStart + (1.0 - BendStart) * ramp(t, BendSeconds);
        lowPhase += 2.0 * std::numbers::pi * LowTone * bend / SampleRate;
        highPhase += 2.0 * std::numbers::pi * HighTone * bend / SampleRate;
        const double tone = 0.5 * (brass(lowPhase) + brass(highPhase));
        const double envelope = ramp(t, AttackSeconds) * ramp(blastLength - t, ReleaseSeconds);
        out.append(envelope * std::tanh(Drive * tone));
    }
}

void HornSignal::addSilence(QList<double> &out, double seconds)
{
    out.append(QList<double>(qsizetype(std::lround(seconds * SampleRate)), 0.0));
}

// Scales the loudest sample to PeakLevel of full scale.
QList<qint16> HornSignal::toPcm(const QList<double> &wave)
{
    double peak = 0.0;
    for (double v : wave)
        peak = std::max(peak, std::abs(v));
    const double scale = peak > 0.0 ? PeakLevel * 32767.0 / peak : 0.0;
    QList<qint16> pcm;
    pcm.reserve(wave.size());
    for (double v : wave)
        pcm.append(qint16(std::lround(v * scale)));
    return pcm;
}

QList<qint16> HornSignal::samples() const
{
    QList<double> wave;
    for (int blast = 0; blast < blastCount; ++blast) {
        if (blast > 0)
            addSilence(wave, gapLength);
        addBlast(wave);
    }
    return toPcm(wave);
}

QByteArray HornSignal::toWav() const
{
    const QList<qint16> pcm = samples();
    const quint32 dataBytes = quint32(pcm.size() * 2);
    QByteArray out;
    out.reserve(44 + dataBytes);
    out.append("RIFF");
    appendLittleEndian32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    appendLittleEndian32(out, 16);
    appendLittleEndian16(out, 1); // integer PCM
    appendLittleEndian16(out, 1); // mono
    appendLittleEndian32(out, SampleRate);
    appendLittleEndian32(out, SampleRate * 2);
    appendLittleEndian16(out, 2);
    appendLittleEndian16(out, 16);
    out.append("data");
    appendLittleEndian32(out, dataBytes);
    for (qint16 sample : pcm)
        appendLittleEndian16(out, quint16(sample));
    return out;
}
