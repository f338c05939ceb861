// SPDX-License-Identifier: GPL-3.0-or-later
// Many ends in a row, with settings changed between them, adverts that partly
// fail and the stop and reset buttons pressed now and then: afterwards the
// clock is back on its ready screen as the rules say, and nothing has piled up.

#include "SoakRun.h"

#include <QTest>

class tst_soak : public QObject
{
    Q_OBJECT
private slots:
    void threeHundredEnds();
};

void tst_soak::threeHundredEnds()
{
    SoakRun soak;
    soak.start();
    qsizetype childrenAtFifty = 0;
    soak.afterEnd = [&](long end) {
        if (end == 50)
            childrenAtFifty = soak.form->findChildren<QObject *>().size();
    };
    soak.runUntil(300);

    TForm1 &form = *soak.form;
    QCOMPARE(soak.ends, 300L);
    QVERIFY(soak.onReadyScreen());
    QVERIFY(soak.setupClosings > 30);
    QVERIFY(soak.stops > 0);

    // The ready screen's state.
    QCOMPARE(form.WavesLeft, form.NumberOfWaves);
    QCOMPARE(form.SecondsLeft, form.RedTime);
    QCOMPARE(form.StartKnap->text(), uVantixStrings::StartButtonStart);
    QVERIFY(form.Afbryd_TidKnap->isHidden());
    QVERIFY(form.nulstilleknap->isHidden());
    QVERIFY(form.nulstilholdknap->isHidden());
    QVERIFY(!form.Billede->isHidden());
    QVERIFY(!form.Billede->Picture().isNull());

    // Every failing picture was reported once and dropped; the good ones stay, in order.
    QListWidget *list = soak.dialog->ListBox_reklamer;
    QStringList remaining;
    for (int i = 0; i < list->count(); ++i)
        remaining.append(list->item(i)->text());
    const qsizetype failingLeft = remaining.size() - soak.goodPictures.size();
    QVERIFY(failingLeft >= 0 && failingLeft <= 2);
    QCOMPARE(remaining.mid(0, soak.goodPictures.size()), soak.goodPictures);
    QCOMPARE(soak.messages.warnings, soak.failingAdded - failingLeft);
    QCOMPARE(soak.messages.others, 0L);
    QCOMPARE(form.AddCount, list->count());
    QVERIFY(form.AddIndex >= 0 && form.AddIndex < form.AddCount);

    // Three blasts end every end but those abandoned with reset timer; every end
    // called at least one wave.
    QCOMPARE(soak.sound.counts[QStringLiteral("3dyt.wav")], 300 - soak.resetTimers);
    QVERIFY(soak.sound.counts[QStringLiteral("2dyt.wav")] >= 300);

    // Nothing was created and left behind by all those ends.
    QCOMPARE(form.findChildren<QObject *>().size(), childrenAtFifty);
}

QTEST_MAIN(tst_soak)
#include "tst_soak.moc"
