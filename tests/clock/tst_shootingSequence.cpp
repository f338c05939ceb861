// SPDX-License-Identifier: GPL-3.0-or-later
// The shooting sequence: ends in waves, driven by the Start button and by ticks.

#include "ClockProbe.h"
#include "uVantixStrings.h"

#include <QListWidget>
#include <QTest>

namespace {
const QString Start = QStringLiteral("Start");
const QString ChangeWave = QStringLiteral("Skift hold");
const QString GetArrows = QStringLiteral("Hent pile");
const QStringList TwoBlasts{QStringLiteral("2dyt.wav")};
const QStringList OneBlast{QStringLiteral("1dyt.wav")};
const QStringList ThreeBlasts{QStringLiteral("3dyt.wav")};
const QStringList Ready{QStringLiteral("SetupKnap"), QStringLiteral("OmKnap")};
const QStringList Running{QStringLiteral("Afbryd_TidKnap")};
const QStringList Stopped{QStringLiteral("nulstilleknap"), QStringLiteral("nulstilholdknap")};
} // namespace

class tst_shootingSequence : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholeEndWithStartValues();
    void edgeTimes_data();
    void edgeTimes();
    void noWaves();
    void oneWave();
    void shootingEqualsYellow();
    void yellowZeroIsNeverSeen();
    void shootingOneNeverTurnsGreen();
    void redTimeOneRunsWavesInOneTick();
    void redTimeZeroWrapsTo255();
    void shooting255EndsWaveWithoutGreen();
    void startDuringWaveCallsNextWave();
    void startDuringLastWaveEndsTheEnd();
    void stopTimeShowsJudgeSign();
    void stopThenStartMovesOn();
    void stopThenResetWaveRepeatsIt();
    void stopInFirstWaveThenResetWave();
    void resetTimerGoesBackSilently();
    void newRedTimeShowsOldTextUntilFirstTick();
    void enablingRunningTimerKeepsRhythm();
    void noTickRunsBehindEndOfEndWarning();
    void exitWhileRunning();
    void eachMomentAnnouncedOnce_data();
    void eachMomentAnnouncedOnce();

private:
    TestPlatform *platform = nullptr;
    TForm1 *form = nullptr;
    ClockDriver *driver = nullptr;
};

void tst_shootingSequence::init()
{
    platform = new TestPlatform;
    form = new TForm1;
    driver = new ClockDriver(*form, platform->sound);
}

void tst_shootingSequence::cleanup()
{
    const int mismatches = driver->publishedMismatches;
    delete driver;
    delete form;
    delete platform;
    // Every press and tick announced what the main window shows.
    QCOMPARE(mismatches, 0);
}

void tst_shootingSequence::wholeEndWithStartValues()
{
    QCOMPARE(driver->press(form->StartKnap), TwoBlasts);
    Screen s = screenOf(*form);
    QCOMPARE(s.counter, QStringLiteral("20"));
    QVERIFY(s.counterVisible);
    QCOMPARE(s.colour, clRed);
    QCOMPARE(s.startCaption, ChangeWave);
    QCOMPARE(s.buttons, Running);
    QVERIFY(s.timerRunning);

    for (int wave = 0; wave < 2; ++wave) {
        for (int t = 1; t <= 19; ++t) {
            QCOMPARE(driver->tick(), QStringList());
            QCOMPARE(form->SekunderTilbage->text(), QString::number(20 - t));
            QCOMPARE(form->CounterColor(), clRed);
        }
        QCOMPARE(driver->tick(), OneBlast); // tick 20 (160)
        QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("120"));
        QCOMPARE(form->CounterColor(), clGreen);
        for (int t = 21; t <= 109; ++t) {
            QCOMPARE(driver->tick(), QStringList());
            QCOMPARE(form->CounterColor(), clGreen);
        }
        QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("31"));
        QCOMPARE(driver->tick(), QStringList()); // tick 110 (250)
        QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("30"));
        QCOMPARE(form->CounterColor(), clYellow);
        for (int t = 111; t <= 139; ++t)
            QCOMPARE(driver->tick(), QStringList());
        QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("1"));
        QCOMPARE(form->CounterColor(), clYellow);
        if (wave == 0) {
            QCOMPARE(driver->tick(), TwoBlasts); // tick 140: "0", then at once "20"
            s = screenOf(*form);
            QCOMPARE(s.counter, QStringLiteral("20"));
            QCOMPARE(s.colour, clRed);
            QCOMPARE(s.startCaption, GetArrows);
            QVERIFY(s.timerRunning);
        }
    }
    QCOMPARE(driver->tick(), ThreeBlasts); // tick 280
    s = screenOf(*form);
    QVERIFY(!s.counterVisible);
    QCOMPARE(s.colour, clRed);
    QCOMPARE(s.startCaption, Start);
    QCOMPARE(s.buttons, Ready);
    QVERIFY(!s.timerRunning);
    QCOMPARE(form->WavesLeft, std::uint8_t(2));
    QCOMPARE(form->SecondsLeft, std::uint8_t(20));
    QCOMPARE(form->Phase, 1);
}

void tst_shootingSequence::edgeTimes_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("shooting");
    QTest::addColumn<int>("yellow");
    QTest::addColumn<int>("greenAtTick");  // 0: never green
    QTest::addColumn<int>("yellowAtTick"); // 0: never seen yellow
    QTest::addColumn<int>("waveTicks");
    QTest::newRow("start values") << 20 << 120 << 30 << 20 << 110 << 140;
    QTest::newRow("shooting below red") << 20 << 10 << 5 << 10 << 15 << 20;
    QTest::newRow("shooting 240") << 20 << 240 << 30 << 20 << 230 << 260;
    QTest::newRow("red 5") << 5 << 30 << 10 << 5 << 25 << 35;
    QTest::newRow("shooting 0") << 20 << 0 << 0 << 0 << 0 << 20;
}

void tst_shootingSequence::edgeTimes()
{
    QFETCH(int, red);
    QFETCH(int, shooting);
    QFETCH(int, yellow);
    QFETCH(int, greenAtTick);
    QFETCH(int, yellowAtTick);
    QFETCH(int, waveTicks);
    applyTimes(*form, red, shooting, yellow, 2);
    form->SecondsLeft = form->RedTime;
    driver->press(form->StartKnap);
    int sawGreen = 0;
    int sawYellow = 0;
    int ticks = 0;
    while (form->StartKnap->text() == ChangeWave && ticks < 1000) {
        const QStringList sounds = driver->tick();
        ++ticks;
        if (form->CounterColor() == clGreen && !sawGreen) {
            sawGreen = ticks;
            QCOMPARE(sounds, OneBlast);
        }
        if (form->CounterColor() == clYellow && !sawYellow)
            sawYellow = ticks;
    }
    QCOMPARE(sawGreen, greenAtTick);
    QCOMPARE(sawYellow, yellowAtTick);
    QCOMPARE(ticks, waveTicks);
}

void tst_shootingSequence::noWaves()
{
    applyTimes(*form, 20, 120, 30, 0);
    for (int press = 0; press < 3; ++press) {
        QCOMPARE(driver->press(form->StartKnap), ThreeBlasts);
        const Screen s = screenOf(*form);
        QVERIFY(!s.counterVisible);
        QVERIFY(!s.timerRunning);
        QCOMPARE(s.startCaption, Start);
        QCOMPARE(s.buttons, Ready);
    }
}

void tst_shootingSequence::oneWave()
{
    applyTimes(*form, 12, 120, 30, 1);
    QCOMPARE(driver->press(form->StartKnap), TwoBlasts);
    QCOMPARE(form->StartKnap->text(), GetArrows);
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("12"));
    QCOMPARE(form->WavesLeft, std::uint8_t(0));
    QCOMPARE(driver->tickUntilStopped(1000), 12 + 120);
    QCOMPARE(form->StartKnap->text(), Start);
    QCOMPARE(form->WavesLeft, std::uint8_t(1));
}

void tst_shootingSequence::shootingEqualsYellow()
{
    applyTimes(*form, 20, 30, 30, 2);
    driver->press(form->StartKnap);
    for (int t = 1; t < 20; ++t)
        driver->tick();
    QCOMPARE(driver->tick(), OneBlast);
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("30"));
    QCOMPARE(form->CounterColor(), clYellow);
    QCOMPARE(form->Phase, 3);
}

void tst_shootingSequence::yellowZeroIsNeverSeen()
{
    applyTimes(*form, 20, 10, 0, 2);
    driver->press(form->StartKnap);
    for (int t = 1; t < 20; ++t) {
        driver->tick();
        QVERIFY(form->CounterColor() != clYellow);
    }
    QCOMPARE(driver->tick(), TwoBlasts); // the tick at 0 passes yellow and calls the next wave
    QCOMPARE(form->CounterColor(), clRed);
    QCOMPARE(form->StartKnap->text(), GetArrows);
}

void tst_shootingSequence::shootingOneNeverTurnsGreen()
{
    applyTimes(*form, 20, 1, 0, 2);
    driver->press(form->StartKnap);
    for (int t = 1; t <= 19; ++t)
        driver->tick();
    for (int t = 0; t < 50; ++t) {
        QCOMPARE(driver->tick(), QStringList());
        QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("1"));
        QCOMPARE(form->CounterColor(), clRed);
        QCOMPARE(form->SecondsLeft, std::uint8_t(2));
    }
    QVERIFY(form->Timer1->Enabled());
}

void tst_shootingSequence::redTimeOneRunsWavesInOneTick()
{
    applyTimes(*form, 1, 120, 30, 3);
    form->SecondsLeft = 1;
    QCOMPARE(driver->press(form->StartKnap), TwoBlasts);
    QCOMPARE(driver->tick(), TwoBlasts);
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("0"));
    QCOMPARE(driver->tick(), TwoBlasts);
    QCOMPARE(form->StartKnap->text(), GetArrows);
    QCOMPARE(driver->tick(), ThreeBlasts);
    QVERIFY(!form->Timer1->Enabled());
}

void tst_shootingSequence::redTimeZeroWrapsTo255()
{
    applyTimes(*form, 0, 120, 30, 2);
    form->SecondsLeft = 0;
    driver->press(form->StartKnap);
    driver->tick();
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("255"));
    QCOMPARE(form->CounterColor(), clRed);
    int ticks = 1;
    while (form->CounterColor() == clRed && ticks < 300) {
        driver->tick();
        ++ticks;
    }
    QCOMPARE(ticks, 256 - 120);
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("120"));
}

void tst_shootingSequence::shooting255EndsWaveWithoutGreen()
{
    applyTimes(*form, 20, 255, 30, 2);
    driver->press(form->StartKnap);
    for (int t = 1; t < 19; ++t)
        QCOMPARE(driver->tick(), QStringList());
    QCOMPARE(driver->tick(), TwoBlasts); // shows "1", jumps to 0 and ends the wave
    QCOMPARE(form->StartKnap->text(), GetArrows);
    QCOMPARE(form->CounterColor(), clRed);
}

void tst_shootingSequence::startDuringWaveCallsNextWave()
{
    driver->press(form->StartKnap);
    for (int t = 0; t < 30; ++t)
        driver->tick();
    QCOMPARE(driver->press(form->StartKnap), TwoBlasts);
    const Screen s = screenOf(*form);
    QCOMPARE(s.counter, QStringLiteral("20"));
    QCOMPARE(s.colour, clRed);
    QCOMPARE(s.startCaption, GetArrows);
    QCOMPARE(form->Phase, 1);
    QCOMPARE(form->WavesLeft, std::uint8_t(0));
}

void tst_shootingSequence::startDuringLastWaveEndsTheEnd()
{
    driver->press(form->StartKnap);
    driver->press(form->StartKnap);
    for (int t = 0; t < 20; ++t)
        driver->tick(); // the one blast has begun
    QCOMPARE(driver->press(form->StartKnap), ThreeBlasts);
    const Screen s = screenOf(*form);
    QVERIFY(!s.counterVisible);
    QVERIFY(!s.timerRunning);
    QCOMPARE(s.startCaption, Start);
    QCOMPARE(s.buttons, Ready);
}

void tst_shootingSequence::stopTimeShowsJudgeSign()
{
    driver->press(form->StartKnap);
    for (int t = 0; t < 25; ++t)
        driver->tick();
    QCOMPARE(driver->press(form->Afbryd_TidKnap), QStringList());
    const Screen s = screenOf(*form);
    QCOMPARE(s.counter, QStringLiteral("T.K"));
    QCOMPARE(s.colour, clRed);
    QCOMPARE(s.alignment, Qt::AlignHCenter);
    QCOMPARE(s.buttons, Stopped);
    QVERIFY(!s.timerRunning);
    QCOMPARE(s.startCaption, ChangeWave);
    QCOMPARE(form->SecondsLeft, form->RedTime);
    QCOMPARE(form->Phase, 2);
}

void tst_shootingSequence::stopThenStartMovesOn()
{
    driver->press(form->StartKnap);
    driver->tick();
    driver->press(form->Afbryd_TidKnap);
    QCOMPARE(driver->press(form->StartKnap), TwoBlasts);
    QCOMPARE(form->StartKnap->text(), GetArrows);
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("20"));
    driver->press(form->Afbryd_TidKnap);
    QCOMPARE(driver->press(form->StartKnap), ThreeBlasts);
    QVERIFY(form->SekunderTilbage->isHidden());

    // With more waves to follow, the judges' sign stays until the first tick.
    applyTimes(*form, 20, 120, 30, 3);
    driver->press(form->StartKnap);
    driver->press(form->Afbryd_TidKnap);
    driver->press(form->StartKnap);
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("T.K"));
    QCOMPARE(form->SekunderTilbage->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    driver->tick();
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("19"));
}

void tst_shootingSequence::stopThenResetWaveRepeatsIt()
{
    driver->press(form->StartKnap);
    driver->press(form->StartKnap); // last wave
    for (int t = 0; t < 40; ++t)
        driver->tick();
    driver->press(form->Afbryd_TidKnap);
    QCOMPARE(driver->press(form->nulstilholdknap), QStringList());
    Screen s = screenOf(*form);
    QCOMPARE(s.counter, QStringLiteral("20"));
    QCOMPARE(s.alignment, Qt::AlignRight);
    QCOMPARE(s.colour, clRed);
    QCOMPARE(s.buttons, QStringList());
    QVERIFY(!s.timerRunning);
    QCOMPARE(s.startCaption, ChangeWave);
    QCOMPARE(form->WavesLeft, std::uint8_t(1));

    QCOMPARE(driver->press(form->StartKnap), TwoBlasts);
    QCOMPARE(form->StartKnap->text(), GetArrows);
    QVERIFY(form->Timer1->Enabled());
}

void tst_shootingSequence::stopInFirstWaveThenResetWave()
{
    driver->press(form->StartKnap);
    driver->press(form->Afbryd_TidKnap);
    driver->press(form->nulstilholdknap);
    QCOMPARE(form->StartKnap->text(), Start);
    QCOMPARE(form->WavesLeft, form->NumberOfWaves);
}

void tst_shootingSequence::resetTimerGoesBackSilently()
{
    driver->press(form->StartKnap);
    for (int t = 0; t < 100; ++t)
        driver->tick();
    driver->press(form->Afbryd_TidKnap);
    QCOMPARE(driver->press(form->nulstilleknap), QStringList());
    const Screen s = screenOf(*form);
    QVERIFY(!s.counterVisible);
    QCOMPARE(s.buttons, Ready);
    QCOMPARE(s.startCaption, Start);
    QVERIFY(!s.timerRunning);
    QCOMPARE(form->WavesLeft, form->NumberOfWaves);
    QCOMPARE(form->CounterColor(), clRed);
}

void tst_shootingSequence::newRedTimeShowsOldTextUntilFirstTick()
{
    applyTimes(*form, 10, 120, 30, 2);
    driver->press(form->StartKnap);
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("20"));
    driver->tick();
    QCOMPARE(form->SekunderTilbage->text(), QStringLiteral("9"));
}

void tst_shootingSequence::enablingRunningTimerKeepsRhythm()
{
    form->StartKnap->click();
    QTest::qWait(300);
    const int before = form->Timer1->RemainingTime();
    form->StartKnap->click(); // the next wave: the timer is enabled again
    const int after = form->Timer1->RemainingTime();
    QVERIFY2(after <= before + 5, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
    QVERIFY(after < 900);
}

void tst_shootingSequence::noTickRunsBehindEndOfEndWarning()
{
    // A picture that fails at the end of an end brings up a modal warning.
    QListWidget adverts;
    adverts.addItem(QStringLiteral("/no/such/picture.bmp"));
    form->SetAdvertList(&adverts);
    form->AddsOn = true;
    form->AddCount = 1;
    applyTimes(*form, 20, 120, 30, 1);
    form->Timer1->SetInterval(5);
    int ticksBehindBox = 0;
    bool timerWhileOpen = true;
    platform->messageBoxes.onShow = [&](const FakeMessageBoxes::Shown &) {
        timerWhileOpen = form->Timer1->Enabled();
        auto previous = form->Timer1->OnTimer;
        form->Timer1->OnTimer = [&] { ++ticksBehindBox; };
        QTest::qWait(100); // the box stays open for many tick intervals
        form->Timer1->OnTimer = previous;
    };
    driver->press(form->StartKnap);
    driver->press(form->StartKnap); // ends the end: warning about the picture
    QCOMPARE(platform->messageBoxes.shown.size(), 1);
    QVERIFY(!timerWhileOpen);
    QCOMPARE(ticksBehindBox, 0);
    QCOMPARE(platform->sound.played, ThreeBlasts);
    QVERIFY(!form->Timer1->Enabled());
}

void tst_shootingSequence::exitWhileRunning()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    driver->press(form->StartKnap);
    QCOMPARE(driver->press(form->AfslutKnap), QStringList());
    QVERIFY(!form->isVisible());
    QVERIFY(!form->Timer1->Enabled());
    QVERIFY(platform->messageBoxes.shown.isEmpty());
}

void tst_shootingSequence::eachMomentAnnouncedOnce_data()
{
    QTest::addColumn<int>("ticksBefore");
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("announced");
    QTest::newRow("Start") << 0 << "start" << "20 ff0000 shown";
    QTest::newRow("turn to green") << 19 << "tick" << "120 008000 shown";
    QTest::newRow("turn to yellow") << 109 << "tick" << "30 ffff00 shown";
    QTest::newRow("next wave") << 139 << "tick" << "20 ff0000 shown";
    QTest::newRow("Stop time") << 30 << "stop" << "J ff0000 shown";
}

// Views hear what a press or a tick of the timer ends with, once, never
// a step on the way (such as the shooting time's first count still red).
void tst_shootingSequence::eachMomentAnnouncedOnce()
{
    QFETCH(int, ticksBefore);
    QFETCH(QString, moment);
    QFETCH(QString, announced);
    if (moment != u"start")
        form->StartKnap->click();
    for (int i = 0; i < ticksBefore; ++i)
        form->Timer1->OnTimer();
    QStringList heard;
    connect(form->Published, &ScreenPublisher::screenChanged, this, [&](const ArcherScreen &screen) {
        heard << QStringLiteral("%1 %2 %3").arg(screen.counterText, toQColor(screen.counterColor).name().mid(1),
                                                 screen.CounterVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
    });
    if (moment == u"start")
        form->StartKnap->click();
    else if (moment == u"tick")
        form->Timer1->OnTimer();
    else
        form->Afbryd_TidKnap->click();
    QCOMPARE(heard, QStringList{announced.replace(u'J', uVantixStrings::JudgeDisplay)});
}

QTEST_MAIN(tst_shootingSequence)
#include "tst_shootingSequence.moc"
