// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: every option is optional; a value follows its option
// after '=' or as the next argument; Qt's own options pass; a wrong option
// ends the program with 2 and the usage; --help and --version need no display.

#include "CommandLine.h"

#include <QProcess>
#include <QTest>

class tst_commandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void program_data();
    void program();
};

void tst_commandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("audience");
    QTest::addColumn<bool>("serve");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("tournament");
    // -1: the program runs; otherwise it ends with this code, and a wrong
    // line's message names `named`.
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("named");
    const QString none;
    QTest::newRow("none") << QStringList() << none << false << 8080 << none << -1 << none;
    QTest::newRow("audience by name") << QStringList{"--audience=HDMI-1"} << "HDMI-1" << false << 8080 << none << -1
                                      << none;
    QTest::newRow("audience=2") << QStringList{"--audience=2"} << "2" << false << 8080 << none << -1 << none;
    QTest::newRow("audience 2") << QStringList{"--audience", "2"} << "2" << false << 8080 << none << -1 << none;
    QTest::newRow("audience without screen") << QStringList{"--audience="} << none << false << 8080 << none << 2
                                             << "--audience";
    QTest::newRow("audience at the end") << QStringList{"--audience"} << none << false << 8080 << none << 2
                                         << "audience";
    QTest::newRow("serve") << QStringList{"--serve"} << none << true << 8080 << none << -1 << none;
    QTest::newRow("serve=9000") << QStringList{"--serve=9000"} << none << true << 9000 << none << -1 << none;
    QTest::newRow("serve 9000") << QStringList{"--serve", "9000"} << none << true << 9000 << none << -1 << none;
    QTest::newRow("port 9000") << QStringList{"--port", "9000"} << none << true << 9000 << none << -1 << none;
    QTest::newRow("serve, then a file") << QStringList{"--serve", "2026 open.tour"} << none << true << 8080
                                        << "2026 open.tour" << -1 << none;
    QTest::newRow("port zero") << QStringList{"--serve=0"} << none << false << 8080 << none << 2 << "'0'";
    QTest::newRow("port too large") << QStringList{"--port=65536"} << none << false << 8080 << none << 2
                                    << "65536";
    QTest::newRow("port not a number") << QStringList{"--serve=80a"} << none << false << 8080 << none << 2 << "80a";
    QTest::newRow("tournament=FILE") << QStringList{"--tournament=a.tour"} << none << false << 8080 << "a.tour" << -1
                                     << none;
    QTest::newRow("tournament FILE") << QStringList{"--tournament", "a.tour"} << none << false << 8080 << "a.tour"
                                     << -1 << none;
    QTest::newRow("FILE alone") << QStringList{"a.tour"} << none << false << 8080 << "a.tour" << -1 << none;
    QTest::newRow("FILE after --") << QStringList{"--", "--odd.tour"} << none << false << 8080 << "--odd.tour" << -1
                                   << none;
    QTest::newRow("two files") << QStringList{"--tournament=a.tour", "b.tour"} << none << false << 8080 << none << 2
                               << "b.tour";
    QTest::newRow("Qt's options pass")
        << QStringList{"-platform", "offscreen", "-style=Fusion", "-reverse", "--audience", "2", "-geometry",
                       "800x600+0+0", "a.tour"}
        << "2" << false << 8080 << "a.tour" << -1 << none;
    QTest::newRow("unknown") << QStringList{"--fast", "--serve"} << none << false << 8080 << none << 2 << "'fast'";
    QTest::newRow("unknown letter") << QStringList{"-x"} << none << false << 8080 << none << 2 << "'x'";
    QTest::newRow("value to a switch") << QStringList{"--help=all"} << none << false << 8080 << none << 2 << "help";
    QTest::newRow("help") << QStringList{"--serve", "--help"} << none << false << 8080 << none << 0 << none;
    QTest::newRow("version with a wrong option") << QStringList{"-v", "--fast"} << none << false << 8080 << none << 2 << "'fast'";
}

void tst_commandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, named);
    const CommandLine line = CommandLine::Parse(arguments);
    QCOMPARE(line.run, exitCode < 0);
    if (exitCode >= 0) {
        QCOMPARE(line.exitCode, exitCode);
        QVERIFY(line.output.contains(CommandLine::Usage()));
        QVERIFY2(line.output.contains(named), qPrintable(line.output));
        return;
    }
    QVERIFY(line.output.isEmpty());
    QTEST(line.audienceScreen, "audience");
    QTEST(line.serve, "serve");
    QTEST(int(line.port), "port");
    QTEST(line.tournamentFile, "tournament");
}

void tst_commandLine::program_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed");
    const QString usage = QStringLiteral("Usage: vantix [options] [FILE]");
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage;
    QTest::newRow("-h") << QStringList{"-h"} << 0 << usage;
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringLiteral("Vantix " VANTIX_VERSION "\n");
    QTest::newRow("-v") << QStringList{"-v"} << 0 << QStringLiteral("Vantix " VANTIX_VERSION "\n");
    QTest::newRow("wrong option") << QStringList{"--fast"} << 2 << usage;
    QTest::newRow("wrong port") << QStringList{"--serve", "65536"} << 2 << usage;
}

// The program itself, with no display of any kind: what it prints goes to
// standard output on success and to standard error on a wrong line, alone.
void tst_commandLine::program()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANTIX_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2((exitCode == 0 ? out : err).contains(printed), qPrintable(out + err));
    QVERIFY2((exitCode == 0 ? err : out).isEmpty(), qPrintable(out + err));
}

QTEST_APPLESS_MAIN(tst_commandLine)
#include "tst_commandLine.moc"
