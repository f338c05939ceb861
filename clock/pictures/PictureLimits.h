// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

#include <cstdint>

// Bounds that keep any picture file, however damaged or hostile, from costing
// the timekeeper more than a moment and a modest amount of memory.
namespace PictureLimits {

// The largest picture any decoder hands out: 32 Mi pixels, 128 MiB at four
// bytes a pixel. A picture that would decode larger is refused.
constexpr std::int64_t MaxDecodedPixels = 32LL * 1024 * 1024;

// The largest JPEG accepted, counted in the pixels it stores (100 megapixels,
// 12000 x 8000 and more): a camera picture of any ordinary size. It is
// decoded at a reduced scale for the screen, but a progressive picture keeps
// all of its coefficients while it decodes, about two bytes a sample at its
// stored size, so this bound is what bounds libjpeg's working memory.
constexpr std::int64_t MaxJpegPixels = 100'000'000;

// libjpeg's working memory beside the coefficients a picture keeps: row
// buffers, tables and the decoder's own records.
constexpr long JpegWorkingMargin = 64L * 1024 * 1024;

// A vector picture larger than this is no advert.
constexpr std::int64_t MaxWmfFileBytes = 16LL * 1024 * 1024;

// Rendering a vector picture runs in a helper process that is ended after this
// time, and may use at most this much address space beyond what it starts with.
constexpr int WmfRenderTimeoutMs = 5000;
constexpr std::int64_t WmfRenderExtraAddressSpace = 1024LL * 1024 * 1024;

inline bool fitsDecodedBound(const QSize &size)
{
    return size.width() > 0 && size.height() > 0
           && std::int64_t(size.width()) * size.height() <= MaxDecodedPixels;
}

} // namespace PictureLimits
