// Writes the binary seeds of the fuzz targets into a corpus folder:
//   vantix_fuzzseeds <fuzz/corpus>
// Each seed is a small, well-made input of the kind the target reads, led by
// the byte that picks the target's reading of it. The text seeds are kept by
// hand beside these.

#include "ElfImageWriter.h"
#include "VersionBlockBuilder.h"
#include "VersionInfo.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

using Bytes = std::vector<std::uint8_t>;

QDir corpus;

bool save(const QString &target, const QString &name, char lead, const QByteArray &bytes)
{
    if (!corpus.mkpath(target))
        return false;
    QFile file(corpus.filePath(target + QLatin1Char('/') + name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(QByteArray(1, lead) + bytes) == bytes.size() + 1;
}

QByteArray bytesOf(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

Bytes resource(std::uint16_t language, std::uint16_t codePage, std::u16string company)
{
    VersionResourceContent content;
    content.fileVersion = {3, 2, 0, 1};
    content.productVersion = {3, 2, 0, 1};
    content.language = language;
    content.codePage = codePage;
    content.strings = {{u"CompanyName", company}, {u"FileVersion", u"3.2.0.1"}, {u"ProductName", u"Vantix"}};
    return VersionBlockBuilder::build(content);
}

Bytes program(const Bytes &versionSection, bool is64, bool bigEndian, bool extended)
{
    ElfImageWriter writer;
    writer.is64 = is64;
    writer.bigEndian = bigEndian;
    writer.extendedNumbering = extended;
    writer.sections = {{".text", {0x90, 0xC3}}};
    if (!versionSection.empty())
        writer.sections.push_back({VersionInfo::SectionName, versionSection});
    return writer.write();
}

// The version target reads a program file (lead 0), a version block (lead
// 1), or a version block that it puts into a program file of the shape
// lead / 3 gives (lead 2, 5, 8, ...: bit 0 64 bits, bit 1 big-endian, bit 2
// extended numbering).
bool versionSeeds()
{
    const Bytes danish = resource(0x0406, 0x04E4, u"Fletchwise");
    const Bytes english = resource(0x0409, 0x04B0, u"Bueskytte \u00C6r\u00F8 \u20AC");
    const QString t = QStringLiteral("version");
    return save(t, QStringLiteral("program-64-little"), 0, bytesOf(program(danish, true, false, false)))
           && save(t, QStringLiteral("program-32-big"), 0, bytesOf(program(danish, false, true, false)))
           && save(t, QStringLiteral("program-extended-numbering"), 0, bytesOf(program(english, true, false, true)))
           && save(t, QStringLiteral("program-without-version"), 0, bytesOf(program({}, true, false, false)))
           && save(t, QStringLiteral("block-danish"), 1, bytesOf(danish))
           && save(t, QStringLiteral("block-english"), 1, bytesOf(english))
           && save(t, QStringLiteral("carried-32-little"), 2, bytesOf(danish))
           && save(t, QStringLiteral("carried-64-big"), 2 + 3 * 3, bytesOf(danish))
           && save(t, QStringLiteral("carried-32-extended"), 2 + 3 * 4, bytesOf(english));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantix_fuzzseeds <corpus folder>\n");
        return 2;
    }
    corpus = QDir(QString::fromLocal8Bit(argv[1]));
    if (!versionSeeds()) {
        std::fprintf(stderr, "could not write the seeds into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
