// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cmath>
#include <numbers>
#include <cstdint>
#include <vector>

// Writes small BIN/CUE disc images for the CD tests. Audio tracks hold a
// tone of their own on the left channel and a running sample counter on the
// right, so every stretch of the disc is told apart from every other.
class DiscImage
{
public:
    static constexpr int SectorBytes = 2352;
    static constexpr int FramesPerSector = 588;

    struct Track
    {
        int sectors;
        bool audio = true;
    };

    // Writes <name>.bin and <name>.cue into folder; returns the cue's path.
    static QString write(const QString &folder, const QString &name, const std::vector<Track> &tracks)
    {
        QByteArray bin;
        QByteArray cue = "FILE \"" + name.toLatin1() + ".bin\" BINARY\n";
        int start = 0;
        for (std::size_t index = 0; index < tracks.size(); ++index) {
            const Track &track = tracks[index];
            cue += QByteArray("  TRACK ") + (index < 9 ? "0" : "") + QByteArray::number(int(index) + 1)
                   + (track.audio ? " AUDIO\n" : " MODE1/2352\n");
            cue += "    INDEX 01 " + msf(start) + "\n";
            bin += track.audio ? tone(start, track.sectors, toneOf(int(index))) : QByteArray(track.sectors * SectorBytes, '\0');
            start += track.sectors;
        }
        const QString base = QDir(folder).filePath(name);
        QFile binFile(base + QStringLiteral(".bin"));
        QFile cueFile(base + QStringLiteral(".cue"));
        if (!binFile.open(QIODevice::WriteOnly) || binFile.write(bin) != bin.size())
            return {};
        if (!cueFile.open(QIODevice::WriteOnly) || cueFile.write(cue) != cue.size())
            return {};
        return base + QStringLiteral(".cue");
    }

    // The three-track disc of the player tests: 3 s, 2.5 s and 2 s.
    static std::vector<Track> threeTracks() { return {{225}, {190}, {150}}; }

    // The bytes of sectors [first, first + count) of an image's bin file.
    static QByteArray sectors(const QString &cuePath, int first, int count)
    {
        QFile bin(binOf(cuePath));
        if (!bin.open(QIODevice::ReadOnly) || !bin.seek(qint64(first) * SectorBytes))
            return {};
        return bin.read(qint64(count) * SectorBytes);
    }

    static QString binOf(const QString &cuePath)
    {
        QString bin = cuePath;
        bin.chop(4);
        return bin + QStringLiteral(".bin");
    }

    static double toneOf(int trackIndex) { return 437.0 + 224.0 * trackIndex; }

    // The sample counter on the right channel at the first frame of a sector.
    static std::int16_t counterAt(int sector) { return std::int16_t((sector * FramesPerSector) & 0x7FFF); }
    // The right-channel counter of the first frame in a stretch of recorded bytes.
    static std::int16_t firstCounter(const QByteArray &bytes)
    {
        return bytes.size() < 4 ? -1 : qFromLittleEndian<std::int16_t>(bytes.constData() + 2);
    }

private:
    static QByteArray msf(int sector)
    {
        return QString::asprintf("%02d:%02d:%02d", sector / 4500, sector / 75 % 60, sector % 75).toLatin1();
    }

    static QByteArray tone(int startSector, int sectors, double hertz)
    {
        QByteArray bytes(sectors * SectorBytes, '\0');
        char *out = bytes.data();
        const int first = startSector * FramesPerSector;
        for (int frame = 0; frame < sectors * FramesPerSector; ++frame) {
            const int n = first + frame;
            const auto left = std::int16_t(std::lround(9000.0 * std::sin(2.0 * std::numbers::pi * hertz * n / 44100.0)));
            qToLittleEndian<std::int16_t>(left, out + 4 * frame);
            qToLittleEndian<std::int16_t>(std::int16_t(n & 0x7FFF), out + 4 * frame + 2);
        }
        return bytes;
    }
};
