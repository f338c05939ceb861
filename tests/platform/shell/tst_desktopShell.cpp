// SPDX-License-Identifier: GPL-3.0-or-later
// The real shell: which address the desktop is asked to open for a target.
// The desktop's handlers for web and mail addresses are replaced by a
// recorder, so nothing is started.

#include "DesktopShell.h"

#include <QDesktopServices>
#include <QtTest>

class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class tst_desktopShell : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { recorder.opened.clear(); }
    void opensTargets_data();
    void opensTargets();
    void refusesWithoutOpening_data();
    void refusesWithoutOpening();

private:
    UrlRecorder recorder;
};

void tst_desktopShell::initTestCase()
{
    for (const char *scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &recorder, "open");
}

void tst_desktopShell::cleanupTestCase()
{
    for (const char *scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void tst_desktopShell::opensTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("url");
    QTest::newRow("bare host name") << "www.fletchwise.example" << "http://www.fletchwise.example";
    QTest::newRow("host name with a path") << "www.fletchwise.example/vantix" << "http://www.fletchwise.example/vantix";
    QTest::newRow("web address with scheme") << "https://www.fletchwise.example/a?b=c" << "https://www.fletchwise.example/a?b=c";
    QTest::newRow("new mail") << "mailto:info@fletchwise.example" << "mailto:info@fletchwise.example";
    QTest::newRow("new mail, spaces around") << "  mailto:info@fletchwise.example " << "mailto:info@fletchwise.example";
    QTest::newRow("new mail, all-digit address") << "mailto:12345" << "mailto:12345";
}

void tst_desktopShell::opensTargets()
{
    QFETCH(QString, target);
    QFETCH(QString, url);
    DesktopShell shell;
    QVERIFY(shell.ShellExecute(nullptr, QStringLiteral("open"), target, SW_SHOW));
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl(url)});
}

void tst_desktopShell::refusesWithoutOpening_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("target");
    QTest::newRow("empty target") << "open" << "";
    QTest::newRow("blank target") << "open" << "   ";
    QTest::newRow("other operation") << "print" << "www.fletchwise.example";
}

void tst_desktopShell::refusesWithoutOpening()
{
    QFETCH(QString, operation);
    QFETCH(QString, target);
    DesktopShell shell;
    QVERIFY(!shell.ShellExecute(nullptr, operation, target, SW_SHOWNORMAL));
    QVERIFY(recorder.opened.isEmpty());
}

QTEST_MAIN(tst_desktopShell)
#include "tst_desktopShell.moc"
