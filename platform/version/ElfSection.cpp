// SPDX-License-Identifier: GPL-3.0-or-later
#include "ElfSection.h"

#include <algorithm>
#include <cstring>

namespace {

// Neither the section table nor the name table of a real program comes near
// this; a file that claims more is treated as damaged rather than read.
constexpr std::uint64_t maxTableBytes = 16u << 20;

constexpr std::uint32_t sectionWithoutContents = 8; // SHT_NOBITS
constexpr std::uint16_t indexInSectionZero = 0xFFFF; // SHN_XINDEX

// Reads the numbers of the file in the byte order its header declares.
struct Fields
{
    bool is64 = false;
    bool bigEndian = false;

    std::uint64_t get(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width) const
    {
        if (at > bytes.size() || bytes.size() - at < width)
            return 0;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t index = bigEndian ? at + i : at + width - 1 - i;
            value = (value << 8) | bytes[index];
        }
        return value;
    }
    // A field that is 4 bytes wide in a 32-bit file and 8 in a 64-bit one.
    std::uint64_t word(std::span<const std::uint8_t> bytes, std::size_t at32, std::size_t at64) const
    {
        return is64 ? get(bytes, at64, 8) : get(bytes, at32, 4);
    }
};

struct SectionHeader
{
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
};

SectionHeader headerAt(const Fields &f, std::span<const std::uint8_t> table, std::size_t at)
{
    const std::span<const std::uint8_t> entry = table.subspan(at);
    SectionHeader header;
    header.name = std::uint32_t(f.get(entry, 0, 4));
    header.type = std::uint32_t(f.get(entry, 4, 4));
    header.offset = f.word(entry, 16, 24);
    header.size = f.word(entry, 20, 32);
    header.link = std::uint32_t(f.is64 ? f.get(entry, 40, 4) : f.get(entry, 24, 4));
    return header;
}

class Reader
{
public:
    Reader(std::uint64_t fileSize, const ElfSection::ReadAt &readAt) : fileSize(fileSize), readAt(readAt) {}

    std::optional<std::vector<std::uint8_t>> bytes(std::uint64_t offset, std::uint64_t size) const
    {
        if (offset > fileSize || size > fileSize - offset)
            return std::nullopt;
        std::vector<std::uint8_t> out(static_cast<std::size_t>(size));
        if (size > 0 && !readAt(offset, out))
            return std::nullopt;
        return out;
    }

    std::optional<std::vector<std::uint8_t>> contents(const SectionHeader &header, std::uint64_t limit) const
    {
        if (header.type == sectionWithoutContents || header.size > limit)
            return std::nullopt;
        return bytes(header.offset, header.size);
    }

private:
    std::uint64_t fileSize;
    const ElfSection::ReadAt &readAt;
};

bool nameIs(std::span<const std::uint8_t> names, std::uint32_t at, std::string_view wanted)
{
    if (at >= names.size() || names.size() - at <= wanted.size())
        return false; // the name and its terminator must both fit
    return std::memcmp(names.data() + at, wanted.data(), wanted.size()) == 0
           && names[at + wanted.size()] == 0;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ElfSection::read(std::uint64_t fileSize, const ReadAt &readAt,
                                                          std::string_view name, std::size_t maxSize)
{
    const Reader reader(fileSize, readAt);
    const auto ident = reader.bytes(0, 64);
    const auto shortIdent = ident ? ident : reader.bytes(0, 52);
    if (!shortIdent)
        return std::nullopt;
    const std::span<const std::uint8_t> head(*shortIdent);
    if (head[0] != 0x7F || head[1] != 'E' || head[2] != 'L' || head[3] != 'F')
        return std::nullopt;
    Fields f;
    if ((head[4] != 1 && head[4] != 2) || (head[5] != 1 && head[5] != 2))
        return std::nullopt;
    f.is64 = head[4] == 2;
    f.bigEndian = head[5] == 2;
    if (f.is64 && head.size() < 64)
        return std::nullopt;

    const std::uint64_t tableOffset = f.word(head, 0x20, 0x28);
    const std::size_t entrySize = f.get(head, f.is64 ? 0x3A : 0x2E, 2);
    std::uint64_t count = f.get(head, f.is64 ? 0x3C : 0x30, 2);
    std::uint32_t namesIndex = std::uint32_t(f.get(head, f.is64 ? 0x3E : 0x32, 2));
    if (tableOffset == 0 || entrySize < (f.is64 ? 64u : 40u))
        return std::nullopt;

    // Files with very many sections keep the real count and name-table
    // index in the first section header.
    const auto first = reader.bytes(tableOffset, entrySize);
    if (!first)
        return std::nullopt;
    const SectionHeader zero = headerAt(f, *first, 0);
    if (count == 0)
        count = zero.size;
    if (namesIndex == indexInSectionZero)
        namesIndex = zero.link;
    if (count == 0 || namesIndex >= count || count > maxTableBytes / entrySize)
        return std::nullopt;

    const auto table = reader.bytes(tableOffset, count * entrySize);
    if (!table)
        return std::nullopt;
    const auto names = reader.contents(headerAt(f, *table, namesIndex * entrySize), maxTableBytes);
    if (!names)
        return std::nullopt;
    for (std::uint64_t i = 0; i < count; ++i) {
        const SectionHeader header = headerAt(f, *table, std::size_t(i * entrySize));
        if (nameIs(*names, header.name, name))
            return reader.contents(header, maxSize);
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ElfSection::read(std::span<const std::uint8_t> image,
                                                          std::string_view name, std::size_t maxSize)
{
    const ReadAt readAt = [image](std::uint64_t offset, std::span<std::uint8_t> into) {
        if (offset > image.size() || into.size() > image.size() - offset)
            return false;
        std::copy_n(image.begin() + std::ptrdiff_t(offset), into.size(), into.begin());
        return true;
    };
    return read(image.size(), readAt, name, maxSize);
}
