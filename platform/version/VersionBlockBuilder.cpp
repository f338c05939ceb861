// SPDX-License-Identifier: GPL-3.0-or-later
#include "VersionBlockBuilder.h"

#include <limits>
#include <stdexcept>

namespace {

void putU16(std::vector<std::uint8_t> &out, std::uint16_t value)
{
    out.push_back(std::uint8_t(value & 0xFF));
    out.push_back(std::uint8_t(value >> 8));
}

void putU32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    putU16(out, std::uint16_t(value & 0xFFFF));
    putU16(out, std::uint16_t(value >> 16));
}

void padToFour(std::vector<std::uint8_t> &out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

void setU16(std::vector<std::uint8_t> &out, std::size_t at, std::uint16_t value)
{
    out[at] = std::uint8_t(value & 0xFF);
    out[at + 1] = std::uint8_t(value >> 8);
}

std::uint32_t highLow(std::uint16_t high, std::uint16_t low)
{
    return (std::uint32_t(high) << 16) | low;
}

} // namespace

std::vector<std::uint8_t> VersionBlockBuilder::node(std::u16string_view key, bool text,
                                                    std::uint16_t valueLength,
                                                    std::span<const std::uint8_t> value,
                                                    const std::vector<std::vector<std::uint8_t>> &children)
{
    std::vector<std::uint8_t> out;
    putU16(out, 0); // the length, filled in at the end
    putU16(out, valueLength);
    putU16(out, text ? 1 : 0);
    for (char16_t unit : key)
        putU16(out, unit);
    putU16(out, 0);
    padToFour(out);
    out.insert(out.end(), value.begin(), value.end());
    for (const std::vector<std::uint8_t> &child : children) {
        padToFour(out);
        out.insert(out.end(), child.begin(), child.end());
    }
    if (out.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::length_error("a version block node is longer than 65535 bytes");
    setU16(out, 0, std::uint16_t(out.size()));
    return out;
}

std::vector<std::uint8_t> VersionBlockBuilder::textNode(std::u16string_view key, std::u16string_view text)
{
    std::vector<std::uint8_t> value;
    for (char16_t unit : text)
        putU16(value, unit);
    putU16(value, 0);
    return node(key, true, std::uint16_t(text.size() + 1), value, {});
}

std::vector<std::uint8_t> VersionBlockBuilder::translation(std::uint16_t language, std::uint16_t codePage)
{
    std::vector<std::uint8_t> value;
    putU16(value, language);
    putU16(value, codePage);
    return value;
}

std::vector<std::uint8_t> VersionBlockBuilder::fixedFileInfo(const std::array<std::uint16_t, 4> &fileVersion,
                                                             const std::array<std::uint16_t, 4> &productVersion)
{
    std::vector<std::uint8_t> info;
    putU32(info, 0xFEEF04BD); // signature
    putU32(info, 0x00010000); // structure version 1.0
    putU32(info, highLow(fileVersion[0], fileVersion[1]));
    putU32(info, highLow(fileVersion[2], fileVersion[3]));
    putU32(info, highLow(productVersion[0], productVersion[1]));
    putU32(info, highLow(productVersion[2], productVersion[3]));
    putU32(info, 0x3F);       // all flags meaningful
    putU32(info, 0);          // none set: a released build
    putU32(info, 0x00040004); // made for 32-bit Windows NT
    putU32(info, 1);          // an application
    putU32(info, 0);          // no subtype
    putU32(info, 0);          // no date
    putU32(info, 0);
    return info;
}

std::u16string VersionBlockBuilder::tableName(std::uint16_t language, std::uint16_t codePage)
{
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string name;
    for (std::uint16_t number : {language, codePage})
        for (int shift = 12; shift >= 0; shift -= 4)
            name.push_back(digits[(number >> shift) & 0xF]);
    return name;
}

std::vector<std::uint8_t> VersionBlockBuilder::build(const VersionResourceContent &content)
{
    std::vector<std::vector<std::uint8_t>> strings;
    for (const auto &[name, text] : content.strings)
        strings.push_back(textNode(name, text));
    const std::vector<std::uint8_t> table =
        node(tableName(content.language, content.codePage), true, 0, {}, strings);
    const std::vector<std::uint8_t> stringFileInfo = node(u"StringFileInfo", true, 0, {}, {table});

    const std::vector<std::uint8_t> entry = translation(content.language, content.codePage);
    const std::vector<std::uint8_t> var = node(u"Translation", false, std::uint16_t(entry.size()), entry, {});
    const std::vector<std::uint8_t> varFileInfo = node(u"VarFileInfo", true, 0, {}, {var});

    const std::vector<std::uint8_t> fixed = fixedFileInfo(content.fileVersion, content.productVersion);
    return node(u"VS_VERSION_INFO", false, std::uint16_t(fixed.size()), fixed,
                {stringFileInfo, varFileInfo});
}
