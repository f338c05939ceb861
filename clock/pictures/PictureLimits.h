#pragma once

#include <QSize>

#include <cstdint>

// Bounds that keep any picture file, however damaged or hostile, from costing
// the timekeeper more than a moment and a modest amount of memory.
namespace PictureLimits {

// The largest picture any decoder hands out: 32 Mi pixels, 128 MiB at four
// bytes a pixel. A picture that would decode larger is refused.
constexpr std::int64_t MaxDecodedPixels = 32LL * 1024 * 1024;

// libjpeg's own working memory (progressive pictures keep every coefficient).
constexpr long MaxJpegWorkingMemory = 256L * 1024 * 1024;

// A vector picture larger than this is no advert.
constexpr std::int64_t MaxWmfFileBytes = 16LL * 1024 * 1024;

// Rendering a vector picture runs in a child process that is ended after this
// time, and may use at most this much address space beyond its parent's.
constexpr int WmfRenderTimeoutMs = 5000;
constexpr std::int64_t WmfRenderExtraAddressSpace = 1024LL * 1024 * 1024;

inline bool fitsDecodedBound(const QSize &size)
{
    return size.width() > 0 && size.height() > 0
           && std::int64_t(size.width()) * size.height() <= MaxDecodedPixels;
}

} // namespace PictureLimits
