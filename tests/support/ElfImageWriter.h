// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

// Writes small ELF file images with chosen sections, for tests that read
// section tables: 32 or 64 bits, either byte order, and the extended
// numbering that very large files use.
class ElfImageWriter
{
public:
    struct Section
    {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::uint32_t type = 1; // contents in the file; 8 would be none
    };

    bool is64 = true;
    bool bigEndian = false;
    bool extendedNumbering = false;
    std::vector<Section> sections;

    // Where write() put the section table, for tests that damage it.
    std::size_t tableOffset = 0;
    std::size_t entrySize = 0;

    std::vector<std::uint8_t> write()
    {
        std::vector<std::uint8_t> image(is64 ? 64 : 52, 0);
        std::vector<std::uint8_t> names(1, 0);
        struct Placed { std::uint32_t name, type; std::uint64_t offset, size; };
        std::vector<Placed> placed{{0, 0, 0, 0}};
        for (const Section &section : sections) {
            align(image, 4);
            placed.push_back({addName(names, section.name), section.type, image.size(), section.bytes.size()});
            image.insert(image.end(), section.bytes.begin(), section.bytes.end());
        }
        const std::uint32_t namesName = addName(names, ".shstrtab");
        placed.push_back({namesName, 3, image.size(), names.size()});
        image.insert(image.end(), names.begin(), names.end());
        align(image, 8);

        tableOffset = image.size();
        entrySize = is64 ? 64 : 40;
        const std::uint64_t count = placed.size();
        const std::uint64_t namesIndex = count - 1;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            std::vector<std::uint8_t> entry(entrySize, 0);
            Placed p = placed[i];
            std::uint32_t link = 0;
            if (i == 0 && extendedNumbering) {
                p.size = count;
                link = std::uint32_t(namesIndex);
            }
            put(entry, 0, 4, p.name);
            put(entry, 4, 4, p.type);
            put(entry, is64 ? 24 : 16, is64 ? 8 : 4, p.offset);
            put(entry, is64 ? 32 : 20, is64 ? 8 : 4, p.size);
            put(entry, is64 ? 40 : 24, 4, link);
            image.insert(image.end(), entry.begin(), entry.end());
        }
        writeHeader(image, extendedNumbering ? 0 : count, extendedNumbering ? 0xFFFF : namesIndex);
        return image;
    }

    void put(std::vector<std::uint8_t> &bytes, std::size_t at, std::size_t width, std::uint64_t value) const
    {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t index = bigEndian ? at + width - 1 - i : at + i;
            bytes[index] = std::uint8_t(value >> (8 * i));
        }
    }

private:
    static void align(std::vector<std::uint8_t> &bytes, std::size_t to)
    {
        while (bytes.size() % to != 0)
            bytes.push_back(0);
    }

    static std::uint32_t addName(std::vector<std::uint8_t> &names, const std::string &name)
    {
        const std::uint32_t at = std::uint32_t(names.size());
        names.insert(names.end(), name.begin(), name.end());
        names.push_back(0);
        return at;
    }

    void writeHeader(std::vector<std::uint8_t> &image, std::uint64_t count, std::uint64_t namesIndex) const
    {
        const std::uint8_t ident[] = {0x7F, 'E', 'L', 'F', std::uint8_t(is64 ? 2 : 1),
                                      std::uint8_t(bigEndian ? 2 : 1), 1};
        std::copy(std::begin(ident), std::end(ident), image.begin());
        put(image, 16, 2, 2);  // an executable
        put(image, 18, 2, 62); // for x86-64
        put(image, 20, 4, 1);
        put(image, is64 ? 0x28 : 0x20, is64 ? 8 : 4, tableOffset);
        put(image, is64 ? 0x34 : 0x28, 2, is64 ? 64 : 52);
        put(image, is64 ? 0x3A : 0x2E, 2, entrySize);
        put(image, is64 ? 0x3C : 0x30, 2, count);
        put(image, is64 ? 0x3E : 0x32, 2, namesIndex);
    }
};
