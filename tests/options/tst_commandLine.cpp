// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: every option is optional, and what is not understood is
// named and ignored.

#include "CommandLine.h"

#include <QTest>

class tst_commandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void tournamentFile_data();
    void tournamentFile();
};

void tst_commandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("audience");
    QTest::addColumn<bool>("serve");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("problems");
    QTest::newRow("none") << QStringList() << QString() << false << 8080 << 0;
    QTest::newRow("audience by name") << QStringList{"--audience=HDMI-1"} << "HDMI-1" << false << 8080 << 0;
    QTest::newRow("audience without screen") << QStringList{"--audience="} << QString() << false << 8080 << 1;
    QTest::newRow("serve") << QStringList{"--serve"} << QString() << true << 8080 << 0;
    QTest::newRow("serve on a port") << QStringList{"--serve=9000"} << QString() << true << 9000 << 0;
    QTest::newRow("port zero") << QStringList{"--serve=0"} << QString() << false << 8080 << 1;
    QTest::newRow("port too large") << QStringList{"--serve=65536"} << QString() << false << 8080 << 1;
    QTest::newRow("port not a number") << QStringList{"--serve=80a"} << QString() << false << 8080 << 1;
    QTest::newRow("unknown and known") << QStringList{"--fast", "--serve", "file.txt"} << QString() << true << 8080
                                       << 2;
}

void tst_commandLine::parse()
{
    QFETCH(QStringList, arguments);
    const CommandLine line = CommandLine::Parse(arguments);
    QTEST(line.audienceScreen, "audience");
    QTEST(line.serve, "serve");
    QTEST(int(line.port), "port");
    QTEST(int(line.problems.size()), "problems");
    for (const QString &problem : line.problems)
        QVERIFY(arguments.contains(problem.section(QLatin1Char(':'), 0, 0)));
}

void tst_commandLine::tournamentFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("problems");
    QTest::newRow("as an option") << QStringList{"--tournament=club.vantix"} << "club.vantix" << 0;
    QTest::newRow("option, then the file") << QStringList{"--tournament", "club"} << "club" << 0;
    QTest::newRow("double-clicked") << QStringList{"/home/club/Club 720.VANTIX"} << "/home/club/Club 720.VANTIX" << 0;
    QTest::newRow("beside other options") << QStringList{"--serve", "a.vantix", "--audience=2"} << "a.vantix" << 0;
    QTest::newRow("the file missing") << QStringList{"--serve", "--tournament"} << QString() << 1;
    QTest::newRow("empty") << QStringList{"--tournament="} << QString() << 1;
    QTest::newRow("two files") << QStringList{"a.vantix", "--tournament=b.vantix"} << "a.vantix" << 1;
    QTest::newRow("not a tournament file") << QStringList{"notes.txt"} << QString() << 1;
}

void tst_commandLine::tournamentFile()
{
    QFETCH(QStringList, arguments);
    const CommandLine line = CommandLine::Parse(arguments);
    QTEST(line.tournamentFile, "file");
    QTEST(int(line.problems.size()), "problems");
}

QTEST_APPLESS_MAIN(tst_commandLine)
#include "tst_commandLine.moc"
