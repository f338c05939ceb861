// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscToc.h"

#include "Mci.h"

#include <algorithm>

using namespace Mci;

namespace {

constexpr std::int32_t SectorsPerMinute = DiscToc::SectorsPerSecond * 60;

std::uint32_t packMsf(std::int32_t sectors)
{
    return MakeMsf(static_cast<std::uint32_t>(sectors / SectorsPerMinute),
                   static_cast<std::uint32_t>(sectors / DiscToc::SectorsPerSecond % 60),
                   static_cast<std::uint32_t>(sectors % DiscToc::SectorsPerSecond));
}

std::optional<std::int32_t> sectorsOf(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames)
{
    if (seconds >= 60 || frames >= static_cast<std::uint32_t>(DiscToc::SectorsPerSecond))
        return std::nullopt;
    return static_cast<std::int32_t>(minutes * SectorsPerMinute + seconds * DiscToc::SectorsPerSecond + frames);
}

} // namespace

DiscToc::DiscToc(std::vector<DiscTrack> list) : tracks(std::move(list))
{
    std::sort(tracks.begin(), tracks.end(), [](const DiscTrack &a, const DiscTrack &b) { return a.start < b.start; });
    for (const DiscTrack &track : tracks) {
        if (!track.audio)
            continue;
        if (lastAudioTrack == 0)
            mediaStart = track.start;
        mediaEnd = track.end;
        lastAudioTrack = track.number;
    }
}

bool DiscToc::HasAudio() const
{
    return std::any_of(tracks.begin(), tracks.end(), [](const DiscTrack &track) { return track.audio; });
}

int DiscToc::FirstTrack() const
{
    return tracks.empty() ? 0 : tracks.front().number;
}

int DiscToc::LastTrack() const
{
    return tracks.empty() ? 0 : tracks.back().number;
}

const DiscTrack *DiscToc::Track(int number) const
{
    for (const DiscTrack &track : tracks) {
        if (track.number == number)
            return &track;
    }
    return nullptr;
}

int DiscToc::TrackAt(std::int32_t sector) const
{
    if (tracks.empty())
        return 0;
    if (sector == mediaEnd && lastAudioTrack != 0)
        return lastAudioTrack;
    int found = tracks.front().number;
    for (const DiscTrack &track : tracks) {
        if (track.start <= sector)
            found = track.number;
    }
    return found;
}

bool DiscToc::IsAudioAt(std::int32_t sector) const
{
    const DiscTrack *track = Track(TrackAt(sector));
    return track != nullptr && track->audio && sector >= track->start && sector < track->end;
}

std::int32_t DiscToc::AudioRunEnd(std::int32_t sector) const
{
    std::int32_t end = sector;
    for (const DiscTrack &track : tracks) {
        if (track.end <= sector)
            continue;
        if (!track.audio || track.start > end)
            break;
        end = track.end;
    }
    return end;
}

bool DiscToc::IsTimeFormat(std::uint32_t format)
{
    return format == MCI_FORMAT_TMSF || format == MCI_FORMAT_MSF || format == MCI_FORMAT_MILLISECONDS;
}

std::uint32_t DiscToc::Encode(std::int32_t sector, std::uint32_t format) const
{
    if (format == MCI_FORMAT_TMSF) {
        const DiscTrack *track = Track(TrackAt(sector));
        const std::int32_t offset = track ? std::max(0, sector - track->start) : 0;
        return MakeTmsf(static_cast<std::uint32_t>(track ? track->number : 0), 0, 0, 0) | packMsf(offset) << 8;
    }
    const std::int32_t absolute = sector + LeadInSectors;
    if (format == MCI_FORMAT_MSF)
        return packMsf(absolute);
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(absolute) * 1000 / SectorsPerSecond);
}

std::optional<std::int32_t> DiscToc::Decode(std::uint32_t position, std::uint32_t format) const
{
    std::optional<std::int32_t> sector;
    if (format == MCI_FORMAT_TMSF) {
        const DiscTrack *track = Track(static_cast<int>(TmsfTrack(position)));
        const auto offset = sectorsOf(TmsfMinutes(position), TmsfSeconds(position), TmsfFrames(position));
        if (track != nullptr && offset)
            sector = track->start + *offset;
    } else if (format == MCI_FORMAT_MSF) {
        const auto absolute = sectorsOf(MsfMinutes(position), MsfSeconds(position), MsfFrames(position));
        if (absolute)
            sector = *absolute - LeadInSectors;
    } else if (format == MCI_FORMAT_MILLISECONDS) {
        // A sector lasts 13 1/3 ms, so a position in whole milliseconds lies
        // up to a sector's fraction before the sector it was made from:
        // rounding to the nearest sector takes every reported position back
        // to its own sector rather than the one before.
        const std::int64_t scaled = static_cast<std::int64_t>(position) * SectorsPerSecond;
        sector = static_cast<std::int32_t>((scaled + 500) / 1000) - LeadInSectors;
    }
    if (!sector || tracks.empty() || *sector < tracks.front().start || *sector > tracks.back().end)
        return std::nullopt;
    return sector;
}

std::uint32_t DiscToc::EncodeDuration(std::int32_t sectors, std::uint32_t format) const
{
    if (format == MCI_FORMAT_MILLISECONDS)
        return static_cast<std::uint32_t>(static_cast<std::int64_t>(sectors) * 1000 / SectorsPerSecond);
    return packMsf(sectors);
}
