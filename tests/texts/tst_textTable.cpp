// SPDX-License-Identifier: GPL-3.0-or-later
// The text table: where its 32 texts come from.

#include "Cp1252.h"
#include "TestPlatform.h"
#include "uVantixStrings.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace uVantixStrings;

class tst_textTable : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void tableShape();
    void noFileGivesBuiltinTexts();
    void emptyFileGivesEnglishDefaults();
    void fileOverrides_data();
    void fileOverrides();
    void unreadableFileGivesDefaults_data();
    void unreadableFileGivesDefaults();
    void fileSystemDecides_data();
    void fileSystemDecides();
    void programFolderNotWorkingFolder();
    void exampleLanguageFileIsComplete();
    void shippedLanguageFiles_data();
    void shippedLanguageFiles();

private:
    void writeLanguageFile(const QByteArray &content);
    QTemporaryDir dir;
    QString folder;
};

void tst_textTable::init()
{
    QVERIFY(dir.isValid());
    folder = dir.path() + QLatin1Char('/');
    QFile::remove(folder + QLatin1String(LanguageFileName));
    QDir(folder).rmdir(QLatin1String(LanguageFileName));
    ClearTexts();
}

void tst_textTable::writeLanguageFile(const QByteArray &content)
{
    QFile file(folder + QLatin1String(LanguageFileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void tst_textTable::tableShape()
{
    QCOMPARE(int(Entries().size()), EntryCount);
    QSet<QString> keys;
    for (const TextEntry &entry : Entries()) {
        keys.insert(QLatin1String(entry.key));
        QVERIFY(entry.value->isEmpty());
    }
    QCOMPARE(keys.size(), EntryCount);
    QCOMPARE(QLatin1String(Entries().front().key), QLatin1String("StartButtonStart"));
    QCOMPARE(QLatin1String(Entries().back().key), QLatin1String("ChoosePicture"));
}

void tst_textTable::noFileGivesBuiltinTexts()
{
    LoadTextsFrom(folder);
    for (const TextEntry &entry : Entries())
        QCOMPARE(*entry.value, entry.builtinText);
    QCOMPARE(AboutButton, QStringLiteral("Om"));
    QCOMPARE(JudgeDisplay, QStringLiteral("T.K"));
    QCOMPARE(NoSoundFile, QStringLiteral("Kunne ikke finde: "));
    QCOMPARE(RedWaitingTime, QString::fromUtf8("Rød ventetid:"));
    QCOMPARE(Text(QStringLiteral("ExitButton")), QStringLiteral("Afslut"));
}

void tst_textTable::emptyFileGivesEnglishDefaults()
{
    writeLanguageFile({});
    LoadTextsFrom(folder);
    for (const TextEntry &entry : Entries())
        QCOMPARE(*entry.value, entry.defaultText);
    QCOMPARE(AboutButton, QStringLiteral("About"));
    QCOMPARE(JudgeDisplay, QStringLiteral("J"));
    QCOMPARE(NoSoundFile, QStringLiteral("Could not find:"));
    QCOMPARE(Max, QStringLiteral("(Max 240)"));
}

void tst_textTable::fileOverrides_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("only AboutButton") << QByteArray("[Main Window]\nAboutButton=Info\n") << "AboutButton" << "Info";
    QTest::newRow("others stay English") << QByteArray("[Main Window]\nAboutButton=Info\n") << "StartButtonChangeWave" << "Change wave";
    QTest::newRow("wrong section") << QByteArray("[Setup Window]\nAboutButton=Info\n") << "AboutButton" << "About";
    QTest::newRow("other case") << QByteArray("[JUDGE]\njudgedisplay=D\n") << "JudgeDisplay" << "D";
    QTest::newRow("empty value") << QByteArray("[Main Window]\nAboutButton=\n") << "AboutButton" << "";
    QTest::newRow("quoted blank") << QByteArray("[Error Messages]\nNoSoundFile=\"Missing: \"\n") << "NoSoundFile" << "Missing: ";
    QTest::newRow("Adds is the label") << QByteArray("[Setup Window]\nAdds=Sponsors:\n") << "Adds" << "Sponsors:";
    QTest::newRow("AddsButton untouched by Adds") << QByteArray("[Setup Window]\nAdds=Sponsors:\n") << "AddsButton" << "Adds";
    QTest::newRow("windows-1252 letters") << QByteArray("[Setup Window]\nRedWaitingTime=R\xF8" "d \x80\n") << "RedWaitingTime" << QString::fromUtf8("Rød €");
    QTest::newRow("cut at 2047") << ("[Judge]\nJudgeDisplay=" + QByteArray(5000, 'J') + "\n") << "JudgeDisplay" << QString(2047, QLatin1Char('J'));
}

void tst_textTable::fileOverrides()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeLanguageFile(content);
    LoadTextsFrom(folder);
    QCOMPARE(Text(key), expected);
}

void tst_textTable::unreadableFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray garbage(300000, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((static_cast<qint64>(i) * 7919) % 251);
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("no sections") << QByteArray("AboutButton=Info\nExitButton=Ud\n");
    QTest::newRow("huge, keys past the read limit") << (QByteArray(2 * 1024 * 1024, '#') + "\n[Main Window]\nAboutButton=Info\n");
}

void tst_textTable::unreadableFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    writeLanguageFile(content);
    LoadTextsFrom(folder);
    QCOMPARE(AboutButton, QStringLiteral("About"));
    for (const TextEntry &entry : Entries())
        QVERIFY(entry.value->size() <= 2047);
}

// Whether there is a language file is the file system's answer; a folder of
// that name is none.
void tst_textTable::fileSystemDecides_data()
{
    QTest::addColumn<bool>("folderOnDisk");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("about");
    QTest::newRow("a folder of that name") << true << false << "Om";
    QTest::newRow("listed, nothing on disk") << false << true << "About";
}

void tst_textTable::fileSystemDecides()
{
    QFETCH(bool, folderOnDisk);
    QFETCH(bool, listed);
    QFETCH(QString, about);
    if (folderOnDisk)
        QVERIFY(QDir(folder).mkdir(QLatin1String(LanguageFileName)));
    TestPlatform platform;
    platform.fileSystem.folder = folder;
    if (listed)
        platform.fileSystem.files.insert(folder + QLatin1String(LanguageFileName));
    LoadTexts();
    QCOMPARE(AboutButton, about);
    LoadTextsFrom(folder); // the real disk has no language file here either
    QCOMPARE(AboutButton, QStringLiteral("Om"));
}

void tst_textTable::programFolderNotWorkingFolder()
{
    // A language file in the working folder is not the program's.
    QTemporaryDir working;
    QFile stray(working.path() + QLatin1String("/vantix.lng"));
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.write("[Main Window]\nAboutButton=Stray\n");
    stray.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(working.path());

    TestPlatform platform;
    platform.fileSystem.folder = folder;
    LoadTexts();
    QDir::setCurrent(before);
    QCOMPARE(AboutButton, QStringLiteral("Om"));

    writeLanguageFile("[Main Window]\nAboutButton=Program\n");
    platform.fileSystem.files.insert(folder + QLatin1String(LanguageFileName));
    LoadTexts();
    QCOMPARE(AboutButton, QStringLiteral("Program"));
}

void tst_textTable::exampleLanguageFileIsComplete()
{
    // The English example that ships with the program sets every key.
    QFile example(QStringLiteral(VANTIX_EXAMPLE_LANGUAGE_FILE));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray content = example.readAll();
    writeLanguageFile(content);
    LoadTextsFrom(folder);
    for (const TextEntry &entry : Entries()) {
        QVERIFY2(content.contains(QByteArray("\n") + entry.key + "="), entry.key);
        QCOMPARE(*entry.value, entry.defaultText);
    }
}

void tst_textTable::shippedLanguageFiles_data()
{
    QTest::addColumn<QString>("path");
    for (const QString &language : QStringLiteral(VANTIX_LANGUAGES).split(QLatin1Char(',')))
        QTest::newRow(qPrintable(language)) << QStringLiteral(VANTIX_LANGUAGE_FOLDER "/%1/vantix.lng").arg(language);
}

// Every language file that ships sets each key of both tables in its section
// and nothing else, in Windows-1252 with CR LF line ends.
void tst_textTable::shippedLanguageFiles()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString content = Cp1252::decode(file.readAll());
    QSet<QString> expected;
    for (const auto &entries : {Entries(), OptionEntries()}) {
        for (const TextEntry &entry : entries)
            expected.insert(QLatin1String(entry.section) + QLatin1Char('/') + QLatin1String(entry.key));
    }
    QSet<QString> found;
    QString section;
    const QStringList lines = content.split(QStringLiteral("\r\n"));
    QVERIFY(lines.last().isEmpty());
    for (const QString &line : lines) {
        for (QChar c : line)
            QVERIFY2(c.isPrint(), qPrintable(line));
        if (line.startsWith(QLatin1Char('[')))
            section = line.sliced(1).chopped(1);
        else if (!line.isEmpty() && !line.startsWith(QLatin1Char(';'))) {
            found.insert(section + QLatin1Char('/') + line.section(QLatin1Char('='), 0, 0));
            QVERIFY2(!line.section(QLatin1Char('='), 1).isEmpty(), qPrintable(line));
        }
    }
    QCOMPARE(found, expected);
}

QTEST_GUILESS_MAIN(tst_textTable)
#include "tst_textTable.moc"
