// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keys: each presses its button, as a click would, only in
// the states where a mistaken press costs the archers no shooting time, and
// never while another window is in front.

#include "ClockProbe.h"
#include "KeyControl.h"
#include "TournamentKeys.h"

#include <QApplication>
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
    QTest::addColumn<QString>("focused"); // the button with the focus as the state is reached
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("pressed");
    const QString start = QStringLiteral("StartKnap"), stop = QStringLiteral("Afbryd_TidKnap"),
                  resetWave = QStringLiteral("nulstilholdknap"), resetTimer = QStringLiteral("nulstilleknap");
    const struct
    {
        const char *state;
        QKeySequence key;
        QString pressed;
        QString focused = QStringLiteral("StartKnap");
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
        // Space goes to the button with the focus, or to the window when the
        // handler that made the state hid that button: it never reaches
        // Exit, nor the next wave while one runs.
        {"stopped", Qt::Key_Space, start},
        {"running", Qt::Key_Space, {}},
        {"running", Qt::Key_Space, {}, QStringLiteral("SetupKnap")},
        {"stopped", Qt::Key_Space, {}, stop},
        {"wave given back", Qt::Key_Space, {}, resetWave},
        {"abandoned", Qt::Key_Space, {}, resetTimer},
    };
    for (const auto &row : rows)
        QTest::addRow("%s, %s on %s", row.state, qPrintable(row.key.toString()), qPrintable(row.focused))
            << row.state << row.focused << row.key << row.pressed;
}

void tst_tournamentKeys::keyPressesButton()
{
    QFETCH(QString, state);
    QFETCH(QString, focused);
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

    const std::pair<QPushButton *, QString> named[] = {
        {form.StartKnap, QStringLiteral("StartKnap")}, {form.Afbryd_TidKnap, QStringLiteral("Afbryd_TidKnap")},
        {form.nulstilholdknap, QStringLiteral("nulstilholdknap")}, {form.nulstilleknap, QStringLiteral("nulstilleknap")},
        {form.ResumeKnap, QStringLiteral("ResumeKnap")}, {form.SetupKnap, QStringLiteral("SetupKnap")},
        {form.OmKnap, QStringLiteral("OmKnap")}, {form.AfslutKnap, QStringLiteral("AfslutKnap")}};
    // The clicks that make the state, the last one with the focus on the
    // row's button, as a timekeeper's click or key leaves it.
    QList<QPushButton *> steps;
    if (state != QLatin1String("ready") && !state.startsWith(QLatin1String("ready,")))
        steps << form.StartKnap;
    if (state.startsWith(QLatin1String("stopped")) || state == QLatin1String("wave given back")
        || state == QLatin1String("abandoned"))
        steps << form.Afbryd_TidKnap;
    if (state == QLatin1String("wave given back"))
        steps << form.nulstilholdknap;
    if (state == QLatin1String("abandoned"))
        steps << form.nulstilleknap;
    const auto found = std::find_if(std::begin(named), std::end(named), [&](const auto &n) { return n.second == focused; });
    QVERIFY(found != std::end(named));
    QPushButton *focusedButton = found->first;
    for (QPushButton *step : steps) {
        if (step == steps.last())
            focusedButton->setFocus();
        step->click();
    }
    if (steps.isEmpty())
        focusedButton->setFocus();
    form.ResumeKnap->setVisible(state == QLatin1String("stopped, resume shown"));
    QDialog dialog(&form);
    if (state.contains(QLatin1String("dialog"))) {
        dialog.setModal(true);
        dialog.show();
    }

    QStringList clicked;
    for (const auto &[button, name] : named)
        connect(button, &QPushButton::clicked, &form, [&clicked, name] { clicked << name; });

    const Screen before = screenOf(form);
    // The key goes where the timekeeper's keys go: to the focused widget.
    QWidget *keyTarget = dialog.isVisible() ? form.StartKnap : QApplication::focusWidget();
    QVERIFY(keyTarget != nullptr);
    QTest::keyClick(keyTarget, Qt::Key(key[0].key()), key[0].keyboardModifiers());
    QCOMPARE(clicked, pressed.isEmpty() ? QStringList() : QStringList{pressed});
    QVERIFY(form.isVisible());
    // A key that acts on nothing leaves the window as it was.
    if (pressed.isEmpty()) {
        QCOMPARE(screenOf(form).counter, before.counter);
        QCOMPARE(screenOf(form).buttons, before.buttons);
    }
    form.Timer1->SetEnabled(false);
}

QTEST_MAIN(tst_tournamentKeys)
#include "tst_tournamentKeys.moc"
