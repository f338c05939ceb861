// SPDX-License-Identifier: GPL-3.0-or-later
// The disc's table of contents as the CD device reads it: any text as the CUE
// sheet of a disc image, beside a BIN file whose length in bytes the first
// line gives (written sparse, so long discs cost nothing).
// Must hold: a disc that cannot be used is refused with "not ready" or "no
// audio tracks", the same through the device as directly; an opened disc has
// 1 to 99 tracks, each inside the disc, and when they do not overlap its
// music runs from the first audio track to the last; sectors outside the disc
// are never read; and through the device every track's position and the
// disc's length are positions that a seek takes back to exactly, and every
// track's length is exact, in each time format.

#include "FuzzRequire.h"
#include "CdAudioDevice.h"
#include "CdDisc.h"
#include "DiscToc.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace Mci;

namespace {

constexpr std::uint32_t StatusFlags = MCI_WAIT | MCI_STATUS_ITEM;
// Eight gigabytes of sparse file: more than any disc holds.
constexpr qint64 LargestImage = qint64(1) << 33;
constexpr std::uint32_t TimeFormats[] = {MCI_FORMAT_TMSF, MCI_FORMAT_MSF, MCI_FORMAT_MILLISECONDS};

QTemporaryDir *folder = nullptr;

QString cuePath()
{
    return folder->filePath(QStringLiteral("disc.cue"));
}

// The first line is the BIN file's length; the rest is the CUE sheet.
void writeImage(const QByteArray &input)
{
    const qsizetype lineEnd = input.indexOf('\n');
    const QByteArray first = lineEnd < 0 ? input : input.left(lineEnd);
    const QByteArray sheet = lineEnd < 0 ? QByteArray() : input.mid(lineEnd + 1);
    bool number = false;
    const qint64 length = first.trimmed().toLongLong(&number);
    QFile bin(folder->filePath(QStringLiteral("disc.bin")));
    REQUIRE(bin.open(QIODevice::WriteOnly | QIODevice::Truncate));
    REQUIRE(bin.resize(number && length > 0 ? std::min(length, LargestImage) : 0));
    QFile cue(cuePath());
    REQUIRE(cue.open(QIODevice::WriteOnly | QIODevice::Truncate));
    REQUIRE(cue.write(sheet) == sheet.size());
}

// The tracks by their start, as the table lists them under their numbers.
std::vector<DiscTrack> tracksOf(const DiscToc &toc)
{
    std::vector<DiscTrack> tracks;
    for (int number = 1; number <= 99; ++number) {
        if (const DiscTrack *track = toc.Track(number)) {
            REQUIRE(track->number == number);
            tracks.push_back(*track);
        }
    }
    std::stable_sort(tracks.begin(), tracks.end(),
                     [](const DiscTrack &a, const DiscTrack &b) { return a.start < b.start; });
    return tracks;
}

// Tracks that share a start or reach into the next one: a damaged sheet,
// where a sector belongs to more than one track and no answer is the one
// right answer.
bool overlapping(const std::vector<DiscTrack> &tracks)
{
    for (std::size_t i = 1; i < tracks.size(); ++i) {
        if (tracks[i].start == tracks[i - 1].start || tracks[i].start < tracks[i - 1].end)
            return true;
    }
    return false;
}

void checkContents(const DiscToc &toc)
{
    REQUIRE(toc.TrackCount() >= 1 && toc.TrackCount() <= 99 && toc.HasAudio());
    const std::vector<DiscTrack> tracks = tracksOf(toc);
    REQUIRE(int(tracks.size()) == toc.TrackCount());
    std::int32_t leadOut = 0;
    for (const DiscTrack &track : tracks)
        leadOut = std::max(leadOut, track.end);
    for (const DiscTrack &track : tracks)
        REQUIRE(track.start >= 0 && track.start <= track.end);
    REQUIRE(toc.Track(toc.FirstTrack()) && toc.Track(toc.LastTrack()));
    REQUIRE(toc.Track(toc.LastTrack())->start == tracks.back().start);
    REQUIRE(toc.MediaStart() <= toc.MediaEnd() && toc.MediaEnd() <= leadOut);
    if (overlapping(tracks))
        return;
    // An orderly disc: its music runs from the first audio track's start to
    // the last one's end, and playing from its start plays music.
    const auto firstAudio = std::find_if(tracks.begin(), tracks.end(), [](const DiscTrack &t) { return t.audio; });
    const auto lastAudio = std::find_if(tracks.rbegin(), tracks.rend(), [](const DiscTrack &t) { return t.audio; });
    REQUIRE(toc.MediaStart() == firstAudio->start && toc.MediaEnd() == lastAudio->end);
    REQUIRE(toc.IsAudioAt(toc.MediaStart()) || firstAudio->start == firstAudio->end);
    const std::int32_t runEnd = toc.AudioRunEnd(toc.MediaStart());
    REQUIRE(runEnd >= toc.MediaStart() && runEnd <= toc.MediaEnd());
}

// Reads that the disc must refuse, and single sectors at its edges, which
// must at least stay inside the buffer they are read into.
void checkReads(CdDisc &disc)
{
    const DiscToc &toc = disc.Toc();
    const std::int32_t end = toc.Track(toc.LastTrack())->end;
    std::vector<char> buffer(2 * CdDisc::SectorBytes);
    REQUIRE(!disc.ReadAudio(-1, 1, buffer.data()));
    REQUIRE(!disc.ReadAudio(end, 1, buffer.data()));
    REQUIRE(!disc.ReadAudio(toc.MediaStart(), 0, buffer.data()));
    if (end >= 1) {
        REQUIRE(!disc.ReadAudio(end - 1, 2, buffer.data()));
        disc.ReadAudio(end - 1, 1, buffer.data());
    }
    if (toc.MediaStart() < end)
        disc.ReadAudio(toc.MediaStart(), 1, buffer.data());
}

struct Device
{
    CdAudioDevice device{cuePath(), [] { return std::unique_ptr<IAudioSink>(); }};
    std::uint16_t id = 0;

    std::uint32_t send(std::uint32_t command, std::uint32_t flags, MciParms &parms)
    {
        return device.SendCommand(id, command, flags, parms);
    }
    std::uint32_t ask(std::uint32_t item, std::uint32_t track = 0)
    {
        MciParms parms;
        parms.dwItem = item;
        parms.dwTrack = track;
        REQUIRE(send(MCI_STATUS, StatusFlags | (track ? MCI_TRACK : 0), parms) == 0);
        return parms.dwReturn;
    }
    // A seek to a position the device gave must land exactly there.
    void seekBackTo(std::uint32_t position)
    {
        MciParms parms;
        parms.dwTo = position;
        REQUIRE(send(MCI_SEEK, MCI_WAIT | MCI_TO, parms) == 0);
        REQUIRE(ask(MCI_STATUS_POSITION) == position);
    }
};

// A track's length as the device gives it must be the track's sectors.
bool lengthIs(std::uint32_t length, std::uint32_t format, std::int32_t sectors)
{
    if (format == MCI_FORMAT_MILLISECONDS)
        return length == std::uint32_t(std::int64_t(sectors) * 1000 / DiscToc::SectorsPerSecond);
    return MsfSeconds(length) < 60 && MsfFrames(length) < 75
           && std::int32_t(MsfMinutes(length) * 60 * 75 + MsfSeconds(length) * 75 + MsfFrames(length)) == sectors;
}

void checkDevice(std::uint32_t openError, const DiscToc *toc)
{
    Device cd;
    MciParms open;
    open.lpstrDeviceType = "cdaudio";
    REQUIRE(cd.device.SendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, open) == openError);
    if (openError != 0)
        return;
    cd.id = open.wDeviceID;
    REQUIRE(int(cd.ask(MCI_STATUS_NUMBER_OF_TRACKS)) == toc->TrackCount());
    for (const std::uint32_t format : TimeFormats) {
        MciParms set;
        set.dwTimeFormat = format;
        REQUIRE(cd.send(MCI_SET, MCI_SET_TIME_FORMAT, set) == 0);
        cd.seekBackTo(cd.ask(MCI_STATUS_LENGTH));
        for (int number = 1; number <= 99; ++number) {
            if (!toc->Track(number))
                continue;
            cd.seekBackTo(cd.ask(MCI_STATUS_POSITION, std::uint32_t(number)));
            REQUIRE(toc->Track(int(cd.ask(MCI_STATUS_CURRENT_TRACK))) != nullptr);
            const DiscTrack &track = *toc->Track(number);
            REQUIRE(lengthIs(cd.ask(MCI_STATUS_LENGTH, std::uint32_t(number)), format, track.end - track.start));
        }
    }
    MciParms close;
    REQUIRE(cd.send(MCI_CLOSE, MCI_WAIT, close) == 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    // Removed with everything in it when the run ends.
    static QTemporaryDir scratch;
    folder = &scratch;
    return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    writeImage(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    std::uint32_t error = 0;
    const std::unique_ptr<CdDisc> disc = CdDisc::Open(cuePath(), error);
    if (!disc) {
        REQUIRE(error == MCIERR_DEVICE_NOT_READY || error == CDERR_NO_AUDIO_TRACKS);
        checkDevice(error, nullptr);
        return 0;
    }
    REQUIRE(error == 0);
    checkContents(disc->Toc());
    checkReads(*disc);
    checkDevice(0, &disc->Toc());
    return 0;
}
