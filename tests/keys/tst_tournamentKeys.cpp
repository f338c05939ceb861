// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keys: each presses its button, as a click would, only in
// the states where a mistaken press costs the archers no shooting time, and
// never while another window is in front.

#include "ClockProbe.h"
#include "KeyControl.h"
#include "TournamentKeys.h"

#include <QDialog>
#include <QTest>

class tst_tournamentKeys : public QObject
{
    Q_OBJECT
private slots:
    void keyPressesButton_data();
    void keyPressesButton();
};

void tst_tournamentKeys::keyPressesButton_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("pressed");
    const QString start = QStringLiteral("StartKnap"), stop = QStringLiteral("Afbryd_TidKnap"),
                  resetWave = QStringLiteral("nulstilholdknap"), resetTimer = QStringLiteral("nulstilleknap");
    const struct
    {
        const char *state;
        QKeySequence key;
        QString pressed;
    } rows[] = {
        {"ready", Qt::Key_PageDown, start},
        {"ready", Qt::Key_S, start},
        {"ready", Qt::Key_F5, start},
        {"ready", Qt::SHIFT | Qt::Key_F5, start},
        {"ready", Qt::Key_Escape, {}},
        {"ready", Qt::Key_B, {}},
        {"ready", Qt::Key_Delete, {}},
        {"running", Qt::Key_PageDown, {}},
        {"running", Qt::Key_S, {}},
        {"running", Qt::Key_F5, {}},
        {"running", Qt::Key_PageUp, {}},
        {"running", Qt::Key_Escape, stop},
        {"running", Qt::Key_B, stop},
        {"running", Qt::Key_Period, stop},
        {"stopped", Qt::Key_PageDown, {}},
        {"stopped", Qt::Key_Escape, {}},
        {"stopped", Qt::Key_F5, start},
        {"stopped", Qt::Key_PageUp, resetWave},
        {"stopped", Qt::Key_W, resetWave},
        {"stopped", Qt::Key_Delete, resetTimer},
        {"stopped", Qt::Key_R, {}},
        {"stopped, resume shown", Qt::Key_R, QStringLiteral("ResumeKnap")},
        {"stopped, resume shown", Qt::Key_PageDown, {}},
        {"wave given back", Qt::Key_PageDown, start},
        {"ready, dialog open", Qt::Key_PageDown, {}},
        {"ready, space on focused", Qt::Key_Space, start},
    };
    for (const auto &row : rows)
        QTest::addRow("%s, %s", row.state, qPrintable(row.key.toString())) << row.state << row.key << row.pressed;
}

void tst_tournamentKeys::keyPressesButton()
{
    QFETCH(QString, state);
    QFETCH(QKeySequence, key);
    QFETCH(QString, pressed);
    TestPlatform platform;
    TForm1 form;
    // Resume as the emergency stop option makes it: in the button row,
    // showing only in the stopped state.
    form.ResumeKnap = new QPushButton(QStringLiteral("Resume"), form.Panel1);
    form.ResumeKnap->hide();
    KeyControl keys(&form);
    AddTournamentKeys(keys, form);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    if (state != QLatin1String("ready") && !state.startsWith(QLatin1String("ready,")))
        form.StartKnap->click();
    if (state.startsWith(QLatin1String("stopped")) || state == QLatin1String("wave given back"))
        form.Afbryd_TidKnap->click();
    form.ResumeKnap->setVisible(state == QLatin1String("stopped, resume shown"));
    if (state == QLatin1String("wave given back"))
        form.nulstilholdknap->click();
    QDialog dialog(&form);
    if (state.contains(QLatin1String("dialog"))) {
        dialog.setModal(true);
        dialog.show();
    }
    form.StartKnap->setFocus();

    QStringList clicked;
    const std::pair<QPushButton *, QString> named[] = {
        {form.StartKnap, QStringLiteral("StartKnap")}, {form.Afbryd_TidKnap, QStringLiteral("Afbryd_TidKnap")},
        {form.nulstilholdknap, QStringLiteral("nulstilholdknap")}, {form.nulstilleknap, QStringLiteral("nulstilleknap")},
        {form.ResumeKnap, QStringLiteral("ResumeKnap")}};
    for (const auto &[button, name] : named)
        connect(button, &QPushButton::clicked, &form, [&clicked, name] { clicked << name; });

    const Screen before = screenOf(form);
    // The key goes where the timekeeper's keys go: to the focused button.
    QTest::keyClick(form.StartKnap, Qt::Key(key[0].key()), key[0].keyboardModifiers());
    QCOMPARE(clicked, pressed.isEmpty() ? QStringList() : QStringList{pressed});
    // A key that acts on nothing leaves the window as it was.
    if (pressed.isEmpty()) {
        QCOMPARE(screenOf(form).counter, before.counter);
        QCOMPARE(screenOf(form).buttons, before.buttons);
    }
    form.Timer1->SetEnabled(false);
}

QTEST_MAIN(tst_tournamentKeys)
#include "tst_tournamentKeys.moc"
