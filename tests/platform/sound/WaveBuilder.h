// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QtEndian>

#include <cmath>

// Builds RIFF WAVE files byte by byte for the tests, well-formed or broken on purpose.
struct WaveBuilder
{
    quint16 format = 1; // 1 integer PCM, 3 float, 0xFFFE extensible
    quint16 subFormat = 1;
    int channels = 1;
    int sampleRate = 44100;
    int bitsPerSample = 16;
    int blockAlign = -1; // -1: channels * bits / 8
    QByteArray samples;
    QList<QByteArray> chunksBeforeFormat;
    bool dataBeforeFormat = false;
    qint64 statedDataSize = -1; // -1: the real size
    int formatChunkSize = -1;   // -1: 16, or 40 for extensible

    static QByteArray u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        return QByteArray(b, 2);
    }
    static QByteArray u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        return QByteArray(b, 4);
    }
    static QByteArray chunk(const QByteArray &id, const QByteArray &body)
    {
        QByteArray out = id + u32(quint32(body.size())) + body;
        if (body.size() & 1)
            out.append('\0');
        return out;
    }

    // A tone of the given length in this builder's layout (integer or float samples).
    WaveBuilder &tone(double seconds)
    {
        const int frames = int(std::lround(seconds * sampleRate));
        const int bytes = bitsPerSample / 8;
        samples.clear();
        for (int i = 0; i < frames; ++i) {
            const double v = 0.5 * std::sin(2 * 3.14159265 * 440.0 * i / sampleRate);
            for (int c = 0; c < channels; ++c)
                samples.append(sampleBytes(v, bytes));
        }
        return *this;
    }

    QByteArray sampleBytes(double v, int bytes) const
    {
        if ((format == 3 || (format == 0xFFFE && subFormat == 3)) && bytes == 4) {
            const float f = float(v);
            char b[4];
            qToLittleEndian(f, b);
            return QByteArray(b, 4);
        }
        if (bytes == 1)
            return QByteArray(1, char(quint8(128 + std::lround(v * 127))));
        const qint64 full = std::llround(v * double((qint64(1) << (bytes * 8 - 1)) - 1));
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(char((full >> (8 * i)) & 0xFF));
        return out;
    }

    QByteArray formatBody() const
    {
        const int align = blockAlign >= 0 ? blockAlign : channels * bitsPerSample / 8;
        QByteArray body = u16(format) + u16(quint16(channels)) + u32(quint32(sampleRate))
                          + u32(quint32(sampleRate * align)) + u16(quint16(align)) + u16(quint16(bitsPerSample));
        if (format == 0xFFFE) {
            body += u16(22) + u16(quint16(bitsPerSample)) + u32(0);
            body += u16(subFormat) + QByteArray::fromHex("000000001000800000aa00389b71");
        }
        if (formatChunkSize >= 0)
            body = body.left(formatChunkSize);
        return body;
    }

    QByteArray dataChunk() const
    {
        if (statedDataSize < 0)
            return chunk("data", samples);
        return QByteArray("data") + u32(quint32(statedDataSize)) + samples;
    }

    QByteArray bytes() const
    {
        QByteArray body = "WAVE";
        for (const QByteArray &extra : chunksBeforeFormat)
            body += extra;
        const QByteArray fmt = chunk("fmt ", formatBody());
        body += dataBeforeFormat ? dataChunk() + fmt : fmt + dataChunk();
        return "RIFF" + u32(quint32(body.size())) + body;
    }

    bool writeTo(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes()) >= 0;
    }
};
