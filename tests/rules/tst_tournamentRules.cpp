// SPDX-License-Identifier: GPL-3.0-or-later
// Tournament rules beside the clock: presets, detail letters, the end counter
// and the emergency stop, seen through the published screen and the sounds.

#include "ClockProbe.h"
#include "OptionsDialog.h"
#include "RoundsPage.h"
#include "SetupFixture.h"
#include "TournamentRules.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

namespace {
const QString Signal = QStringLiteral("5dyt.wav");
} // namespace

class tst_tournamentRules : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void presetFillsTheFields_data();
    void presetFillsTheFields();
    void presetThenCloseBox();
    void detailLetters_data();
    void detailLetters();
    void endCounter_data();
    void endCounter();
    void emergencyStopAndResume_data();
    void emergencyStopAndResume();
    void missingSignalNamedWhenSwitchedOn();
    void longestTextsFit_data();
    void longestTextsFit();
    void trueSeconds_data();
    void trueSeconds();

private:
    // Ticks as Timer1 does, through its handler, until it stops.
    int tickUntilStopped();
    QStringList tick();
    void runEnd();

    SetupFixture *fixture = nullptr;
    TForm1 *form = nullptr;
    TForm2 *dialog = nullptr;
    TournamentRules *rules = nullptr;
};

void tst_tournamentRules::init()
{
    fixture = new SetupFixture;
    fixture->platform.fileSystem.files.insert(fixture->platform.fileSystem.folder + Signal);
    form = new TForm1;
    dialog = new TForm2(form);
    rules = new TournamentRules(*form, *dialog);
}

void tst_tournamentRules::cleanup()
{
    delete form;
    delete fixture;
}

QStringList tst_tournamentRules::tick()
{
    fixture->platform.sound.played.clear();
    form->Timer1->OnTimer();
    return fixture->platform.sound.played;
}

int tst_tournamentRules::tickUntilStopped()
{
    int ticks = 0;
    while (form->Timer1->Enabled() && ticks < 2000) {
        form->Timer1->OnTimer();
        ++ticks;
    }
    return ticks;
}

void tst_tournamentRules::runEnd()
{
    form->StartKnap->click();
    tickUntilStopped();
}

void tst_tournamentRules::trueSeconds_data()
{
    QTest::addColumn<QString>("steps"); // p: a round chosen, t: the box clicked
    QTest::addColumn<int>("tick");      // ms, also while an end runs
    QTest::newRow("off by default") << u""_qs << 988;
    QTest::newRow("a round chosen") << u"p"_qs << 1000;
    QTest::newRow("a round chosen, then unticked") << u"pt"_qs << 988;
    QTest::newRow("ticked") << u"t"_qs << 1000;
    QTest::newRow("ticked, unticked") << u"tt"_qs << 988;
}

void tst_tournamentRules::trueSeconds()
{
    QFETCH(QString, steps);
    QComboBox *choice = rules->Page->Preset;
    for (QChar step : steps) {
        if (step == QLatin1Char('p')) {
            choice->setCurrentIndex(1);
            emit choice->activated(1);
        } else {
            rules->Page->TrueSeconds->click();
        }
    }
    form->StartKnap->click();
    QVERIFY(form->Timer1->Enabled());
    QTEST(form->Timer1->Interval(), "tick");
}

void tst_tournamentRules::presetFillsTheFields_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QList<int>>("numbers"); // shooting, yellow, red, waves
    QTest::newRow("outdoor") << u"Outdoor, 6 arrows"_qs << QList<int>{240, 30, 10, 2};
    QTest::newRow("indoor") << u"Indoor, 3 arrows"_qs << QList<int>{120, 30, 10, 2};
    QTest::newRow("sets") << u"Individual elimination, 3 arrows (sets)"_qs << QList<int>{120, 30, 10, 1};
    QTest::newRow("team") << u"Team, 6 arrows"_qs << QList<int>{120, 30, 10, 1};
    QTest::newRow("mixed team") << u"Mixed team, 4 arrows"_qs << QList<int>{80, 30, 10, 1};
    QTest::newRow("shoot-off") << u"Shoot-off, 1 arrow"_qs << QList<int>{40, 30, 10, 1};
}

void tst_tournamentRules::presetFillsTheFields()
{
    QFETCH(QString, preset);
    QFETCH(QList<int>, numbers);
    QComboBox *choice = rules->Page->Preset;
    const int index = choice->findData(preset);
    QVERIFY(index > 0);
    choice->setCurrentIndex(index);
    emit choice->activated(index);
    dialog->Btn_okClick();
    QCOMPARE(fixture->platform.messageBoxes.shown.size(), 0);
    const QList<int> entered{dialog->EnteredShootingTime, dialog->EnteredYellowTime,
                             dialog->EnteredRedWaitingTime, dialog->EnteredNumberOfWaves};
    QCOMPARE(entered, numbers);
}

// A round chosen and the dialog closed by its close box: the clock runs the
// times the fields show.
void tst_tournamentRules::presetThenCloseBox()
{
    form->AttachSetupDialog(dialog);
    QTimer::singleShot(0, dialog, [this] {
        QComboBox *choice = rules->Page->Preset;
        const int index = choice->findData(u"Outdoor, 6 arrows"_qs);
        choice->setCurrentIndex(index);
        emit choice->activated(index);
        dialog->close();
    });
    form->SetupKnap->click();
    QVERIFY(!dialog->isVisible());
    const QStringList shown{dialog->Skydetid->text(), dialog->gul_tid->text(), dialog->edRedWatingTime->text(),
                            dialog->AntalHold->text()};
    const QStringList runs{QString::number(form->ShootingTime), QString::number(form->YellowTime),
                           QString::number(form->RedTime), QString::number(form->NumberOfWaves)};
    QCOMPARE(runs, shown);
    QCOMPARE(shown.first(), u"240"_qs);
}

void tst_tournamentRules::detailLetters_data()
{
    QTest::addColumn<int>("waves");
    QTest::addColumn<bool>("rotate");
    QTest::addColumn<QString>("run"); // each end: the ready screen's letters, then each wave's
    QTest::addColumn<int>("practiceEnds"); // shot first: they leave the rotation of the scoring ends
    QTest::newRow("one wave") << 1 << true << u": : : :"_qs << 0;
    QTest::newRow("two waves") << 2 << false << u"AB:AB-CD AB:AB-CD AB:AB-CD AB:AB-CD"_qs << 0;
    QTest::newRow("two waves, alternating") << 2 << true << u"AB:AB-CD CD:CD-AB AB:AB-CD CD:CD-AB"_qs << 0;
    QTest::newRow("three waves") << 3 << false << u"AB:AB-CD-EF AB:AB-CD-EF AB:AB-CD-EF AB:AB-CD-EF"_qs << 0;
    QTest::newRow("three waves, rotating") << 3 << true << u"AB:AB-CD-EF CD:CD-EF-AB EF:EF-AB-CD AB:AB-CD-EF"_qs << 0;
    QTest::newRow("alternating, after a practice end") << 2 << true << u"AB:AB-CD CD:CD-AB AB:AB-CD CD:CD-AB"_qs << 1;
    QTest::newRow("rotating, after two practice ends") << 3 << true << u"AB:AB-CD-EF CD:CD-EF-AB EF:EF-AB-CD AB:AB-CD-EF"_qs
                                                      << 2;
}

void tst_tournamentRules::detailLetters()
{
    QFETCH(int, waves);
    QFETCH(bool, rotate);
    QFETCH(QString, run);
    QFETCH(int, practiceEnds);
    applyTimes(*form, 5, 10, 3, waves);
    rules->Page->ShowDetail->setChecked(true);
    rules->Page->RotateDetails->setChecked(rotate);
    rules->Page->Practice->setChecked(practiceEnds > 0);
    for (int end = 0; end < practiceEnds; ++end)
        runEnd();
    rules->Page->Practice->setChecked(false);
    QStringList letters;
    connect(form, &TForm1::waveStarted, this, [&] { letters.append(form->Published->Current().detail); });
    QStringList ends;
    for (int end = 0; end < 4; ++end) {
        const QString ready = form->Published->Current().detail;
        letters.clear();
        runEnd();
        ends.append(ready + QLatin1Char(':') + letters.join(QLatin1Char('-')));
    }
    QCOMPARE(ends.join(QLatin1Char(' ')), run);
}

void tst_tournamentRules::endCounter_data()
{
    // f: an end finishes, a: an end is stopped and abandoned, s: the settings
    // change, p/q: practice on/off, r: the count is reset.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("labels"); // the end number after each step
    QTest::newRow("finished ends") << u"fff"_qs << u"2 3 4"_qs;
    QTest::newRow("abandoned end") << u"faaf"_qs << u"2 2 2 3"_qs;
    QTest::newRow("settings kept") << u"fsf"_qs << u"2 2 3"_qs;
    QTest::newRow("practice first") << u"pffqf"_qs << u"P1 P2 P3 1 2"_qs;
    QTest::newRow("practice again") << u"fpfqpq"_qs << u"2 P1 P2 2 P1 2"_qs;
    QTest::newRow("reset") << u"ffrf"_qs << u"2 3 1 2"_qs;
}

void tst_tournamentRules::endCounter()
{
    QFETCH(QString, steps);
    QFETCH(QString, labels);
    applyTimes(*form, 5, 10, 3, 2);
    form->show();
    rules->Page->ShowEndNumber->setChecked(true);
    rules->Page->EndNumberToArchers->setChecked(true);
    QStringList seen;
    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case 'f': runEnd(); break;
        case 'a':
            form->StartKnap->click();
            tick();
            form->Afbryd_TidKnap->click();
            form->nulstilleknap->click();
            break;
        case 's':
            applyTimes(*form, 10, 120, 30, 3);
            form->SetupKnap->click();
            break;
        case 'p': rules->Page->Practice->setChecked(true); break;
        case 'q': rules->Page->Practice->setChecked(false); break;
        case 'r': rules->Page->ResetEndCount->click(); break;
        }
        const QString label = form->Published->Current().endLabel;
        QVERIFY(rules->EndNumber->isVisible());
        QVERIFY(rules->EndNumber->text().endsWith(QLatin1Char(' ') + label));
        seen.append(label);
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), labels);
}

void tst_tournamentRules::emergencyStopAndResume_data()
{
    // Walk-up 10, shooting 120, warning at 30, one wave: 130 ticks.
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("stopAtTick"); // counted from Start
    QTest::addColumn<QString>("resumedCount");
    QTest::addColumn<TColor>("resumedColour");
    QTest::addColumn<int>("ticksAfterResume"); // walk-up included
    QTest::newRow("off") << false << 50 << QString() << clGreen << 0;
    QTest::newRow("in the green") << true << 50 << u"80"_qs << clGreen << 10 + 80;
    QTest::newRow("in the yellow") << true << 110 << u"20"_qs << clYellow << 10 + 20;
    QTest::newRow("in the walk-up") << true << 4 << u"120"_qs << clGreen << 10 + 120;
}

void tst_tournamentRules::emergencyStopAndResume()
{
    QFETCH(bool, on);
    QFETCH(int, stopAtTick);
    QFETCH(QString, resumedCount);
    QFETCH(TColor, resumedColour);
    QFETCH(int, ticksAfterResume);
    const int red = 10;
    applyTimes(*form, red, 120, 30, 1);
    form->show();
    rules->Page->EmergencyStop->setChecked(on);
    form->StartKnap->click();
    for (int t = 0; t < stopAtTick; ++t)
        tick();
    fixture->platform.sound.played.clear();
    form->Afbryd_TidKnap->click();
    QCOMPARE(fixture->platform.sound.played, on ? QStringList{Signal} : QStringList());
    QCOMPARE(form->ResumeKnap->isVisible(), on);
    QCOMPARE(int(form->SecondsLeft), red);
    if (!on)
        return;

    fixture->platform.sound.played.clear();
    form->ResumeKnap->click();
    QCOMPARE(fixture->platform.sound.played, QStringList{u"2dyt.wav"_qs});
    QCOMPARE(form->SekunderTilbage->text(), QString::number(red));
    QVERIFY(!form->ResumeKnap->isVisible());
    for (int t = 1; t < red; ++t) {
        QCOMPARE(tick(), QStringList());
        QCOMPARE(form->CounterColor(), clRed);
    }
    // The views hear the resumed count once, in its colour.
    QStringList heard;
    const auto record = connect(form->Published, &ScreenPublisher::screenChanged, this, [&](const ArcherScreen &shown) {
        heard << shown.counterText + u' ' + toQColor(shown.counterColor).name();
    });
    QCOMPARE(tick(), QStringList{u"1dyt.wav"_qs});
    disconnect(record);
    QCOMPARE(heard, QStringList{resumedCount + u' ' + toQColor(resumedColour).name()});
    QCOMPARE(form->SekunderTilbage->text(), resumedCount);
    QCOMPARE(form->CounterColor(), resumedColour);
    QCOMPARE(red + tickUntilStopped(), ticksAfterResume);
    QCOMPARE(fixture->platform.sound.played.last(), u"3dyt.wav"_qs);
    QVERIFY(publishedMatches(*form));
}

void tst_tournamentRules::missingSignalNamedWhenSwitchedOn()
{
    fixture->platform.fileSystem.files.remove(fixture->platform.fileSystem.folder + Signal);
    rules->Page->EmergencyStop->setChecked(true);
    QCOMPARE(fixture->platform.messageBoxes.texts().size(), 1);
    QVERIFY(fixture->platform.messageBoxes.texts().first().contains(QLatin1Char(' ') + Signal + QLatin1Char('\r')));
}

void tst_tournamentRules::longestTextsFit_data()
{
    QTest::addColumn<QString>("folder"); // of the language file; none: the built-in texts
    QTest::newRow("built-in") << QString();
    for (const QString &language : QStringLiteral(VANTIX_LANGUAGES).split(QLatin1Char(',')))
        QTest::newRow(qPrintable(language)) << QStringLiteral(VANTIX_LANGUAGE_FOLDER "/%1/").arg(language);
}

// The controls of a fixed size hold their texts in every shipped language,
// and the options dialog with the rounds page fits a 1024 x 768 screen.
void tst_tournamentRules::longestTextsFit()
{
    QFETCH(QString, folder);
    const QTemporaryDir none;
    uVantixStrings::LoadTextsFrom(folder.isEmpty() ? none.path() + QLatin1Char('/') : folder);
    auto *shown = new TForm2(form);
    auto *shownRules = new TournamentRules(*form, *shown);
    const QString longestEnd = uVantixStrings::EndNumberLabel.arg(u"P99"_qs);
    const std::pair<QWidget *, QString> fixed[] = {
        {form->ResumeKnap, form->ResumeKnap->text()},
        {shownRules->EndNumber, longestEnd},
        {shown->Btn_options, shown->Btn_options->text().remove(QLatin1Char('&'))},
    };
    for (const auto &[control, text] : fixed) {
        QVERIFY(!text.isEmpty());
        // A button has the room inside its frame, as its style draws it.
        int room = control->width();
        if (auto *button = qobject_cast<QPushButton *>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
        }
        const int needed = QFontMetrics(control->font()).horizontalAdvance(text);
        QVERIFY2(needed <= room, qPrintable(u"%1: %2 of %3 pixels"_qs.arg(text).arg(needed).arg(room)));
    }
    const QSize options = shown->Options->sizeHint();
    QVERIFY2(options.width() <= 1024 && options.height() <= 768,
             qPrintable(u"%1 x %2"_qs.arg(options.width()).arg(options.height())));
}

QTEST_MAIN(tst_tournamentRules)
#include "tst_tournamentRules.moc"
