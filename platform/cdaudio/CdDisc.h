// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscToc.h"

#include <QString>

#include <cstdint>
#include <memory>

typedef struct _CdIo CdIo_t;

// An audio disc read through libcdio: the disc in the computer's CD drive, or
// a BIN/CUE disc image. The table of contents is read once, at the open; the
// sectors are read afterwards by one thread at a time (the device's reader).
class CdDisc
{
public:
    static constexpr int SectorBytes = 2352;

    // Opens the disc in the default CD drive when source is empty, else the
    // drive or disc image that source names. On failure returns nothing and
    // sets error to the MCI error code that says why.
    static std::unique_ptr<CdDisc> Open(const QString &source, std::uint32_t &error);
    ~CdDisc();
    CdDisc(const CdDisc &) = delete;
    CdDisc &operator=(const CdDisc &) = delete;

    const DiscToc &Toc() const { return toc; }

    // Reads count sectors of digital audio, from sector on, into buffer
    // (count × SectorBytes bytes). Sectors outside the disc are refused here:
    // libcdio reports success for them without filling the buffer.
    bool ReadAudio(std::int32_t sector, int count, char *buffer);

private:
    CdDisc(CdIo_t *handle, DiscToc toc);
    static std::uint32_t readToc(CdIo_t *handle, DiscToc &toc);

    CdIo_t *handle;
    DiscToc toc;
};
