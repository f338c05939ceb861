// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Finds a named section in an ELF file (32 or 64 bits, either byte order) by
// walking its section table. Every offset and size in the file is checked
// against the file's length before it is used, so a damaged file only ever
// gives "no such section".
class ElfSection
{
public:
    // Copies `size` bytes from `offset` of the file into `into`; false when
    // the file cannot give them.
    using ReadAt = std::function<bool(std::uint64_t offset, std::span<std::uint8_t> into)>;

    // The contents of the section called `name`, read through `readAt` from a
    // file of `fileSize` bytes; nothing when there is no such section with
    // contents, when it is longer than `maxSize`, or when the file is no ELF
    // file or is damaged.
    static std::optional<std::vector<std::uint8_t>> read(std::uint64_t fileSize, const ReadAt &readAt,
                                                         std::string_view name, std::size_t maxSize);

    // The same over a whole file image in memory.
    static std::optional<std::vector<std::uint8_t>> read(std::span<const std::uint8_t> image,
                                                         std::string_view name, std::size_t maxSize);
};
