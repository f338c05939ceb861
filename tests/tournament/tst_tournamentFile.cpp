// SPDX-License-Identifier: GPL-3.0-or-later
// The tournament file: saved from the windows, opened into windows made from
// nothing, refused whole when bad, and where the tournament stands put right
// by hand; seen through the windows, the published screen and the messages.

#include "AudienceScreens.h"
#include "CdAudioDevice.h"
#include "DiscImage.h"
#include "FakeAudioOutput.h"
#include "KeyControl.h"
#include "NetworkPage.h"
#include "RoundsPage.h"
#include "SetupFixture.h"
#include "TTimer.h"
#include "TournamentFile.h"
#include "TournamentPage.h"
#include "TournamentRules.h"
#include "TournamentSetup.h"
#include "Unit1.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace uVantixStrings;

namespace {

// The program's windows with the tournament file joined to them, made as
// the program's entry makes them.
struct Program
{
    // The network page has no options dialog to own it here; it goes last.
    std::unique_ptr<NetworkPage> networkPage;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
    TForm2 *dialog = new TForm2(form.get());
    TournamentRules *rules = nullptr;
    AudienceScreens *screens = nullptr;
    NetworkPage *network = nullptr;
    KeyControl *keys = nullptr;
    TournamentSetup *tournament = nullptr;

    explicit Program(const QString &folder)
    {
        form->AttachSetupDialog(dialog);
        rules = new TournamentRules(*form, *dialog);
        screens = new AudienceScreens(form->Published, form.get());
        networkPage = std::make_unique<NetworkPage>(*form, nullptr, folder);
        network = networkPage.get();
        keys = new KeyControl(form.get());
        tournament = new TournamentSetup(*form, *dialog, *rules, screens, network, keys);
    }

    TournamentSettings held() const
    {
        TournamentSettings settings;
        QString refusal;
        if (!tournament->Windows.Capture(settings, refusal))
            qWarning() << "refused:" << refusal;
        return settings;
    }
    bool open(const QString &file) { return tournament->Document.Open(file); }
};

// A hand-written file of "Section/Key=value" lines, under the head unless a
// line gives one of its own.
QByteArray handFile(const QStringList &lines)
{
    QByteArray content;
    if (!lines.join(QLatin1Char(' ')).contains(QLatin1String("Vantix Tournament/")))
        content = "[Vantix Tournament]\nVersion=1\n";
    // One heading for each section: the profile reader looks in the first
    // section of a name only.
    QStringList sections;
    for (const QString &line : lines) {
        if (!sections.contains(line.section(QLatin1Char('/'), 0, 0)))
            sections << line.section(QLatin1Char('/'), 0, 0);
    }
    for (const QString &section : sections) {
        content += '[' + section.toUtf8() + "]\n";
        for (const QString &line : lines) {
            if (line.section(QLatin1Char('/'), 0, 0) == section)
                content += line.mid(section.size() + 1).toUtf8() + '\n';
        }
    }
    return content;
}

} // namespace

class tst_tournamentFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startValuesAreTheFilesDefaults();
    void roundTrip_data();
    void roundTrip();
    void readmeExampleOpens();
    void openedWhileTheDialogShows();
    void badFile_data();
    void badFile();
    void saveRefused_data();
    void saveRefused();
    void standingByHand_data();
    void standingByHand();

private:
    QString write(const QString &name, const QByteArray &content);
    QStringList messages() const;

    std::unique_ptr<SetupFixture> fixture;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<CdAudioDevice> cd;
    std::unique_ptr<ScopedSeam<IMci>> cdSeam;
    FakeAudioOutput out;
};

void tst_tournamentFile::init()
{
    fixture = std::make_unique<SetupFixture>();
    fixture->platform.fileSystem.files.insert(fixture->platform.fileSystem.folder + QStringLiteral("5dyt.wav"));
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    // A disc in the drive, so the CD option holds when it is applied.
    cd = std::make_unique<CdAudioDevice>(DiscImage::write(dir->path(), QStringLiteral("disc"), DiscImage::threeTracks()),
                                         out.factory());
    cdSeam = std::make_unique<ScopedSeam<IMci>>(cd.get());
    // A picture beside the tournament file.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(dir->filePath(QStringLiteral("beside.bmp"))));
    fixture->platform.fileSystem.files.insert(dir->filePath(QStringLiteral("beside.bmp")));
}

void tst_tournamentFile::cleanup()
{
    cdSeam.reset();
    cd.reset();
    dir.reset();
    fixture.reset();
}

QString tst_tournamentFile::write(const QString &name, const QByteArray &content)
{
    QFile file(dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

QStringList tst_tournamentFile::messages() const
{
    QStringList texts;
    for (const auto &shown : fixture->platform.messageBoxes.shown)
        texts << shown.text;
    return texts;
}

// What the windows hold at start is what a file without keys gives.
void tst_tournamentFile::startValuesAreTheFilesDefaults()
{
    Program program(dir->path());
    QCOMPARE(TournamentFile::Write(program.held(), dir->path()), TournamentFile::Write({}, dir->path()));
    QVERIFY(program.held() == TournamentSettings());
    QCOMPARE(program.form->Timer1->Interval(), 988);
}

void tst_tournamentFile::roundTrip_data()
{
    QTest::addColumn<QStringList>("lines");
    const QStringList every = {
        u"Setup/TournamentName=  Club 720 \"outdoor\"  "_qs, u"Setup/Waves=3"_qs, u"Setup/ShootingTime=240"_qs,
        u"Setup/YellowTime=40"_qs, u"Setup/RedTime=10"_qs, u"Setup/CdPlayer=true"_qs, u"Setup/Adverts=true"_qs,
        u"Setup/Advert1=beside.bmp"_qs, u"Rounds/Round=Outdoor, 6 arrows"_qs, u"Rounds/ShowDetail=true"_qs,
        u"Rounds/RotateDetails=true"_qs, u"Rounds/ShowEndNumber=true"_qs, u"Rounds/EndNumberToArchers=true"_qs,
        u"Rounds/EmergencyStop=true"_qs, u"Rounds/TrueSeconds=true"_qs,
        u"Screens/AudienceScreen=HDMI-1"_qs, u"Network/Port=9123"_qs,
        u"Standing/Practice=true"_qs, u"Standing/End=7"_qs, u"Standing/PracticeEnd=3"_qs,
        u"Standing/FirstDetail=CD"_qs};
    for (const QString &line : every)
        QTest::newRow(qPrintable(line.section(QLatin1Char('='), 0, 0))) << QStringList{line};
    QTest::newRow("every key") << every;
    QTest::newRow("a later version, unknown keys")
        << QStringList{u"Vantix Tournament/Version=7"_qs, u"Setup/Waves=3"_qs, u"Setup/Colour=blue"_qs,
                       u"Finals/Matches=4"_qs};
}

// Opened, saved, opened again in windows made from nothing: equal.
void tst_tournamentFile::roundTrip()
{
    QFETCH(QStringList, lines);
    const QString hand = write(QStringLiteral("hand.vantix"), handFile(lines));
    const QString saved = dir->filePath(QStringLiteral("saved.vantix"));
    TournamentSettings opened;
    {
        Program first(dir->path());
        QVERIFY(first.open(hand));
        opened = first.held();
        QVERIFY2(!(opened == TournamentSettings()), "the key was not used");
        QVERIFY(first.tournament->Document.SaveAs(saved));
    }
    Program second(dir->path());
    QVERIFY(second.open(saved));
    QCOMPARE(TournamentFile::Write(second.held(), dir->path()), TournamentFile::Write(opened, dir->path()));
    QVERIFY(second.held() == opened);
    // The one thing not at hand here, said at each opening: the projector.
    const QString unplugged = TournamentPartlyUsed + QLatin1Char('\r') + TournamentUnknownScreen + u" HDMI-1"_qs;
    const bool screen = lines.join(QLatin1Char(' ')).contains(QLatin1String("AudienceScreen"));
    const QStringList expected = screen ? QStringList{unplugged, unplugged} : QStringList();
    QCOMPARE(messages(), expected);
    QCOMPARE(second.tournament->Document.Path(), saved);
}

// The README's example, written by hand, opens: what it names and is not
// here is said in one message, and the rest reaches the clock.
void tst_tournamentFile::readmeExampleOpens()
{
    QFile readme(QStringLiteral(VANTIX_README));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype section = text.indexOf(QLatin1String("\n## Tournament file"));
    QVERIFY(section > 0);
    const qsizetype begin = text.indexOf(QLatin1String("```ini\n"), section) + 7;
    const qsizetype end = text.indexOf(QLatin1String("```"), begin);
    QVERIFY(begin > section && end > begin);
    const QString file = write(QStringLiteral("club.vantix"), text.mid(begin, end - begin).toUtf8());

    Program program(dir->path());
    program.form->show();
    QVERIFY(program.open(file));
    QCOMPARE(messages().size(), 1);
    const QStringList lines = messages().front().split(QLatin1Char('\r'));
    QCOMPARE(lines.front(), TournamentPartlyUsed);
    QCOMPARE(lines.filter(TournamentMissingPicture).size(), 2);
    QCOMPARE(lines.filter(TournamentUnknownScreen).size(), 1);
    QCOMPARE(program.form->windowTitle(), u"FletchWise - Club 720, outdoor"_qs);
    QCOMPARE(program.form->Timer1->Interval(), 1000);
    QCOMPARE(program.form->Published->Current().endLabel, u"7"_qs);
    QCOMPARE(program.form->Published->Current().detail, u"CD"_qs);
    QCOMPARE(int(program.form->ShootingTime), 240);
}

// Opened from the options within the setup dialog: the dialog holds the
// file's settings, and its closing hands them to the clock, letters and all.
void tst_tournamentFile::openedWhileTheDialogShows()
{
    const QString file = write(QStringLiteral("three.vantix"),
                               handFile({u"Setup/TournamentName=Three"_qs, u"Setup/Waves=3"_qs,
                                         u"Rounds/ShowDetail=true"_qs, u"Standing/FirstDetail=EF"_qs}));
    Program program(dir->path());
    program.form->show();
    const QString titleBefore = program.form->windowTitle();
    QString titleWhileOpen;
    bool opened = false;
    QTimer::singleShot(0, program.dialog, [&] {
        opened = program.open(file);
        titleWhileOpen = program.form->windowTitle();
        program.dialog->close();
    });
    program.form->SetupKnap->click();
    QVERIFY2(opened, qPrintable(messages().join(QLatin1Char('\n'))));
    QCOMPARE(titleWhileOpen, titleBefore);
    QCOMPARE(program.form->windowTitle(), u"FletchWise - Three"_qs);
    QCOMPARE(int(program.form->NumberOfWaves), 3);
    QCOMPARE(program.form->Published->Current().detail, u"EF"_qs);
    QCOMPARE(messages(), QStringList());
}

void tst_tournamentFile::badFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the file is not there
    QTest::addColumn<QString>("message");
    QByteArray binary(4096, '\0');
    QRandomGenerator noise(22);
    for (char &byte : binary)
        byte = char(noise.bounded(256));
    QByteArray huge = handFile({u"Setup/Waves=1"_qs});
    huge += QByteArray(TournamentFile::MaxBytes, ';');
    QTest::newRow("empty") << QByteArray(" ") << TournamentNotAFile;
    QTest::newRow("binary") << binary << TournamentNotAFile;
    QTest::newRow("no head") << QByteArray("[Setup]\nWaves=1\n") << TournamentNotAFile;
    QTest::newRow("version not a number") << QByteArray("[Vantix Tournament]\nVersion=one\n") << TournamentNotAFile;
    QTest::newRow("huge") << huge << TournamentTooLarge;
    QTest::newRow("waves 256") << handFile({u"Setup/Waves=256"_qs}) << TournamentOutOfRange;
    QTest::newRow("red below five") << handFile({u"Setup/RedTime=4"_qs}) << TournamentOutOfRange;
    QTest::newRow("yellow above shooting") << handFile({u"Setup/ShootingTime=20"_qs}) << TournamentOutOfRange;
    QTest::newRow("hexadecimal") << handFile({u"Setup/ShootingTime=0xF0"_qs}) << TournamentOutOfRange;
    QTest::newRow("port 0") << handFile({u"Network/Port=0"_qs}) << TournamentOutOfRange;
    QTest::newRow("end 0") << handFile({u"Standing/End=0"_qs}) << TournamentOutOfRange;
    QTest::newRow("EF of two details") << handFile({u"Standing/FirstDetail=EF"_qs}) << TournamentOutOfRange;
    QTest::newRow("not a yes or no") << handFile({u"Rounds/ShowDetail=maybe"_qs}) << TournamentOutOfRange;
    QTest::newRow("missing") << QByteArray() << TournamentCannotRead;
}

// A bad file says so in one message and leaves the program as it was.
void tst_tournamentFile::badFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    Program program(dir->path());
    const QString good = write(QStringLiteral("good.vantix"),
                               handFile({u"Setup/TournamentName=Club"_qs, u"Setup/Waves=3"_qs,
                                         u"Rounds/ShowDetail=true"_qs, u"Standing/End=4"_qs}));
    QVERIFY(program.open(good));
    const TournamentSettings before = program.held();
    const QString title = program.form->windowTitle();
    const QString bad = content.isEmpty() ? dir->filePath(QStringLiteral("gone.vantix"))
                                          : write(QStringLiteral("bad.vantix"), content);

    QVERIFY(!program.open(bad));
    QCOMPARE(messages().size(), 1);
    QCOMPARE(fixture->platform.messageBoxes.shown.front().kind, MessageKind::Error);
    QVERIFY2(messages().front().startsWith(message + QLatin1Char(' ') + QDir::toNativeSeparators(bad)),
             qPrintable(messages().front()));
    QVERIFY(messages().front().endsWith(TournamentNothingChanged));
    QVERIFY(program.held() == before);
    QCOMPARE(program.form->windowTitle(), title);
    QCOMPARE(program.tournament->Document.Path(), good);
}

void tst_tournamentFile::saveRefused_data()
{
    QTest::addColumn<QString>("shootingTime");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a whole number") << u"12a"_qs << QString() << WholeNumbers;
    QTest::newRow("yellow above shooting") << u"20"_qs << QString() << rangeErrorText();
    QTest::newRow("no such folder") << u"240"_qs << u"gone/"_qs << TournamentCannotWrite;
}

// Nothing is written of what cannot be saved; the message says why.
void tst_tournamentFile::saveRefused()
{
    QFETCH(QString, shootingTime);
    QFETCH(QString, folder);
    QFETCH(QString, message);
    Program program(dir->path());
    program.dialog->Skydetid->setText(shootingTime);
    const QString file = dir->filePath(folder + QStringLiteral("refused.vantix"));
    QVERIFY(!program.tournament->Document.SaveAs(file));
    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages().front().startsWith(message), qPrintable(messages().front()));
    QVERIFY(!QFile::exists(file));
    QCOMPARE(program.tournament->Document.Path(), QString());
}

void tst_tournamentFile::standingByHand_data()
{
    QTest::addColumn<bool>("keys");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("presses"); // + end up, - end down, D the other detail first
    QTest::addColumn<QString>("endLabel");
    QTest::addColumn<QString>("detail");
    for (bool keys : {false, true}) {
        const char *via = keys ? "keys" : "buttons";
        QTest::addRow("%s: none", via) << keys << false << u""_qs << u"1"_qs << u"AB"_qs;
        QTest::addRow("%s: + +", via) << keys << false << u"++"_qs << u"3"_qs << u"AB"_qs;
        QTest::addRow("%s: +", via) << keys << false << u"+"_qs << u"2"_qs << u"CD"_qs;
        QTest::addRow("%s: - at the first end", via) << keys << false << u"-"_qs << u"1"_qs << u"AB"_qs;
        QTest::addRow("%s: + + + -", via) << keys << false << u"+++-"_qs << u"3"_qs << u"AB"_qs;
        QTest::addRow("%s: D", via) << keys << false << u"D"_qs << u"1"_qs << u"CD"_qs;
        QTest::addRow("%s: D D", via) << keys << false << u"DD"_qs << u"1"_qs << u"AB"_qs;
        QTest::addRow("%s: + D", via) << keys << false << u"+D"_qs << u"2"_qs << u"AB"_qs;
    }
    // While an end runs the keys change nothing (and the end, abandoned,
    // does not count).
    QTest::newRow("keys: + D while running") << true << true << u"+D"_qs << u"1"_qs << u"AB"_qs;
}

// Two details alternating, the end number and the letters shown to the
// archers: the timekeeper's presses show at once on what they see.
void tst_tournamentFile::standingByHand()
{
    QFETCH(bool, keys);
    QFETCH(bool, running);
    QFETCH(QString, presses);
    Program program(dir->path());
    for (QCheckBox *option : {program.rules->Page->ShowDetail, program.rules->Page->RotateDetails,
                              program.rules->Page->EndNumberToArchers})
        option->setChecked(true);
    program.form->show();
    program.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(program.form.get()));
    if (running)
        program.form->StartKnap->click();
    TournamentPage &page = *program.tournament->Page;
    for (QChar press : presses) {
        if (keys) {
            const Qt::Key key = press == QLatin1Char('+') ? Qt::Key_Plus
                                : press == QLatin1Char('-') ? Qt::Key_Minus : Qt::Key_D;
            QTest::keyClick(program.form->StartKnap, key);
        } else {
            QPushButton *button = press == QLatin1Char('+') ? page.EndUpButton
                                  : press == QLatin1Char('-') ? page.EndDownButton : page.OtherDetailButton;
            button->click();
        }
    }
    if (running) {
        program.form->Afbryd_TidKnap->click();
        program.form->nulstilleknap->click();
    }
    const ArcherScreen &seen = program.form->Published->Current();
    QTEST(seen.endLabel, "endLabel");
    QTEST(seen.detail, "detail");
    if (!keys) {
        QTEST(page.NextEnd->text(), "endLabel");
        QTEST(page.FirstDetail->text(), "detail");
    }
}

QTEST_MAIN(tst_tournamentFile)
#include "tst_tournamentFile.moc"
