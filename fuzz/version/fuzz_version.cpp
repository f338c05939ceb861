// SPDX-License-Identifier: GPL-3.0-or-later
// The version resource: any bytes as a program file, as a version block, and
// as a version block carried in a well-made program file on disk.
// Must hold: the section reader asks only for bytes inside the file and hands
// back a piece of it; every value the block reader finds lies inside the
// block; VerQueryValueA answers exactly when the block reader finds, and its
// pointer and length stay inside the data, with texts zero-terminated at the
// length it reports; the about box's version, read from the file, is the
// FileVersion text of the block.

#include "FuzzRequire.h"
#include "Cp1252.h"
#include "ElfImageWriter.h"
#include "ElfSection.h"
#include "Unit3.h"
#include "VersionBlock.h"
#include "VersionInfo.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The same paths in the two spellings the program uses, a few with case
// and separators changed, and some that name nothing.
const QStringList queryPaths = {
    QString(),
    QStringLiteral("\\"),
    QStringLiteral("\\VarFileInfo\\Translation"),
    QStringLiteral("\\\\VarFileInfo\\\\Translation"),
    QStringLiteral("\\StringFileInfo\\040604E4\\FileVersion"),
    QStringLiteral("\\\\stringfileinfo\\\\040604e4\\\\FILEVERSION"),
    QStringLiteral("\\StringFileInfo\\040904B0\\ProductName"),
    QStringLiteral("\\StringFileInfo\\040604E4"),
    QStringLiteral("\\StringFileInfo\\\\\\040604E4\\CompanyName\\"),
    QStringLiteral("\\NoSuchBlock\\FileVersion"),
};

std::u16string_view utf16(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size())};
}

// A text value as the 8-bit text VerQueryValueA should hand out: the 16-bit
// characters up to the first zero, in Windows-1252.
QByteArray expectedText(std::span<const std::uint8_t> block, const VersionValue &value)
{
    QString text;
    for (std::size_t at = value.offset; at + 1 < value.offset + value.size; at += 2) {
        const char16_t unit = char16_t(block[at] | (block[at + 1] << 8));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return Cp1252::encode(text);
}

std::optional<VersionValue> findInside(std::span<const std::uint8_t> block, const QString &path)
{
    const std::optional<VersionValue> value = VersionBlock::find(block, utf16(path));
    if (value)
        REQUIRE(value->offset <= block.size() && value->size <= block.size() - value->offset);
    return value;
}

void checkQuery(Bytes &data, std::span<const std::uint8_t> resource, const QString &path)
{
    const std::optional<VersionValue> value = findInside(resource, path);
    void *pointer = reinterpret_cast<void *>(1);
    std::uint32_t length = 1;
    const bool found = VerQueryValueA(data.data(), path, &pointer, &length);
    REQUIRE(found == value.has_value());
    if (!found) {
        REQUIRE(pointer == nullptr && length == 0);
        return;
    }
    const auto *at = static_cast<const std::uint8_t *>(pointer);
    REQUIRE(at >= data.data() && at <= data.data() + data.size());
    REQUIRE(length <= std::size_t(data.data() + data.size() - at));
    if (!value->text) {
        REQUIRE(at == data.data() + value->offset && length == value->size);
        return;
    }
    const QByteArray text = expectedText(resource, *value);
    REQUIRE(length == std::uint32_t(text.size()) + 1);
    REQUIRE(std::memcmp(at, text.constData(), length) == 0); // the zero included
}

// What GetFileVersionInfoA hands out for a block: the part its root claims,
// then room for the 8-bit texts.
void checkBlock(std::span<const std::uint8_t> block)
{
    for (const QString &path : queryPaths)
        findInside(block, path);
    const std::size_t rootLength = VersionBlock::rootLength(block);
    REQUIRE(rootLength <= block.size());
    if (rootLength == 0)
        return;
    const std::span<const std::uint8_t> resource = block.first(rootLength);
    Bytes data = VersionInfo::dataOf(resource);
    REQUIRE(data.size() == 2 * rootLength);
    for (const QString &path : queryPaths)
        checkQuery(data, resource, path);
}

// The FileVersion text the about box must show for a resource: the text of
// the first translation's string table, or nothing. A translation or a
// version stored as text where numbers belong, or the other way round, has
// no one right answer; it only must not break the reading.
std::optional<QString> expectedVersion(std::span<const std::uint8_t> resource)
{
    const auto translation = VersionBlock::find(resource, u"\\VarFileInfo\\Translation");
    if (!translation || (!translation->text && translation->size < 4))
        return QString();
    if (translation->text)
        return std::nullopt;
    const std::uint32_t entry = VersionBlock::readU32(resource, translation->offset);
    const auto version = VersionBlock::find(resource, utf16(FileVersionQueryPath(entry)));
    if (!version)
        return QString();
    if (!version->text)
        return std::nullopt;
    return Cp1252::decode(expectedText(resource, *version));
}

// Section reads of an image, each checked to lie inside the file; the
// section handed back must be the bytes of the last read.
void checkSectionReader(std::span<const std::uint8_t> image)
{
    std::uint64_t lastOffset = 0;
    std::size_t lastSize = 0;
    const ElfSection::ReadAt readAt = [&](std::uint64_t offset, std::span<std::uint8_t> into) {
        REQUIRE(offset <= image.size() && into.size() <= image.size() - offset);
        std::memcpy(into.data(), image.data() + offset, into.size());
        lastOffset = offset;
        lastSize = into.size();
        return true;
    };
    const std::size_t limit = 0xFFFF + 3;
    const auto section = ElfSection::read(image.size(), readAt, VersionInfo::SectionName, limit);
    if (!section || section->empty())
        return;
    REQUIRE(section->size() <= limit && section->size() == lastSize);
    REQUIRE(std::memcmp(section->data(), image.data() + lastOffset, lastSize) == 0);
}

QTemporaryDir *folder = nullptr;

QString writeProgramFile(std::span<const std::uint8_t> image)
{
    const QString path = folder->filePath(QStringLiteral("program"));
    QFile file(path);
    REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char *>(image.data()), qint64(image.size()));
    return path;
}

void checkImage(std::span<const std::uint8_t> image)
{
    checkSectionReader(image);
    const auto resource = VersionInfo::resourceOfImage(image);
    if (resource) {
        REQUIRE(VersionBlock::rootLength(*resource) == resource->size());
        checkBlock(*resource);
    }
    const QString version = GetFileVersionString(writeProgramFile(image));
    const std::optional<QString> expected = resource ? expectedVersion(*resource) : QString();
    REQUIRE(!expected || version == *expected);
}

// A block placed in a well-made program file, so that every input reaches
// the block reader through the file functions.
Bytes imageCarrying(std::span<const std::uint8_t> block, std::uint8_t shape)
{
    ElfImageWriter writer;
    writer.is64 = (shape & 1) != 0;
    writer.bigEndian = (shape & 2) != 0;
    writer.extendedNumbering = (shape & 4) != 0;
    writer.sections = {{".text", {0x90, 0xC3}}, {VersionInfo::SectionName, Bytes(block.begin(), block.end())}};
    return writer.write();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Removed with everything in it when the run ends.
    static QTemporaryDir scratch;
    folder = &scratch;
    return folder->isValid() ? 0 : 1;
}

// The first byte picks what the rest is: a program file, a version block, or
// a version block inside a program file of the shape its higher bits give.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        checkImage(rest);
        break;
    case 1:
        checkBlock(rest);
        break;
    default:
        checkBlock(rest);
        checkImage(imageCarrying(rest, std::uint8_t(data[0] / 3)));
        break;
    }
    return 0;
}
