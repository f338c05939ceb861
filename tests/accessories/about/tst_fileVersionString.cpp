// SPDX-License-Identifier: GPL-3.0-or-later
// The version text of a program file, read from its version resource: from
// the built program, from files the test makes, and from damaged ones.

#include "ElfImageWriter.h"
#include "Unit3.h"
#include "VersionBlockBuilder.h"
#include "VersionInfo.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>


namespace {

std::vector<std::uint8_t> resourceFor(std::uint16_t language, std::uint16_t codePage, std::u16string version)
{
    VersionResourceContent content;
    content.language = language;
    content.codePage = codePage;
    content.strings = {{u"CompanyName", u"Fletchwise"}, {u"FileVersion", version}};
    return VersionBlockBuilder::build(content);
}

QByteArray asBytes(const std::vector<std::uint8_t> &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray programWith(const std::vector<std::uint8_t> &resource)
{
    ElfImageWriter writer;
    writer.sections = {{".text", {0x90, 0xC3}}, {VersionInfo::SectionName, resource}};
    return asBytes(writer.write());
}

// A resource whose translation entry is `entry`, with a string table that
// matches the Danish translation.
std::vector<std::uint8_t> withTranslationValue(const std::vector<std::uint8_t> &entry)
{
    using B = VersionBlockBuilder;
    const auto table = B::node(u"040604E4", true, 0, {}, {B::textNode(u"FileVersion", u"3.2.0.1")});
    const auto strings = B::node(u"StringFileInfo", true, 0, {}, {table});
    const auto var = B::node(u"Translation", false, std::uint16_t(entry.size()), entry, {});
    const auto vars = B::node(u"VarFileInfo", true, 0, {}, {var});
    return B::node(u"VS_VERSION_INFO", false, 0, {}, {strings, vars});
}

} // namespace

class tst_fileVersionString : public QObject
{
    Q_OBJECT
private slots:
    void queryPath_data();
    void queryPath();
    void builtProgram();
    void versionOfFile_data();
    void versionOfFile();
    void realToolChainFile();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir;
};

QString tst_fileVersionString::write(const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void tst_fileVersionString::queryPath_data()
{
    QTest::addColumn<quint32>("translation");
    QTest::addColumn<QString>("path");
    QTest::newRow("Danish, Windows-1252") << 0x04E40406u << "\\\\StringFileInfo\\\\040604E4\\\\FileVersion";
    QTest::newRow("code page 0x4B0") << 0x04B00409u << "\\\\StringFileInfo\\\\040904B0\\\\FileVersion";
    QTest::newRow("zeros") << 0u << "\\\\StringFileInfo\\\\00000000\\\\FileVersion";
}

void tst_fileVersionString::queryPath()
{
    QFETCH(quint32, translation);
    QFETCH(QString, path);
    QCOMPARE(FileVersionQueryPath(translation), path);
}

void tst_fileVersionString::builtProgram()
{
    QCOMPARE(GetFileVersionString(QStringLiteral(VANTIX_PROGRAM_FILE)), QStringLiteral("3.2.0.1"));
}

void tst_fileVersionString::versionOfFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("version");
    QTest::newRow("Danish resource") << programWith(resourceFor(0x0406, 0x04E4, u"3.2.0.1")) << "3.2.0.1";
    QTest::newRow("code page 0x4B0") << programWith(resourceFor(0x0409, 0x04B0, u"4.0.12.7")) << "4.0.12.7";
    QTest::newRow("non-ASCII text") << programWith(resourceFor(0x0406, 0x04E4, u"3.2 \u00E6\u00F8\u00E5")) << QString::fromUtf8("3.2 æøå");
    QTest::newRow("translation without table") << programWith(withTranslationValue({0x09, 0x04, 0xB0, 0x04})) << "";
    QTest::newRow("translation cut short") << programWith(withTranslationValue({0x06, 0x04})) << "";
    QTest::newRow("no translation") << programWith(VersionBlockBuilder::node(u"VS_VERSION_INFO", false, 0, {}, {})) << "";
    QTest::newRow("no resource") << asBytes(ElfImageWriter{}.write()) << "";
    QTest::newRow("not a program") << QByteArray("3.2.0.1") << "";
}

void tst_fileVersionString::versionOfFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, version);
    const QString path = write(QStringLiteral("program"), contents);
    QVERIFY(!path.isEmpty());
    QCOMPARE(GetFileVersionString(path), version);
    QCOMPARE(GetFileVersionString(dir.filePath(QStringLiteral("missing"))), QString());
}

// objcopy gives a copy of this very test program a resource, so the reader
// meets a section table as the real tool chain lays it out.
void tst_fileVersionString::realToolChainFile()
{
    QCOMPARE(GetFileVersionString(QCoreApplication::applicationFilePath()), QString());
    const QString blob = write(QStringLiteral("resource.bin"), asBytes(resourceFor(0x0409, 0x04B0, u"9.8.7.6")));
    const QString copy = dir.filePath(QStringLiteral("with-resource"));
    QProcess objcopy;
    objcopy.start(QStringLiteral("objcopy"), {QStringLiteral("--add-section"),
                                              QStringLiteral(".versioninfo=") + blob,
                                              QCoreApplication::applicationFilePath(), copy});
    QVERIFY(objcopy.waitForFinished(60000));
    QCOMPARE(objcopy.exitCode(), 0);
    QCOMPARE(GetFileVersionString(copy), QStringLiteral("9.8.7.6"));
}

QTEST_GUILESS_MAIN(tst_fileVersionString)
#include "tst_fileVersionString.moc"
