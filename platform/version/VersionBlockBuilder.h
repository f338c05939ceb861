// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

// What goes into a program file's version resource.
struct VersionResourceContent
{
    std::array<std::uint16_t, 4> fileVersion{};
    std::array<std::uint16_t, 4> productVersion{};
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    // Name and text of each string of the one string table, in order.
    std::vector<std::pair<std::u16string, std::u16string>> strings;
};

// Writes version blocks in the Windows layout that VersionBlock reads: the
// root "VS_VERSION_INFO" with the fixed file information, a string table
// named after the translation, and the translation itself.
class VersionBlockBuilder
{
public:
    static std::vector<std::uint8_t> build(const VersionResourceContent &content);

    // One node: header, key, value and children, each part on a four-byte
    // boundary. valueLength is what the header claims: 16-bit characters for
    // a text node, bytes otherwise.
    static std::vector<std::uint8_t> node(std::u16string_view key, bool text,
                                          std::uint16_t valueLength,
                                          std::span<const std::uint8_t> value,
                                          const std::vector<std::vector<std::uint8_t>> &children);

    static std::vector<std::uint8_t> textNode(std::u16string_view key, std::u16string_view text);
    // The four bytes of a translation entry: language, then code page.
    static std::vector<std::uint8_t> translation(std::uint16_t language, std::uint16_t codePage);
    // The 52 bytes of the fixed file information for these versions.
    static std::vector<std::uint8_t> fixedFileInfo(const std::array<std::uint16_t, 4> &fileVersion,
                                                   const std::array<std::uint16_t, 4> &productVersion);
    // "0406" + "04E4": the name of the string table for a translation.
    static std::u16string tableName(std::uint16_t language, std::uint16_t codePage);
};
