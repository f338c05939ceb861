// SPDX-License-Identifier: GPL-3.0-or-later
#include "VersionInfo.h"

#include "Cp1252.h"
#include "ElfSection.h"
#include "VersionBlock.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace {

// A version resource measures its length in 16 bits.
constexpr std::size_t maxResourceSize = 0xFFFF;

// The part of a section that the resource's root claims; nothing when the
// root is unreadable.
std::optional<std::vector<std::uint8_t>> rootOf(std::optional<std::vector<std::uint8_t>> section)
{
    if (!section)
        return std::nullopt;
    const std::size_t length = VersionBlock::rootLength(*section);
    if (length == 0)
        return std::nullopt;
    section->resize(length);
    return section;
}

// The text value at `value` as zero-terminated Windows-1252 bytes.
QByteArray eightBitText(std::span<const std::uint8_t> block, const VersionValue &value)
{
    QString text;
    for (std::size_t at = value.offset; at + 2 <= value.offset + value.size; at += 2) {
        const char16_t unit = VersionBlock::readU16(block, at);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return Cp1252::encode(text);
}

} // namespace

namespace VersionInfo {

std::optional<std::vector<std::uint8_t>> resourceOfImage(std::span<const std::uint8_t> image)
{
    return rootOf(ElfSection::read(image, SectionName, maxResourceSize + 3));
}

std::optional<std::vector<std::uint8_t>> resourceOfFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const ElfSection::ReadAt readAt = [&file](std::uint64_t offset, std::span<std::uint8_t> into) {
        if (!file.seek(qint64(offset)))
            return false;
        const qint64 wanted = qint64(into.size());
        return file.read(reinterpret_cast<char *>(into.data()), wanted) == wanted;
    };
    // A section may carry up to three bytes of padding after the resource.
    return rootOf(ElfSection::read(std::uint64_t(file.size()), readAt, SectionName, maxResourceSize + 3));
}

std::vector<std::uint8_t> dataOf(std::span<const std::uint8_t> resource)
{
    std::vector<std::uint8_t> data(resource.begin(), resource.end());
    data.resize(2 * resource.size(), 0);
    return data;
}

} // namespace VersionInfo

std::uint32_t GetFileVersionInfoSizeA(const QString &fileName, std::uint32_t *handle)
{
    if (handle)
        *handle = 0;
    const auto resource = VersionInfo::resourceOfFile(fileName);
    return resource ? std::uint32_t(VersionInfo::dataOf(*resource).size()) : 0;
}

bool GetFileVersionInfoA(const QString &fileName, std::uint32_t, std::uint32_t size, void *data)
{
    if (!data)
        return false;
    auto *out = static_cast<std::uint8_t *>(data);
    std::fill_n(out, size, 0);
    const auto resource = VersionInfo::resourceOfFile(fileName);
    if (!resource)
        return false;
    const std::vector<std::uint8_t> filled = VersionInfo::dataOf(*resource);
    // The file may have changed since its size was asked; cleared data
    // answers every query with "not found".
    if (filled.size() > size)
        return false;
    std::copy(filled.begin(), filled.end(), out);
    return true;
}

bool VerQueryValueA(void *block, const QString &subBlock, void **buffer, std::uint32_t *length)
{
    if (buffer)
        *buffer = nullptr;
    if (length)
        *length = 0;
    if (!block || !buffer || !length)
        return false;
    auto *bytes = static_cast<std::uint8_t *>(block);
    // The root's length bounds the resource; GetFileVersionInfoA made the
    // data twice that long.
    const std::size_t rootLength = VersionBlock::readU16({bytes, 2}, 0);
    const std::span<const std::uint8_t> resource(bytes, rootLength);
    const std::optional<VersionValue> value =
        VersionBlock::find(resource, std::u16string_view(reinterpret_cast<const char16_t *>(subBlock.utf16()),
                                                         std::size_t(subBlock.size())));
    if (!value)
        return false;
    if (!value->text) {
        *buffer = bytes + value->offset;
        *length = std::uint32_t(value->size);
        return true;
    }
    // Each text gets its own place in the room after the resource: half its
    // offset, as its 8-bit copy is at most half as long as the original.
    const QByteArray text = eightBitText(resource, *value);
    std::uint8_t *copy = bytes + rootLength + value->offset / 2;
    std::memcpy(copy, text.constData(), std::size_t(text.size()));
    copy[text.size()] = 0;
    *buffer = copy;
    *length = std::uint32_t(text.size() + 1);
    return true;
}
