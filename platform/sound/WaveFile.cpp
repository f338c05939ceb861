// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

constexpr quint16 FormatPcm = 0x0001;
constexpr quint16 FormatFloat = 0x0003;
constexpr quint16 FormatExtensible = 0xFFFE;
constexpr int MinSampleRate = 1000;
constexpr int MaxSampleRate = 384000;
constexpr int MaxChannels = 8;

// The 'fmt ' chunk's description of the samples.
struct SampleLayout
{
    quint16 format = 0;
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
};

quint16 readU16(const char *at)
{
    return qFromLittleEndian<quint16>(at);
}

quint32 readU32(const char *at)
{
    return qFromLittleEndian<quint32>(at);
}

std::optional<SampleLayout> readLayout(const QByteArray &chunk)
{
    if (chunk.size() < 16)
        return std::nullopt;
    const char *p = chunk.constData();
    SampleLayout layout;
    layout.format = readU16(p);
    layout.channels = readU16(p + 2);
    const quint32 rate = readU32(p + 4);
    layout.sampleRate = rate > quint32(MaxSampleRate) ? 0 : int(rate);
    layout.blockAlign = readU16(p + 12);
    layout.bitsPerSample = readU16(p + 14);
    // The extensible layout names the real format in the first two bytes of
    // its sub-format identifier.
    if (layout.format == FormatExtensible) {
        if (chunk.size() < 40)
            return std::nullopt;
        layout.format = readU16(p + 24);
    }
    return layout;
}

std::optional<WaveFile::SampleType> sampleTypeOf(const SampleLayout &layout)
{
    if (layout.format == FormatPcm) {
        switch (layout.bitsPerSample) {
        case 8: return WaveFile::SampleType::UInt8;
        case 16: return WaveFile::SampleType::Int16;
        case 24:
        case 32: return WaveFile::SampleType::Int32;
        default: return std::nullopt;
        }
    }
    if (layout.format == FormatFloat && layout.bitsPerSample == 32)
        return WaveFile::SampleType::Float;
    return std::nullopt;
}

bool plausible(const SampleLayout &layout)
{
    return layout.channels >= 1 && layout.channels <= MaxChannels && layout.sampleRate >= MinSampleRate
           && layout.blockAlign == layout.channels * layout.bitsPerSample / 8;
}

// 24-bit samples become 32-bit ones with the same value scaled to full range.
QByteArray widen24(const QByteArray &packed)
{
    const qsizetype count = packed.size() / 3;
    QByteArray wide(count * 4, Qt::Uninitialized);
    const char *from = packed.constData();
    char *to = wide.data();
    for (qsizetype i = 0; i < count; ++i) {
        to[4 * i] = 0;
        to[4 * i + 1] = from[3 * i];
        to[4 * i + 2] = from[3 * i + 1];
        to[4 * i + 3] = from[3 * i + 2];
    }
    return wide;
}

// The chunks of interest, found by walking the chunk list. A data chunk whose
// stated size runs past the end of the file keeps the bytes that are there.
struct Chunks
{
    QByteArray format;
    QByteArray data;
    bool hasData = false;
};

Chunks findChunks(const QByteArray &bytes)
{
    Chunks chunks;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = readU32(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = qMin(size, bytes.size() - body);
        if (id == "fmt " && chunks.format.isEmpty())
            chunks.format = bytes.mid(body, available);
        else if (id == "data" && !chunks.hasData) {
            chunks.data = bytes.mid(body, available);
            chunks.hasData = true;
        }
        if (available < size)
            break;
        at = body + size + (size & 1);
    }
    return chunks;
}

} // namespace

std::optional<WaveFile> WaveFile::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    const Chunks chunks = findChunks(bytes);
    const std::optional<SampleLayout> layout = readLayout(chunks.format);
    if (!layout || !plausible(*layout) || !chunks.hasData)
        return std::nullopt;
    const std::optional<SampleType> type = sampleTypeOf(*layout);
    if (!type)
        return std::nullopt;

    const qsizetype wholeFrames = chunks.data.size() / layout->blockAlign;
    if (wholeFrames == 0)
        return std::nullopt;
    WaveFile wave;
    wave.sampleRate = layout->sampleRate;
    wave.channels = layout->channels;
    wave.sampleType = *type;
    wave.samples = chunks.data.left(wholeFrames * layout->blockAlign);
    if (layout->bitsPerSample == 24)
        wave.samples = widen24(wave.samples);
    return wave;
}

std::optional<WaveFile> WaveFile::load(const QString &path)
{
    // Only a plain file is opened: a device or pipe by that name could block.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return std::nullopt;
    return fromBytes(file.read(MaxFileBytes));
}

int WaveFile::bytesPerSample() const
{
    switch (sampleType) {
    case SampleType::UInt8: return 1;
    case SampleType::Int16: return 2;
    case SampleType::Int32:
    case SampleType::Float: return 4;
    }
    return 1;
}

qint64 WaveFile::frameCount() const
{
    const int frameBytes = bytesPerFrame();
    return frameBytes > 0 ? samples.size() / frameBytes : 0;
}

double WaveFile::seconds() const
{
    return sampleRate > 0 ? double(frameCount()) / sampleRate : 0.0;
}

namespace {

// One sample of the sound, in -1 .. 1.
double sampleAt(const WaveFile &wave, qint64 frame, int channel)
{
    const char *at = wave.samples.constData() + frame * wave.bytesPerFrame() + qint64(channel) * wave.bytesPerSample();
    using SampleType = WaveFile::SampleType;
    switch (wave.sampleType) {
    case SampleType::UInt8: return (quint8(*at) - 128) / 128.0;
    case SampleType::Int16: return qFromLittleEndian<qint16>(at) / 32768.0;
    case SampleType::Int32: return qFromLittleEndian<qint32>(at) / 2147483648.0;
    case SampleType::Float: return qFromLittleEndian<float>(at);
    }
    return 0.0;
}

} // namespace

QByteArray WaveFile::toStereo16(int outputRate) const
{
    const qint64 frames = frameCount();
    if (frames == 0 || sampleRate <= 0 || outputRate <= 0)
        return {};
    const qint64 outFrames = qint64(std::llround(double(frames) * outputRate / sampleRate));
    QByteArray out(outFrames * 4, Qt::Uninitialized);
    const double step = double(sampleRate) / outputRate;
    for (qint64 i = 0; i < outFrames; ++i) {
        const double position = i * step;
        const qint64 before = std::min(qint64(position), frames - 1);
        const qint64 after = std::min(before + 1, frames - 1);
        const double part = position - double(before);
        for (int side = 0; side < 2; ++side) {
            const int channel = std::min(side, channels - 1);
            const double value = sampleAt(*this, before, channel) * (1.0 - part) + sampleAt(*this, after, channel) * part;
            const long level = std::clamp(std::lround(value * 32768.0), -32768L, 32767L);
            qToLittleEndian(qint16(level), out.data() + i * 4 + side * 2);
        }
    }
    return out;
}
