// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time tool: writes a C++ source that places the program's version
// resource, in the Windows layout, in a section of its own of the program
// file, where the version functions find it again on disk.
//
//   vantix_versionresource <output.cpp> <version> <language> <code page> [Name=Text ...]
//
// The version has up to four dotted numbers; language and code page are hex.

#include "VersionBlockBuilder.h"
#include "VersionInfo.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

bool parseVersion(const QString &text, std::array<std::uint16_t, 4> &numbers)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.isEmpty() || parts.size() > 4)
        return false;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const uint number = parts[i].toUInt(&ok);
        if (!ok || number > 0xFFFF)
            return false;
        numbers[std::size_t(i)] = std::uint16_t(number);
    }
    return true;
}

bool parseHex16(const QString &text, std::uint16_t &number)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    number = std::uint16_t(value);
    return ok && value <= 0xFFFF;
}

std::u16string utf16(const QString &text)
{
    return std::u16string(reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size()));
}

QByteArray sourceFor(const std::vector<std::uint8_t> &resource)
{
    QByteArray source;
    source += "// Made at build time by vantix_versionresource: the program file's version resource.\n";
    source += "[[gnu::used, gnu::retain, gnu::section(\"";
    source += VersionInfo::SectionName;
    source += "\")]] alignas(4) static const unsigned char versionResource[] = {";
    for (std::size_t i = 0; i < resource.size(); ++i) {
        source += (i % 16 == 0) ? "\n    " : " ";
        source += "0x" + QByteArray::number(resource[i], 16).rightJustified(2, '0') + ',';
    }
    source += "\n};\n";
    return source;
}

int fail(const char *message)
{
    std::fprintf(stderr, "vantix_versionresource: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5)
        return fail("usage: <output.cpp> <version> <language> <code page> [Name=Text ...]");
    VersionResourceContent content;
    if (!parseVersion(QString::fromLocal8Bit(argv[2]), content.fileVersion))
        return fail("the version must be up to four dotted numbers below 65536");
    content.productVersion = content.fileVersion;
    if (!parseHex16(QString::fromLocal8Bit(argv[3]), content.language)
        || !parseHex16(QString::fromLocal8Bit(argv[4]), content.codePage))
        return fail("language and code page must be hexadecimal numbers below 10000");
    for (int i = 5; i < argc; ++i) {
        const QString pair = QString::fromUtf8(argv[i]);
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return fail("each string must be written Name=Text");
        content.strings.emplace_back(utf16(pair.left(equals)), utf16(pair.mid(equals + 1)));
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(sourceFor(VersionBlockBuilder::build(content))) < 0
        || !out.commit())
        return fail("cannot write the output file");
    return 0;
}
