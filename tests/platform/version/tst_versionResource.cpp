// SPDX-License-Identifier: GPL-3.0-or-later
// The version resource: its block layout, the ELF section that carries it,
// and the Windows version functions that read it back from a file.

#include "ElfImageWriter.h"
#include "ElfSection.h"
#include "VersionBlock.h"
#include "VersionBlockBuilder.h"
#include "VersionInfo.h"

#include <QTemporaryDir>
#include <QtTest>

#include <random>

namespace {

std::vector<std::uint8_t> danishResource(std::u16string company = u"Fletchwise")
{
    VersionResourceContent content;
    content.fileVersion = {3, 2, 0, 1};
    content.language = 0x0406;
    content.codePage = 0x04E4;
    content.strings = {{u"CompanyName", company}, {u"FileVersion", u"3.2.0.1"}};
    return VersionBlockBuilder::build(content);
}

QByteArray programImage(const std::vector<std::uint8_t> &resource)
{
    ElfImageWriter writer;
    writer.sections = {{".text", {0x90, 0xC3}}, {VersionInfo::SectionName, resource}};
    const std::vector<std::uint8_t> image = writer.write();
    return QByteArray(reinterpret_cast<const char *>(image.data()), qsizetype(image.size()));
}

std::u16string_view utf16(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size())};
}

// The zero-terminated 8-bit text VerQueryValueA hands out, or "-" when it finds nothing.
QByteArray query(std::vector<std::uint8_t> &data, const QString &path, std::uint32_t *length = nullptr)
{
    void *value = nullptr;
    std::uint32_t size = 0;
    const bool found = VerQueryValueA(data.data(), path, &value, &size);
    if (length)
        *length = size;
    return found ? QByteArray(static_cast<const char *>(value)) : QByteArray("-");
}

} // namespace

class tst_versionResource : public QObject
{
    Q_OBJECT
private slots:
    void blockPaths_data();
    void blockPaths();
    void damagedBlocksStayInside();
    void elfSections_data();
    void elfSections();
    void damagedElfFilesStayInside();
    void fileFunctions_data();
    void fileFunctions();
    void textsComeAsWindows1252();
};

void tst_versionResource::blockPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("value"); // "-": not found
    QTest::newRow("doubled separators") << "\\\\StringFileInfo\\\\040604E4\\\\FileVersion" << QByteArray("3.2.0.1");
    QTest::newRow("single separators") << "\\StringFileInfo\\040604E4\\CompanyName" << QByteArray("Fletchwise");
    QTest::newRow("keys ignore case") << "stringfileinfo\\040604e4\\FILEVERSION\\\\" << QByteArray("3.2.0.1");
    QTest::newRow("other translation") << "\\StringFileInfo\\040904B0\\FileVersion" << QByteArray("-");
    QTest::newRow("a key's beginning") << "\\StringFileInfo\\040604E4\\FileVers" << QByteArray("-");
    QTest::newRow("below a text") << "\\StringFileInfo\\040604E4\\FileVersion\\x" << QByteArray("-");
    QTest::newRow("translation") << "\\\\VarFileInfo\\\\Translation" << QByteArray("\x06\x04\xE4\x04");
    QTest::newRow("root: fixed file information") << "\\" << QByteArray("\xBD\x04\xEF\xFE");
}

void tst_versionResource::blockPaths()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, value);
    std::vector<std::uint8_t> data = VersionInfo::dataOf(danishResource());
    std::uint32_t length = 0;
    const QByteArray found = query(data, path, &length);
    QCOMPARE(found.left(value.size()), value);
    const auto block = VersionBlock::find(danishResource(), utf16(path));
    QCOMPARE(block.has_value(), value != "-");
    if (block && !block->text) // raw values: the translation and the 52-byte fixed information
        QCOMPARE(length, path.size() == 1 ? 52u : 4u);
}

void tst_versionResource::damagedBlocksStayInside()
{
    const std::vector<std::uint8_t> whole = danishResource();
    const std::u16string_view paths[] = {u"\\VarFileInfo\\Translation", u"\\StringFileInfo\\040604E4\\FileVersion"};
    for (std::size_t length = 0; length < whole.size(); ++length)
        QVERIFY(!VersionBlock::find(std::span(whole.data(), length), paths[1])); // the root no longer fits
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> block = whole;
        for (int changes = 1 + int(random() % 4); changes > 0; --changes)
            block[random() % block.size()] = std::uint8_t(random());
        for (std::u16string_view path : paths) {
            const auto value = VersionBlock::find(block, path);
            QVERIFY(!value || (value->offset <= block.size() && value->size <= block.size() - value->offset));
        }
    }
}

void tst_versionResource::elfSections_data()
{
    QTest::addColumn<bool>("is64");
    QTest::addColumn<bool>("bigEndian");
    QTest::addColumn<bool>("extended");
    QTest::newRow("64-bit little-endian") << true << false << false;
    QTest::newRow("64-bit big-endian") << true << true << false;
    QTest::newRow("32-bit little-endian") << false << false << false;
    QTest::newRow("32-bit big-endian") << false << true << false;
    QTest::newRow("count kept in section zero") << true << false << true;
}

void tst_versionResource::elfSections()
{
    QFETCH(bool, is64);
    QFETCH(bool, bigEndian);
    QFETCH(bool, extended);
    ElfImageWriter writer;
    writer.is64 = is64;
    writer.bigEndian = bigEndian;
    writer.extendedNumbering = extended;
    writer.sections = {{".text", {0x90}}, {".versioninfo.old", {9}}, {".versioninfo", {1, 2, 3, 4, 5}},
                       {".bss", {}, 8}};
    const std::vector<std::uint8_t> image = writer.write();
    QCOMPARE(ElfSection::read(image, ".versioninfo", 100), (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    QCOMPARE(ElfSection::read(image, ".text", 100), (std::vector<std::uint8_t>{0x90}));
    QVERIFY(!ElfSection::read(image, ".versioninfo", 4)); // longer than allowed
    QVERIFY(!ElfSection::read(image, ".versio", 100));
    QVERIFY(!ElfSection::read(image, ".bss", 100)); // no contents in the file
    QVERIFY(!ElfSection::read(image, ".missing", 100));
}

void tst_versionResource::damagedElfFilesStayInside()
{
    ElfImageWriter writer;
    writer.sections = {{".text", {0x90, 0xC3}}, {VersionInfo::SectionName, danishResource()}};
    const std::vector<std::uint8_t> whole = writer.write();
    for (std::size_t length = 0; length < whole.size(); ++length)
        QVERIFY(!VersionInfo::resourceOfImage(std::span(whole.data(), length)));
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> image = whole;
        // Mostly the header and the section table, where the offsets and sizes are.
        const std::size_t from = (round % 2) ? writer.tableOffset : 0;
        const std::size_t span = (round % 2) ? image.size() - from : 64;
        for (int changes = 1 + int(random() % 3); changes > 0; --changes)
            image[from + random() % span] = std::uint8_t(random());
        const auto resource = VersionInfo::resourceOfImage(image);
        if (!resource)
            continue;
        std::vector<std::uint8_t> data = VersionInfo::dataOf(*resource);
        void *value = nullptr;
        std::uint32_t length = 0;
        if (VerQueryValueA(data.data(), QStringLiteral("\\StringFileInfo\\040604E4\\FileVersion"), &value, &length)) {
            const auto *at = static_cast<std::uint8_t *>(value);
            QVERIFY(at >= data.data() && at + length <= data.data() + data.size());
        }
    }
}

void tst_versionResource::fileFunctions_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("hasVersion");
    std::vector<std::uint8_t> padded = danishResource();
    padded.insert(padded.end(), {0, 0, 0});
    std::vector<std::uint8_t> rootTooLong = danishResource();
    rootTooLong[1] += 1;
    QTest::newRow("program with resource") << programImage(danishResource()) << true;
    QTest::newRow("section padded after it") << programImage(padded) << true;
    QTest::newRow("root longer than its section") << programImage(rootTooLong) << false;
    QTest::newRow("empty section") << programImage({}) << false;
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("text file") << QByteArray("FileVersion=3.2.0.1\n") << false;
}

void tst_versionResource::fileFunctions()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, hasVersion);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("program")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    file.close();
    std::uint32_t handle = 99;
    const std::uint32_t size = GetFileVersionInfoSizeA(file.fileName(), &handle);
    QCOMPARE(handle, 0u);
    QCOMPARE(size != 0, hasVersion);
    if (!hasVersion)
        return;
    std::vector<std::uint8_t> data(size - 1, 0xAA);
    QVERIFY(!GetFileVersionInfoA(file.fileName(), 0, size - 1, data.data())); // too small: cleared
    QCOMPARE(query(data, QStringLiteral("\\VarFileInfo\\Translation")), QByteArray("-"));
    data.assign(size, 0xAA);
    QVERIFY(GetFileVersionInfoA(file.fileName(), 0, size, data.data()));
    std::uint32_t length = 0;
    QCOMPARE(query(data, QStringLiteral("\\\\StringFileInfo\\\\040604E4\\\\FileVersion"), &length), "3.2.0.1");
    QCOMPARE(length, 8u); // the characters with the terminating zero
}

void tst_versionResource::textsComeAsWindows1252()
{
    std::vector<std::uint8_t> data = VersionInfo::dataOf(danishResource(u"Bueskytte \u00C6r\u00F8 \u20AC \u2713"));
    const QString company = QStringLiteral("\\StringFileInfo\\040604E4\\CompanyName");
    void *first = nullptr;
    std::uint32_t length = 0;
    QVERIFY(VerQueryValueA(data.data(), company, &first, &length));
    // Each text keeps its own copy: asking for another leaves the first intact.
    QCOMPARE(query(data, QStringLiteral("\\StringFileInfo\\040604E4\\FileVersion")), "3.2.0.1");
    QCOMPARE(QByteArray(static_cast<const char *>(first)), QByteArray("Bueskytte \xC6r\xF8 \x80 ?"));
    QCOMPARE(length, 18u);
}

QTEST_GUILESS_MAIN(tst_versionResource)
#include "tst_versionResource.moc"
