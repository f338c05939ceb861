// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up check of the horn files: one information box per missing file,
// in a fixed order, and where the files are looked for and later played from.

#include "HornSignal.h"
#include "LocalFileSystem.h"
#include "QtSoundPlayer.h"
#include "TTimer.h"
#include "TestPlatform.h"
#include "Unit1.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString One = QStringLiteral("1dyt.wav");
const QString Two = QStringLiteral("2dyt.wav");
const QString Three = QStringLiteral("3dyt.wav");

QString missingText(const QString &name)
{
    return QStringLiteral("Kunne ikke finde:  ") + name + QLatin1Char('\r')
           + QStringLiteral("Applikationen kører videre men uden denne lyd");
}

// The real file system, with the program's folder put where the test wants it.
class ProgramIn : public LocalFileSystem
{
public:
    explicit ProgramIn(const QString &folder) : folder(folder) {}
    QString ProgramFolder() override { return folder; }

private:
    QString folder;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_soundFileCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void oneBoxPerMissingFile_data();
    void oneBoxPerMissingFile();
    void missingFilesAreReportedOnlyAtStartUp();
    void invalidSoundPassesTheCheck();
    void startedFromAnotherWorkingFolder_data();
    void startedFromAnotherWorkingFolder();

private:
    QString home;
};

void tst_soundFileCheck::initTestCase()
{
    // No sound output here: what counts is what was looked for and read.
    qputenv("PULSE_SERVER", "unix:/nonexistent/vantix-no-sound");
    home = QDir::currentPath();
}

void tst_soundFileCheck::init()
{
    QDir::setCurrent(home);
}

void tst_soundFileCheck::oneBoxPerMissingFile_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("none missing") << QStringList{One, Two, Three} << QStringList{};
    QTest::newRow("1dyt missing") << QStringList{Two, Three} << QStringList{missingText(One)};
    QTest::newRow("2dyt missing") << QStringList{One, Three} << QStringList{missingText(Two)};
    QTest::newRow("3dyt missing") << QStringList{One, Two} << QStringList{missingText(Three)};
    QTest::newRow("two missing") << QStringList{Two} << QStringList{missingText(One), missingText(Three)};
    QTest::newRow("all missing") << QStringList{}
                                 << QStringList{missingText(One), missingText(Two), missingText(Three)};
}

void tst_soundFileCheck::oneBoxPerMissingFile()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, boxes);

    TestPlatform platform;
    platform.fileSystem.files.clear();
    for (const QString &name : present)
        platform.fileSystem.files.insert(platform.fileSystem.folder + name);
    TForm1 form;
    QCOMPARE(platform.messageBoxes.texts(), boxes);
    for (const FakeMessageBoxes::Shown &box : platform.messageBoxes.shown)
        QCOMPARE(box.kind, MessageKind::Information);
}

void tst_soundFileCheck::missingFilesAreReportedOnlyAtStartUp()
{
    QTemporaryDir program;
    const QString folder = program.path() + QLatin1Char('/');
    TestPlatform platform;
    ProgramIn fileSystem(folder);
    ScopedSeam<IFileSystem> fileSystemSeam(&fileSystem);
    QtSoundPlayer player(folder);
    ScopedSeam<ISoundPlayer> playerSeam(&player);
    TForm1 form;
    QCOMPARE(platform.messageBoxes.shown.size(), 3);

    // A whole end runs as usual; its signals are silent and tell nothing more.
    form.StartKnap->click();
    int ticks = 0;
    while (form.Timer1->Enabled() && ticks < 1000) {
        form.Timer1Timer();
        ++ticks;
    }
    QCOMPARE(ticks, 280);
    QCOMPARE(platform.messageBoxes.shown.size(), 3);
    QVERIFY(player.soundingName().isEmpty());
    QCOMPARE(form.StartKnap->text(), QStringLiteral("Start"));
}

void tst_soundFileCheck::invalidSoundPassesTheCheck()
{
    QTemporaryDir program;
    QVERIFY(writeFile(program.filePath(One), HornSignal(1).toWav()));
    QVERIFY(writeFile(program.filePath(Two), "not a sound at all"));
    QVERIFY(writeFile(program.filePath(Three), QByteArray()));
    const QString folder = program.path() + QLatin1Char('/');

    TestPlatform platform;
    ProgramIn fileSystem(folder);
    ScopedSeam<IFileSystem> fileSystemSeam(&fileSystem);
    QtSoundPlayer player(folder);
    ScopedSeam<ISoundPlayer> playerSeam(&player);
    TForm1 form;
    QVERIFY(!player.hasOutput());
    // Only existence is checked at start-up...
    QVERIFY(platform.messageBoxes.shown.isEmpty());
    // ...and the unplayable ones are left silent when their signal is due.
    QVERIFY(player.isLoaded(One));
    QVERIFY(!player.isLoaded(Two));
    QVERIFY(!player.isLoaded(Three));
    form.StartKnap->click();
    QVERIFY(player.soundingName().isEmpty());
    QVERIFY(platform.messageBoxes.shown.isEmpty());
}

void tst_soundFileCheck::startedFromAnotherWorkingFolder_data()
{
    QTest::addColumn<bool>("inProgramFolder");
    QTest::addColumn<bool>("inWorkingFolder");
    QTest::addColumn<int>("boxes");

    QTest::newRow("beside the program only") << true << false << 0;
    QTest::newRow("in the working folder only") << false << true << 3;
    QTest::newRow("in both") << true << true << 0;
}

void tst_soundFileCheck::startedFromAnotherWorkingFolder()
{
    QFETCH(bool, inProgramFolder);
    QFETCH(bool, inWorkingFolder);
    QFETCH(int, boxes);

    QTemporaryDir program;
    QTemporaryDir working;
    for (const QString &name : QtSoundPlayer::hornNames()) {
        if (inProgramFolder)
            QVERIFY(writeFile(program.filePath(name), HornSignal(1).toWav()));
        // What lies in the working folder is never what the program plays.
        if (inWorkingFolder)
            QVERIFY(writeFile(working.filePath(name), inProgramFolder ? QByteArray("stale") : HornSignal(1).toWav()));
    }
    QVERIFY(QDir::setCurrent(working.path()));

    // Wired as the program's entry wires it: the player reads from the
    // folder that the file system names as the program's.
    TestPlatform platform;
    ProgramIn fileSystem(program.path() + QLatin1Char('/'));
    ScopedSeam<IFileSystem> fileSystemSeam(&fileSystem);
    QtSoundPlayer player(fileSystem.ProgramFolder());
    ScopedSeam<ISoundPlayer> playerSeam(&player);
    TForm1 form;

    QCOMPARE(platform.messageBoxes.shown.size(), boxes);
    // A signal is ready exactly when the check found its file.
    for (const QString &name : QtSoundPlayer::hornNames())
        QCOMPARE(player.isLoaded(name), boxes == 0);
}

QTEST_MAIN(tst_soundFileCheck)
#include "tst_soundFileCheck.moc"
