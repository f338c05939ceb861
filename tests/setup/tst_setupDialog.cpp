// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog: its layout, its keys and the OK button's checks.

#include "IniProfile.h"
#include "SetupFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using Numbers = QList<int>; // shooting, yellow, red, waves

namespace {
Numbers entered(const TForm2 &d)
{
    return {d.EnteredShootingTime, d.EnteredYellowTime, d.EnteredRedWaitingTime, d.EnteredNumberOfWaves};
}
const Numbers StartValues{120, 30, 20, 2};
} // namespace

class tst_setupDialog : public QObject
{
    Q_OBJECT
private slots:
    void window();
    void controls_data();
    void controls();
    void looks();
    void tabOrderStartsAtOk();
    void noDefaultAndNoCancel();
    void okChecks_data();
    void okChecks();
    void captionsShownAsWritten();
};

void tst_setupDialog::window()
{
    SetupFixture fixture;
    TForm2 dialog;
    QCOMPARE(dialog.windowTitle(), u" Fletchwise Vantix Setup"_qs);
    QVERIFY(dialog.isHidden());
    QVERIFY(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint);
    QCOMPARE(dialog.OpenDialog.InitialDir, fixture.platform.fileSystem.folder);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Outer sizes, the frame included, also once the window system has drawn one.
    QCOMPARE(dialog.frameGeometry(), QRect(288, 271, 551, 260));
    QCOMPARE(dialog.Btn_ok->geometry(), QRect(464, 200, 71, 25));
}

void tst_setupDialog::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shown");

    auto row = [](const char *name, QRect rect, const QString &text, bool shown = true) {
        QTest::newRow(name) << QString::fromLatin1(name) << rect << text << shown;
    };
    row("lblTournamentName", {38, 14, 98, 16}, u"Stævnets navn:"_qs);
    row("Staevnenavn", {147, 10, 168, 24}, QString());
    row("lblNumberOfWaves", {38, 47, 98, 16}, u"Antal hold:"_qs);
    row("AntalHold", {147, 41, 23, 24}, u"2"_qs);
    row("lblTotalShootingTime", {38, 75, 98, 16}, u"Total skydetid:"_qs);
    row("Skydetid", {147, 71, 38, 24}, u"120"_qs);
    row("lblSeconds", {188, 75, 58, 16}, u"Sekunder"_qs);
    row("lblMax", {264, 75, 57, 16}, u"(Max 240)"_qs);
    row("lblYellowShootingTime", {38, 105, 98, 16}, u"Gult Skydetid:"_qs);
    row("gul_tid", {147, 101, 38, 24}, u"30"_qs);
    row("lblSecondsYellow", {189, 105, 58, 16}, u"Sekunder"_qs);
    row("lblRedWaitingTime", {38, 136, 98, 16}, u"Rød ventetid:"_qs);
    row("edRedWatingTime", {147, 132, 38, 24}, u"20"_qs);
    row("lblSecondsRed", {189, 136, 58, 16}, u"Sekunder"_qs);
    row("lblCDPlayer", {38, 161, 98, 16}, u"CD afspiller:"_qs);
    row("CheckBox1", {147, 161, 15, 17}, QString());
    row("lblAdds", {38, 184, 98, 16}, u"Vis reklamer:"_qs);
    row("CheckBox_visReklamer", {147, 184, 12, 17}, QString());
    row("Lbl_reklamer", {8, 216, 62, 16}, u"Reklamer:"_qs, false);
    row("ListBox_reklamer", {8, 232, 465, 81}, QString(), false);
    row("Btn_op", {488, 232, 25, 25}, QString(), false);
    row("Btn_slet", {304, 320, 71, 25}, u"Slet"_qs, false);
    row("Btn_vaelgFiler", {384, 320, 71, 25}, u"Reklamer"_qs, false);
    row("Btn_ok", {464, 200, 71, 25}, u"OK"_qs);
}

void tst_setupDialog::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, shown);

    SetupFixture fixture;
    TForm2 dialog;
    auto *widget = dialog.findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(!widget->isHidden(), shown);
    auto *label = qobject_cast<QLabel *>(widget);
    if (label == nullptr) {
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->property("text").toString(), text);
        return;
    }
    QCOMPARE(label->text(), text);
    // A label keeps its aligned edge and widens only as far as its caption needs.
    const bool right = geometry.left() == 38;
    QCOMPARE(bool(label->alignment() & Qt::AlignRight), right);
    const int width = qMax(geometry.width(), label->fontMetrics().horizontalAdvance(text));
    QCOMPARE(label->geometry(), right ? geometry.adjusted(geometry.width() - width, 0, 0, 0)
                                      : QRect(geometry.topLeft(), QSize(width, geometry.height())));
}

void tst_setupDialog::looks()
{
    SetupFixture fixture;
    TForm2 dialog;
    QCOMPARE(dialog.font().family(), u"MS Sans Serif"_qs);
    QCOMPARE(dialog.Staevnenavn->font().pixelSize(), 13);
    for (QWidget *small : {static_cast<QWidget *>(dialog.Btn_ok), static_cast<QWidget *>(dialog.Btn_vaelgFiler),
                           static_cast<QWidget *>(dialog.ListBox_reklamer)})
        QCOMPARE(small->font().pixelSize(), 11);
    QCOMPARE(dialog.Btn_slet->palette().color(QPalette::ButtonText), QColor(Qt::black));
    // A disabled button must look disabled.
    QVERIFY(dialog.Btn_slet->palette().color(QPalette::Disabled, QPalette::ButtonText) != QColor(Qt::black));
    QCOMPARE(dialog.Btn_slet->toolTip(), u"Fjern reklamer"_qs);
    QCOMPARE(dialog.Btn_vaelgFiler->toolTip(), u"Tilføj reklamer"_qs);
    QVERIFY(!dialog.Btn_op->icon().isNull());
}

void tst_setupDialog::tabOrderStartsAtOk()
{
    SetupFixture fixture;
    TForm2 dialog;
    const QList<QWidget *> expected = {dialog.Btn_ok, dialog.Staevnenavn, dialog.AntalHold, dialog.Skydetid,
                                       dialog.gul_tid, dialog.CheckBox1, dialog.CheckBox_visReklamer,
                                       dialog.Btn_vaelgFiler, dialog.ListBox_reklamer, dialog.Btn_slet,
                                       dialog.edRedWatingTime};
    QList<QWidget *> chain;
    QWidget *widget = dialog.Btn_ok;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain.append(widget);
        widget = widget->nextInFocusChain();
    } while (widget != dialog.Btn_ok);
    QCOMPARE(chain, expected);

    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.Btn_ok);
    // Tab passes over the hidden advert controls.
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog.edRedWatingTime);
}

void tst_setupDialog::noDefaultAndNoCancel()
{
    SetupFixture fixture;
    TForm2 dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.Skydetid->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(dialog.Skydetid, key);
    QVERIFY(dialog.isVisible());
    QVERIFY(fixture.platform.messageBoxes.shown.isEmpty());

    // Enter on the focused OK button presses it, as a click would.
    dialog.Btn_ok->setFocus();
    QTest::keyClick(dialog.Btn_ok, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void tst_setupDialog::okChecks_data()
{
    QTest::addColumn<QStringList>("typed"); // waves, shooting, yellow, red
    QTest::addColumn<QString>("error");     // empty: accepted
    QTest::addColumn<Numbers>("stored");

    const QString numbers = u"Der skal være hele tal i felterne"_qs;
    const QString range = u"Den totale skydetid må ikke være mindre end gul tid\rRød tid må ikke være mindre end fem"_qs;
    auto row = [](const char *name, const char *typed, const QString &error, const Numbers &stored) {
        QTest::newRow(name) << QString::fromUtf8(typed).split(QLatin1Char('|')) << error << stored;
    };
    row("start entries", "2|120|30|20", {}, StartValues);
    row("other entries", "3|90|15|10", {}, {90, 15, 10, 3});
    row("shooting equals yellow", "2|30|30|20", {}, {30, 30, 20, 2});
    row("red five, zero waves, zero yellow", "0|120|0|5", {}, {120, 0, 5, 0});
    row("above the max label", "2|250|30|20", {}, {250, 30, 20, 2});
    row("top of range", "255|255|255|255", {}, {255, 255, 255, 255});
    row("hex and leading blanks", "x3| 0X5A|$1E|  $a", {}, {90, 30, 10, 3});
    row("shooting below yellow", "2|20|30|20", range, StartValues);
    row("red four", "2|120|30|4", range, StartValues);
    row("both range faults", "2|20|30|3", range, StartValues);
    row("shooting abc", "2|abc|30|20", numbers, StartValues);
    row("yellow abc", "2|100|abc|20", numbers, StartValues);
    row("waves empty", "|100|30|20", numbers, StartValues);
    row("trailing blank", "2|20 |10|20", numbers, StartValues);
    row("sign before hex", "2|90|-$1E|20", numbers, StartValues);
    row("shooting 300 does not wrap", "2|300|30|20", numbers, StartValues);
    row("red -1 does not wrap", "2|120|30|-1", numbers, StartValues);
    row("number fault before range fault", "2|20|30|x", numbers, StartValues);
}

void tst_setupDialog::okChecks()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, error);
    QFETCH(Numbers, stored);

    SetupFixture fixture;
    TForm2 dialog;
    dialog.show();
    dialog.Staevnenavn->setText(u"Forårsstævne"_qs);
    enterNumbers(dialog, typed[0], typed[1], typed[2], typed[3]);
    dialog.Btn_ok->click();

    QCOMPARE(entered(dialog), stored);
    QCOMPARE(dialog.EnteredTournamentName, u"Forårsstævne"_qs); // stored at every press
    QCOMPARE(dialog.isVisible(), !error.isEmpty());
    const auto &shown = fixture.platform.messageBoxes.shown;
    QCOMPARE(shown.size(), error.isEmpty() ? 0 : 1);
    if (!shown.isEmpty()) {
        QCOMPARE(shown.front().text, error);
        QCOMPARE(shown.front().kind, MessageKind::Error);
    }
    QCOMPARE(dialog.gul_tid->text(), typed[2]); // what was typed stays, refused or not
}

// A language-file text that looks like markup is shown as it is written.
void tst_setupDialog::captionsShownAsWritten()
{
    SetupFixture fixture;
    IniProfile profile;
    profile.parse("[Setup Window]\nTournamentName=<b>Navn:</b>\n");
    uVantixStrings::LoadTextsFromProfile(profile);
    TForm2 dialog;
    const QLabel *label = dialog.lblTournamentName;
    QCOMPARE(label->text(), u"<b>Navn:</b>"_qs);
    QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(label->text()));
}

QTEST_MAIN(tst_setupDialog)
#include "tst_setupDialog.moc"
