// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The samples of a RIFF WAVE sound file and how they are laid out, ready to
// hand to an audio output. Integer PCM of 8, 16, 24 or 32 bits and 32-bit float
// are read, plain or in the extensible layout; 24-bit samples are widened to
// 32 bits since audio outputs take no 3-byte samples. Anything else is not a
// sound this program can play, and reading it yields nothing.
class WaveFile
{
public:
    enum class SampleType { UInt8, Int16, Int32, Float };

    int sampleRate = 0;
    int channels = 0;
    SampleType sampleType = SampleType::Int16;
    QByteArray samples;

    // A sound file larger than this is refused rather than read into memory.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

    static std::optional<WaveFile> fromBytes(const QByteArray &bytes);
    static std::optional<WaveFile> load(const QString &path);

    int bytesPerSample() const;
    int bytesPerFrame() const { return bytesPerSample() * channels; }
    qint64 frameCount() const;
    double seconds() const;

    // The sound as an output of 16-bit signed stereo at the given rate takes
    // it: a mono sound is heard on both sides, of more channels the first two
    // are kept, and another rate is met by linear interpolation. A 16-bit
    // sound at that rate comes out sample for sample.
    QByteArray toStereo16(int outputRate) const;
};
