// SPDX-License-Identifier: GPL-3.0-or-later
// When the horn sounds in the shooting sequence, and what the window shows at
// that very moment: the order of a signal among the steps of its handler.

#include "SignalMoments.h"
#include "TestPlatform.h"

#include <QTest>

namespace {
const QString One = QStringLiteral("1dyt.wav");
const QString Two = QStringLiteral("2dyt.wav");
const QString Three = QStringLiteral("3dyt.wav");
const QString Start = QStringLiteral("Start");
const QString ChangeWave = QStringLiteral("Skift hold");
const QString GetArrows = QStringLiteral("Hent pile");
} // namespace

class tst_signalMoments : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void endWithStartValues();
    void lastWaveSignalsAfterCaptionAndCounter();
    void startDuringWave_data();
    void startDuringWave();
    void startDuringLastWaveAfterOneBlast();
    void endWithNoWavesSoundsOnlyThreeBlasts();

private:
    void setWaves(int waves);
    void press();
    void ticks(int count);

    TestPlatform *platform = nullptr;
    const TForm1 *shown = nullptr;
    SignalMoments *moments = nullptr;
    ScopedSeam<ISoundPlayer> *momentsSeam = nullptr;
    TForm1 *form = nullptr;
};

void tst_signalMoments::init()
{
    platform = new TestPlatform;
    moments = new SignalMoments(shown);
    momentsSeam = new ScopedSeam<ISoundPlayer>(moments);
    form = new TForm1;
    shown = form;
}

void tst_signalMoments::cleanup()
{
    delete form;
    delete momentsSeam;
    delete moments;
    delete platform;
}

void tst_signalMoments::setWaves(int waves)
{
    form->NumberOfWaves = std::uint8_t(waves);
    form->WavesLeft = std::uint8_t(waves);
}

void tst_signalMoments::press()
{
    form->StartKnap->click();
}

void tst_signalMoments::ticks(int count)
{
    for (int i = 0; i < count; ++i) {
        ++moments->tick;
        form->Timer1Timer();
    }
}

void tst_signalMoments::endWithStartValues()
{
    press();
    ticks(280);
    QCOMPARE(moments->names(), (QStringList{Two, One, Two, One, Three}));
    const QList<SignalMoment> &m = moments->moments;
    QCOMPARE((QList<int>{m[0].tick, m[1].tick, m[2].tick, m[3].tick, m[4].tick}), (QList<int>{0, 20, 140, 160, 280}));

    // A wave with more to follow: the first step of its branch, before the
    // caption changes, the wave is counted and the timer starts.
    QCOMPARE(m[0].startCaption, Start);
    QCOMPARE(m[0].wavesLeft, 2);
    QVERIFY(!m[0].timerRunning);
    QVERIFY(m[0].counterVisible);

    // The shooting time: right after the counter has turned green.
    for (const SignalMoment &shooting : {m[1], m[3]}) {
        QCOMPARE(shooting.counter, QStringLiteral("120"));
        QCOMPARE(shooting.colour, clGreen);
    }

    // The last wave: after the caption and the counter are set.
    QCOMPARE(m[2].startCaption, GetArrows);
    QCOMPARE(m[2].counter, QStringLiteral("20"));
    QCOMPARE(m[2].wavesLeft, 0);

    // The end of the end: after the ready screen has been set up.
    QVERIFY(!m[4].counterVisible);
    QCOMPARE(m[4].startCaption, Start);
    QVERIFY(!m[4].timerRunning);
    QCOMPARE(m[4].wavesLeft, 2);
}

void tst_signalMoments::lastWaveSignalsAfterCaptionAndCounter()
{
    setWaves(1);
    form->RedTime = 35;
    press();
    QCOMPARE(moments->names(), QStringList{Two});
    const SignalMoment &m = moments->moments.first();
    QCOMPARE(m.startCaption, GetArrows);
    QCOMPARE(m.counter, QStringLiteral("35"));
    QCOMPARE(m.wavesLeft, 0);
    // Just before the timer is enabled.
    QVERIFY(!m.timerRunning);
    QVERIFY(form->Timer1->Enabled());
}

void tst_signalMoments::startDuringWave_data()
{
    QTest::addColumn<int>("waves");
    QTest::addColumn<int>("ticksBefore");
    QTest::addColumn<QString>("captionAtSignal");
    QTest::addColumn<int>("wavesLeftAtSignal");

    QTest::newRow("red, more waves follow") << 3 << 5 << ChangeWave << 2;
    QTest::newRow("green, more waves follow") << 3 << 50 << ChangeWave << 2;
    QTest::newRow("yellow, the last wave follows") << 2 << 120 << GetArrows << 0;
}

void tst_signalMoments::startDuringWave()
{
    QFETCH(int, waves);
    QFETCH(int, ticksBefore);
    QFETCH(QString, captionAtSignal);
    QFETCH(int, wavesLeftAtSignal);

    setWaves(waves);
    press();
    ticks(ticksBefore);
    moments->moments.clear();
    press();
    QCOMPARE(moments->names(), QStringList{Two});
    QCOMPARE(moments->moments.first().startCaption, captionAtSignal);
    QCOMPARE(moments->moments.first().wavesLeft, wavesLeftAtSignal);
    // The new wave's red count runs with no further signal until its shooting time.
    moments->moments.clear();
    ticks(19);
    QVERIFY(moments->moments.isEmpty());
    ticks(1);
    QCOMPARE(moments->names(), QStringList{One});
}

void tst_signalMoments::startDuringLastWaveAfterOneBlast()
{
    press();
    ticks(140 + 20);
    QCOMPARE(moments->names().last(), One);
    moments->moments.clear();
    press();
    QCOMPARE(moments->names(), QStringList{Three});
    QVERIFY(!moments->moments.first().counterVisible);
    QCOMPARE(moments->moments.first().startCaption, Start);
}

void tst_signalMoments::endWithNoWavesSoundsOnlyThreeBlasts()
{
    setWaves(0);
    for (int i = 0; i < 3; ++i) {
        press();
        ticks(5); // ticks cannot come: the timer stays stopped
    }
    QCOMPARE(moments->names(), (QStringList{Three, Three, Three}));
    for (const SignalMoment &m : moments->moments) {
        QVERIFY(!m.timerRunning);
        QVERIFY(!m.counterVisible);
        QCOMPARE(m.startCaption, Start);
    }
    QVERIFY(!form->Timer1->Enabled());
}

QTEST_MAIN(tst_signalMoments)
#include "tst_signalMoments.moc"
