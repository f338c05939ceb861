// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FuzzRequire.h"
#include "pictures/WmfFrame.h"

#include <QByteArray>
#include <QSize>
#include <QtEndian>

#include <algorithm>

// The framing of a metafile, done in the program's own process before the
// drawing, must hand on a metafile whose header tells the truth about its
// records, their length and the longest of them, and that ends in exactly
// one end record. Shared by the targets that read metafiles.
namespace WmfFrameCheck {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr int PlaceableSize = 22;
constexpr int HeaderSize = 18;

inline quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

inline quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// The framed metafile, walked record by record with nothing taken on trust.
inline void checkFrame(const QByteArray &data)
{
    const QByteArray framed = WmfFrame::Framed(data);
    if (framed.isEmpty())
        return;
    const bool placeable = framed.size() >= PlaceableSize && u32(framed, 0) == PlaceableKey;
    const int header = placeable ? PlaceableSize : 0;
    REQUIRE(framed.size() >= header + HeaderSize + 6 && (framed.size() - header) % 2 == 0);
    REQUIRE(u16(framed, header) == 1 || u16(framed, header) == 2);
    REQUIRE(u16(framed, header + 2) == HeaderSize / 2);
    REQUIRE(u32(framed, header + 6) == quint32(framed.size() - header) / 2);
    const quint32 longestClaimed = u32(framed, header + 12);
    qsizetype at = header + HeaderSize;
    quint32 longest = 0;
    quint16 function = 0xFFFF;
    while (at < framed.size()) {
        REQUIRE(function != 0); // nothing follows the end record
        REQUIRE(framed.size() - at >= 6);
        const quint32 words = u32(framed, at);
        function = u16(framed, at + 4);
        REQUIRE(words >= 3 && words <= quint32(framed.size() - at) / 2);
        longest = std::max(longest, words);
        at += qsizetype(words) * 2;
    }
    REQUIRE(function == 0 && u32(framed, at - 6) == 3);
    REQUIRE(longestClaimed >= longest);
    // The header the renderer takes the picture's size from, when it has one.
    const QSize box = WmfFrame::BoundingBox(framed);
    REQUIRE(placeable || box.isEmpty());
    if (!box.isEmpty())
        REQUIRE(WmfFrame::UnitsPerInch(framed) > 0);
}

} // namespace WmfFrameCheck
