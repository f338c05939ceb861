// SPDX-License-Identifier: GPL-3.0-or-later
// The language-file reader: how sections, keys and values are read.

#include "Cp1252.h"
#include "IniProfile.h"

#include <QStringEncoder>
#include <QTest>

namespace {

// The text as a file saved as "Unicode", byte-order mark first.
QByteArray utf16(const QString &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder(text);
}

} // namespace

class tst_iniProfile : public QObject
{
    Q_OBJECT
private slots:
    void values_data();
    void values();
    void cutsLongValues_data();
    void cutsLongValues();
    void windows1252_data();
    void windows1252();
    void encodeRoundTrip();
    void badContentNeverBreaks_data();
    void badContentNeverBreaks();
};

void tst_iniProfile::values_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QString dflt = QStringLiteral("<default>");
    QTest::newRow("plain") << QByteArray("[Main Window]\nAboutButton=Info\n") << "Main Window" << "AboutButton" << "Info";
    QTest::newRow("section case") << QByteArray("[main WINDOW]\nAboutButton=Info\n") << "Main Window" << "AboutButton" << "Info";
    QTest::newRow("key case") << QByteArray("[Main Window]\naboutbutton=Info\n") << "Main Window" << "AboutButton" << "Info";
    QTest::newRow("other section") << QByteArray("[Setup Window]\nAboutButton=Info\n") << "Main Window" << "AboutButton" << dflt;
    QTest::newRow("no section") << QByteArray("AboutButton=Info\n") << "Main Window" << "AboutButton" << dflt;
    QTest::newRow("missing key") << QByteArray("[Main Window]\nExitButton=Ud\n") << "Main Window" << "AboutButton" << dflt;
    QTest::newRow("empty value") << QByteArray("[Main Window]\nAboutButton=\n") << "Main Window" << "AboutButton" << "";
    QTest::newRow("blanks trimmed") << QByteArray("  [ Main Window ]  \n  AboutButton  =   Om os  \n") << "Main Window" << "AboutButton" << "Om os";
    QTest::newRow("first equals") << QByteArray("[Main Window]\nAboutButton=a=b\n") << "Main Window" << "AboutButton" << "a=b";
    QTest::newRow("double quotes") << QByteArray("[Main Window]\nAboutButton=\" Om \"\n") << "Main Window" << "AboutButton" << " Om ";
    QTest::newRow("single quotes") << QByteArray("[Main Window]\nAboutButton='Om'\n") << "Main Window" << "AboutButton" << "Om";
    QTest::newRow("one pair only") << QByteArray("[Main Window]\nAboutButton=\"\"Om\"\"\n") << "Main Window" << "AboutButton" << "\"Om\"";
    QTest::newRow("mixed quotes kept") << QByteArray("[Main Window]\nAboutButton=\"Om'\n") << "Main Window" << "AboutButton" << "\"Om'";
    QTest::newRow("lone quote kept") << QByteArray("[Main Window]\nAboutButton=\"\n") << "Main Window" << "AboutButton" << "\"";
    QTest::newRow("crlf lines") << QByteArray("[Main Window]\r\nAboutButton=Om\r\nExitButton=Ud\r\n") << "Main Window" << "ExitButton" << "Ud";
    QTest::newRow("first key wins") << QByteArray("[Main Window]\nAboutButton=A\nAboutButton=B\n") << "Main Window" << "AboutButton" << "A";
    QTest::newRow("section again: only the first is looked in") << QByteArray("[Main Window]\n[Judge]\nJudgeDisplay=D\n[main window]\nAboutButton=B\n") << "Main Window" << "AboutButton" << dflt;
    QTest::newRow("section again: first section's keys") << QByteArray("[Judge]\nJudgeDisplay=D\n[Main Window]\n[Judge]\nJudgeDisplay=E\n") << "Judge" << "JudgeDisplay" << "D";
    QTest::newRow("cr-only lines") << QByteArray("[Main Window]\rAboutButton=Om\rExitButton=Ud") << "Main Window" << "AboutButton" << "Om";
    QTest::newRow("mixed line ends") << QByteArray("[Main Window]\r\nExitButton=Ud\rAboutButton=Om\n") << "Main Window" << "ExitButton" << "Ud";
    QTest::newRow("ctrl-z trimmed") << QByteArray("[Judge]\nJudgeDisplay=\x1A T.K \x1A\x1A\n") << "Judge" << "JudgeDisplay" << "T.K";
    QTest::newRow("ctrl-z before quotes") << QByteArray("[Judge]\nJudgeDisplay=\x1A\" T \"\x1A\n") << "Judge" << "JudgeDisplay" << " T ";
    QTest::newRow("ctrl-z inside kept") << QByteArray("[Judge]\nJudgeDisplay=T\x1AK\n") << "Judge" << "JudgeDisplay" << "T\x1AK";
    QTest::newRow("utf-16 le") << utf16("[Judge]\r\nJudgeDisplay=Rød ✓\r\n", QStringConverter::Utf16LE) << "Judge" << "JudgeDisplay" << QString::fromUtf8("Rød ✓");
    QTest::newRow("utf-16 be") << utf16("[Judge]\nJudgeDisplay=Rød\n", QStringConverter::Utf16BE) << "Judge" << "JudgeDisplay" << QString::fromUtf8("Rød");
    QTest::newRow("utf-16 nul ends the value") << utf16(QStringLiteral("[Judge]\nJudgeDisplay=ab") + QChar(0) + "cd", QStringConverter::Utf16LE) << "Judge" << "JudgeDisplay" << "ab";
    QTest::newRow("utf-16 without mark is not read") << utf16("[Judge]\nJudgeDisplay=R\n", QStringConverter::Utf16LE).sliced(2) << "Judge" << "JudgeDisplay" << dflt;
    QTest::newRow("no final newline") << QByteArray("[Judge]\nJudgeDisplay=D") << "Judge" << "JudgeDisplay" << "D";
    QTest::newRow("line without equals") << QByteArray("[Judge]\nJudgeDisplay\nJudgeDisplay=D\n") << "Judge" << "JudgeDisplay" << "D";
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF[Judge]\nJudgeDisplay=R\xC3\xB8" "d\n") << "Judge" << "JudgeDisplay" << QString::fromUtf8("Rød");
    QTest::newRow("nul ends the line") << QByteArray("[Judge]\nJudgeDisplay=ab\0cd\n", 27) << "Judge" << "JudgeDisplay" << "ab";
}

void tst_iniProfile::values()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    IniProfile profile;
    profile.parse(content);
    QCOMPARE(profile.value(section, key, QStringLiteral("<default>")), expected);
}

void tst_iniProfile::cutsLongValues_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("length");
    QTest::addColumn<QChar>("first");
    QTest::newRow("2047 kept") << QByteArray(2047, 'a') << 2047 << QChar('a');
    QTest::newRow("2048 cut") << QByteArray(2048, 'a') << 2047 << QChar('a');
    QTest::newRow("megabyte line cut") << QByteArray(1000000, 'b') << 2047 << QChar('b');
    QTest::newRow("quoted then cut") << ("\"" + QByteArray(3000, 'c') + "\"") << 2047 << QChar('c');
}

void tst_iniProfile::cutsLongValues()
{
    QFETCH(QByteArray, value);
    QFETCH(int, length);
    QFETCH(QChar, first);
    IniProfile profile;
    profile.parse("[Judge]\nJudgeDisplay=" + value + "\n[Main Window]\nAboutButton=Om\n");
    const QString read = profile.value(QStringLiteral("Judge"), QStringLiteral("JudgeDisplay"), {});
    QCOMPARE(read.size(), length);
    QCOMPARE(read.front(), first);
    QCOMPARE(read.back(), first);
    QCOMPARE(profile.value(QStringLiteral("Main Window"), QStringLiteral("AboutButton"), {}), QStringLiteral("Om"));
}

void tst_iniProfile::windows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("danish letters") << QByteArray("\xE6\xF8\xE5\xC6\xD8\xC5") << QString::fromUtf8("æøåÆØÅ");
    QTest::newRow("euro") << QByteArray("\x80") << QString::fromUtf8("€");
    QTest::newRow("quotes and dash") << QByteArray("\x93x\x94\x96") << QString::fromUtf8("“x”–");
    QTest::newRow("trade mark, oe, Y diaeresis") << QByteArray("\x99\x9C\x9F") << QString::fromUtf8("™œŸ");
    QTest::newRow("unassigned bytes") << QByteArray("\x81\x8D\x8F\x90\x9D") << QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D);
    QTest::newRow("ascii") << QByteArray("Start") << QStringLiteral("Start");
}

void tst_iniProfile::windows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Cp1252::decode(bytes), text);
    IniProfile profile;
    profile.parse("[Judge]\nJudgeDisplay=" + bytes + "\n");
    QCOMPARE(profile.value(QStringLiteral("Judge"), QStringLiteral("JudgeDisplay"), {}), text);
}

void tst_iniProfile::encodeRoundTrip()
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    QCOMPARE(Cp1252::encode(Cp1252::decode(all)), all);
    QCOMPARE(Cp1252::encode(QString::fromUtf8("€ ✓")), QByteArray("\x80 ?"));
}

void tst_iniProfile::badContentNeverBreaks_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray garbage;
    quint32 seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.append(static_cast<char>(seed >> 24));
    }
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("only brackets") << QByteArray("[[[[]]]]\n[\n]\n=\n==\n");
    QTest::newRow("unclosed section") << QByteArray("[Judge\nJudgeDisplay=X\n");
    QTest::newRow("nul bytes") << QByteArray(5000, '\0');
    QTest::newRow("one huge line") << QByteArray(3 * 1024 * 1024, 'x');
}

void tst_iniProfile::badContentNeverBreaks()
{
    QFETCH(QByteArray, content);
    IniProfile profile;
    profile.parse(content);
    const QString value = profile.value(QStringLiteral("Main Window"), QStringLiteral("AboutButton"),
                                        QStringLiteral("About"));
    QVERIFY(value.size() <= IniProfile::MaxValueLength);
    QVERIFY(profile.value(QStringLiteral("Judge"), QStringLiteral("JudgeDisplay"), QStringLiteral("J")).size()
            <= IniProfile::MaxValueLength);
}

QTEST_GUILESS_MAIN(tst_iniProfile)
#include "tst_iniProfile.moc"
