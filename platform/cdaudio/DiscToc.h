// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// One track of a disc's table of contents, in sectors (75 a second) from the
// disc's first sector; end is one past the track's last sector.
struct DiscTrack
{
    int number = 0;
    std::int32_t start = 0;
    std::int32_t end = 0;
    bool audio = false;

    bool operator==(const DiscTrack &) const = default;
};

// A disc's table of contents and the translation between sector numbers and
// the positions of the three time formats. The playable media runs from the
// start of the first audio track to the end of the last one; data tracks
// around the music (mixed-mode and enhanced discs) lie outside it.
class DiscToc
{
public:
    static constexpr int SectorsPerSecond = 75;
    // A position in the MSF format counts the two-second lead-in before the first sector.
    static constexpr int LeadInSectors = 150;
    // The furthest position the MSF format can name (255:59:74 with the
    // lead-in); a disc must end by it, or its positions would wrap around.
    static constexpr std::int32_t LastPosition = 256 * 60 * SectorsPerSecond - 1 - LeadInSectors;

    DiscToc() = default;
    explicit DiscToc(std::vector<DiscTrack> tracks);

    // The same contents: for an audio disc, as good as the same disc.
    bool operator==(const DiscToc &) const = default;

    bool HasAudio() const;
    int TrackCount() const { return static_cast<int>(tracks.size()); }
    int FirstTrack() const;
    int LastTrack() const;
    const DiscTrack *Track(int number) const;
    std::int32_t MediaStart() const { return mediaStart; }
    std::int32_t MediaEnd() const { return mediaEnd; }

    // The track that holds a sector; the end of the media belongs to the last audio track.
    int TrackAt(std::int32_t sector) const;
    bool IsAudioAt(std::int32_t sector) const;
    // One past the last sector of the run of audio tracks that holds sector.
    std::int32_t AudioRunEnd(std::int32_t sector) const;

    // Positions in a time format (MCI_FORMAT_TMSF, _MSF or _MILLISECONDS).
    static bool IsTimeFormat(std::uint32_t format);
    std::uint32_t Encode(std::int32_t sector, std::uint32_t format) const;
    // The sector of a position; nothing when it lies outside the disc or is malformed.
    std::optional<std::int32_t> Decode(std::uint32_t position, std::uint32_t format) const;
    // The length of a track in a time format: minutes, seconds and frames for
    // TMSF and MSF, as the Windows CD audio driver gives it.
    std::uint32_t EncodeDuration(std::int32_t sectors, std::uint32_t format) const;

private:
    std::vector<DiscTrack> tracks;
    std::int32_t mediaStart = 0;
    std::int32_t mediaEnd = 0;
    int lastAudioTrack = 0;
};
