// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Where a value lies inside a version block, in bytes from the block's start.
struct VersionValue
{
    std::size_t offset = 0;
    std::size_t size = 0;
    bool text = false; // 16-bit characters; otherwise raw bytes
};

// Reads a version block in the Windows layout: nested nodes of
//   length, value length, type, zero-terminated 16-bit key, value, children,
// each part on a four-byte boundary from the block's start. Every read is
// checked against the block, so damaged or hostile bytes only ever give
// "not found".
class VersionBlock
{
public:
    // Finds the value at a path of keys separated by backslashes. Empty parts
    // between separators are skipped, so "\\A\\\\B" is "\A\B"; a path with no
    // parts names the root's own value. Keys match regardless of ASCII case.
    static std::optional<VersionValue> find(std::span<const std::uint8_t> block,
                                            std::u16string_view path);

    // The length the block's root node claims for itself; 0 when the block is
    // too short to hold a node header or the root cannot be read.
    static std::size_t rootLength(std::span<const std::uint8_t> block);

    static std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at);
    static std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at);
};
