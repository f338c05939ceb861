// SPDX-License-Identifier: GPL-3.0-or-later
// The shooting sequence with the real horn player, on a sound server of the
// test's own: each signal is heard at its moment and cuts off the one before.

#include "HornSignal.h"
#include "PrivateSoundServer.h"
#include "QtSoundPlayer.h"
#include "TTimer.h"
#include "TestPlatform.h"
#include "Unit1.h"
#include "WaveFile.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString One = QStringLiteral("1dyt.wav");
const QString Two = QStringLiteral("2dyt.wav");
const QString Three = QStringLiteral("3dyt.wav");
constexpr int PlayToEndTimeout = 15000;
} // namespace

class tst_hornPlayback : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void eachSignalSoundsAtItsMoment();
    void threeBlastsCutOffTheOneBlast();

private:
    void ticks(int count);
    qint64 lengthOf(const QString &name) const;

    PrivateSoundServer server;
    QTemporaryDir program;
    TestPlatform *platform = nullptr;
    QtSoundPlayer *player = nullptr;
    ScopedSeam<ISoundPlayer> *playerSeam = nullptr;
    TForm1 *form = nullptr;
};

void tst_hornPlayback::initTestCase()
{
    if (!server.start())
        QSKIP(qPrintable(QStringLiteral("no private sound server: ") + server.failure()));
    for (int blasts = 1; blasts <= 3; ++blasts) {
        QFile file(program.filePath(QStringLiteral("%1dyt.wav").arg(blasts)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(HornSignal(blasts).toWav()) > 0);
    }
}

void tst_hornPlayback::init()
{
    platform = new TestPlatform;
    player = new QtSoundPlayer(program.path() + QLatin1Char('/'));
    playerSeam = new ScopedSeam<ISoundPlayer>(player);
    form = new TForm1;
}

void tst_hornPlayback::cleanup()
{
    delete form;
    delete playerSeam;
    delete player;
    delete platform;
}

void tst_hornPlayback::ticks(int count)
{
    for (int i = 0; i < count; ++i)
        form->Timer1Timer();
}

qint64 tst_hornPlayback::lengthOf(const QString &name) const
{
    return qint64(WaveFile::load(program.filePath(name))->seconds() * 1e6);
}

void tst_hornPlayback::eachSignalSoundsAtItsMoment()
{
    QVERIFY(player->hasOutput());
    form->StartKnap->click();
    QCOMPARE(player->soundingName(), Two);
    ticks(19);
    QCOMPARE(player->soundingName(), Two); // the red count is silent
    ticks(1);
    QCOMPARE(player->soundingName(), One);
    QCOMPARE(player->stateOf(Two), QAudio::StoppedState);
    ticks(120);
    QCOMPARE(player->soundingName(), Two);
    ticks(20);
    QCOMPARE(player->soundingName(), One);
    ticks(120);
    QCOMPARE(player->soundingName(), Three);
    QVERIFY(!form->Timer1->Enabled());
    QTRY_VERIFY_WITH_TIMEOUT(player->soundingName().isEmpty(), PlayToEndTimeout);
    QVERIFY(qAbs(player->playedMicroseconds(Three) - lengthOf(Three)) < 5000);
    QVERIFY(platform->messageBoxes.shown.isEmpty());
}

void tst_hornPlayback::threeBlastsCutOffTheOneBlast()
{
    form->StartKnap->click();
    ticks(140 + 20);
    QCOMPARE(player->soundingName(), One);
    form->StartKnap->click();
    QCOMPARE(player->soundingName(), Three);
    QCOMPARE(player->stateOf(One), QAudio::StoppedState);
    QVERIFY(player->playedMicroseconds(One) < lengthOf(One));
}

QTEST_MAIN(tst_hornPlayback)
#include "tst_hornPlayback.moc"
