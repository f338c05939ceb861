// SPDX-License-Identifier: GPL-3.0-or-later
// The advert list editor of the setup dialog: showing its controls, adding
// through the file dialog, deleting and moving entries up.

#include "SetupFixture.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using Numbers = QList<int>;

namespace {

// Entries "/ads/1.bmp" to "/ads/<count>.bmp", those at the given positions selected.
void fillList(TForm2 &dialog, int count, const Numbers &select = {})
{
    for (int i = 1; i <= count; ++i)
        dialog.ListBox_reklamer->addItem(QStringLiteral("/ads/%1.bmp").arg(i));
    for (int position : select)
        dialog.ListBox_reklamer->item(position - 1)->setSelected(true);
}

// The entries by their numbers, all or only the selected ones.
Numbers entries(const TForm2 &dialog, bool selectedOnly = false)
{
    Numbers result;
    for (int i = 0; i < dialog.ListBox_reklamer->count(); ++i) {
        const QListWidgetItem *item = dialog.ListBox_reklamer->item(i);
        if (!selectedOnly || item->isSelected())
            result.append(QFileInfo(item->text()).baseName().toInt());
    }
    return result;
}

int shownAdvertControls(const TForm2 &dialog)
{
    int shown = 0;
    for (const char *name : {"Btn_vaelgFiler", "Lbl_reklamer", "ListBox_reklamer", "Btn_slet", "Btn_op"})
        shown += dialog.findChild<QWidget *>(QLatin1String(name))->isHidden() ? 0 : 1;
    return shown;
}

} // namespace

class tst_advertList : public QObject
{
    Q_OBJECT
private slots:
    void checkBoxShowsAndHides();
    void addThroughTheFileDialog();
    void deleteSelected_data();
    void deleteSelected();
    void moveUp_data();
    void moveUp();
    void moveUpByMouse();
    void deleteButtonLifecycle();
};

void tst_advertList::checkBoxShowsAndHides()
{
    SetupFixture fixture;
    TForm2 dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(shownAdvertControls(dialog), 0);

    QTest::mouseClick(dialog.CheckBox_visReklamer, Qt::LeftButton, {}, QPoint(5, 8));
    QVERIFY(dialog.CheckBox_visReklamer->isChecked());
    QCOMPARE(shownAdvertControls(dialog), 5);
    QCOMPARE(dialog.Height(), 384);
    QCOMPARE(dialog.Btn_ok->geometry(), QRect(464, 320, 71, 25));
    QVERIFY(!dialog.Btn_slet->isEnabled()); // the list is empty
    QVERIFY(dialog.rect().contains(dialog.Btn_slet->geometry()));

    fillList(dialog, 3);
    dialog.Btn_slet->setEnabled(true);
    dialog.CheckBox_visReklamer->click();
    QCOMPARE(shownAdvertControls(dialog), 0);
    QCOMPARE(dialog.Height(), 260);
    QCOMPARE(dialog.Btn_ok->geometry(), QRect(464, 200, 71, 25));
    QCOMPARE(entries(dialog), (Numbers{1, 2, 3}));
    QVERIFY(dialog.Btn_slet->isEnabled());
}

void tst_advertList::addThroughTheFileDialog()
{
    SetupFixture fixture;
    TForm2 dialog;
    dialog.CheckBox_visReklamer->click();
    dialog.show();
    dialog.ListBox_reklamer->addItem(u"/old/first.bmp"_qs);
    const QStringList three = {u"/ads/c.jpg"_qs, u"/ads/a.BMP"_qs, u"/ads/b.wmf"_qs};
    fixture.fileDialog.choose(three);
    fixture.fileDialog.cancel();
    fixture.fileDialog.choose({three[0]});
    for (int i = 0; i < 3; ++i)
        dialog.Btn_vaelgFiler->click();

    // Appended in the dialog's order, a duplicate included, nothing on cancel.
    QStringList texts;
    for (int i = 0; i < dialog.ListBox_reklamer->count(); ++i)
        texts.append(dialog.ListBox_reklamer->item(i)->text());
    QCOMPARE(texts, QStringList{u"/old/first.bmp"_qs} + three + QStringList{three[0]});
    QVERIFY(dialog.Btn_slet->isEnabled());
    QVERIFY(dialog.ListBox_reklamer->selectedItems().isEmpty());
    QCOMPARE(dialog.ListBox_reklamer->visualItemRect(dialog.ListBox_reklamer->item(1)).height(), 13);

    const OpenFileRequest &request = fixture.fileDialog.requests.front();
    QCOMPARE(request.title, u"Vælg grafik til reklamer"_qs);
    QVERIFY(request.multiSelect);
    QCOMPARE(request.parent, &dialog);
    QCOMPARE(request.startFolder, u"/opt/vantix/"_qs);
    QCOMPARE(request.filterIndex, 1);
    const QList<FileFilter> filters = {
        {u"(*.BMP)"_qs, {u"*.BMP"_qs}},
        {u"(*.JPG, *.JPEG*)"_qs, {u"*.JPG"_qs, u"*.JPEG"_qs}},
        {u"(*.WMF)"_qs, {u"*.WMF"_qs}},
        {u"(*.BMP, *.JPG,*.JPEG,*.WMF)"_qs, {u"*.BMP"_qs, u"*.JPG"_qs, u"*.JPEG"_qs, u"*.WMF"_qs}},
        {u"(Alle filer)"_qs, {u"*.*"_qs}},
    };
    QCOMPARE(request.filters, filters);
    QVERIFY(fixture.platform.messageBoxes.shown.isEmpty());
}

void tst_advertList::deleteSelected_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<Numbers>("select");
    QTest::addColumn<Numbers>("left");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("deleteEnabled");

    QTest::newRow("nothing selected") << 3 << Numbers{} << Numbers{1, 2, 3} << true << true;
    QTest::newRow("second and fourth of five") << 5 << Numbers{2, 4} << Numbers{1, 3, 5} << false << true;
    QTest::newRow("all") << 4 << Numbers{1, 2, 3, 4} << Numbers{} << false << false;
}

void tst_advertList::deleteSelected()
{
    QFETCH(int, count);
    QFETCH(Numbers, select);
    QFETCH(Numbers, left);
    QFETCH(bool, asked);
    QFETCH(bool, deleteEnabled);

    SetupFixture fixture;
    TForm2 dialog;
    fillList(dialog, count, select);
    dialog.Btn_slet->click();
    QCOMPARE(entries(dialog), left);
    QCOMPARE(dialog.Btn_slet->isEnabled(), deleteEnabled);
    const auto &shown = fixture.platform.messageBoxes.shown;
    QCOMPARE(shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(shown.front().text, u"Du skal vælge et eller flere billeder"_qs);
        QCOMPARE(shown.front().kind, MessageKind::Information);
    }
}

void tst_advertList::moveUp_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<Numbers>("select");
    QTest::addColumn<Numbers>("order");
    QTest::addColumn<Numbers>("selected");

    QTest::newRow("third of four") << 4 << Numbers{3} << Numbers{1, 3, 2, 4} << Numbers{3};
    QTest::newRow("second and third of four") << 4 << Numbers{2, 3} << Numbers{2, 3, 1, 4} << Numbers{2, 3};
    QTest::newRow("first two of three swap") << 3 << Numbers{1, 2} << Numbers{2, 1, 3} << Numbers{2, 1};
    QTest::newRow("first three of four rotate") << 4 << Numbers{1, 2, 3} << Numbers{2, 3, 1, 4} << Numbers{2, 3, 1};
    QTest::newRow("first alone stays") << 4 << Numbers{1} << Numbers{1, 2, 3, 4} << Numbers{1};
    QTest::newRow("nothing selected") << 4 << Numbers{} << Numbers{1, 2, 3, 4} << Numbers{};
    QTest::newRow("one entry") << 1 << Numbers{1} << Numbers{1} << Numbers{1};
    QTest::newRow("empty list") << 0 << Numbers{} << Numbers{} << Numbers{};
    QTest::newRow("two apart") << 5 << Numbers{2, 4} << Numbers{2, 1, 4, 3, 5} << Numbers{2, 4};
}

void tst_advertList::moveUp()
{
    QFETCH(int, count);
    QFETCH(Numbers, select);
    QFETCH(Numbers, order);
    QFETCH(Numbers, selected);

    SetupFixture fixture;
    TForm2 dialog;
    fillList(dialog, count, select);
    dialog.Btn_opClick();
    QCOMPARE(entries(dialog), order);
    QCOMPARE(entries(dialog, true), selected);
}

void tst_advertList::moveUpByMouse()
{
    SetupFixture fixture;
    TForm2 dialog;
    dialog.CheckBox_visReklamer->click();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    fillList(dialog, 5);
    // The fourth and fifth entries picked with a click and a shift-click.
    QListWidget *list = dialog.ListBox_reklamer;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, list->visualItemRect(list->item(4)).center());
    QTest::mouseClick(dialog.Btn_op, Qt::LeftButton);
    QTest::mouseClick(dialog.Btn_op, Qt::LeftButton);
    QCOMPARE(entries(dialog), (Numbers{1, 4, 5, 2, 3}));
    QCOMPARE(entries(dialog, true), (Numbers{4, 5}));
}

void tst_advertList::deleteButtonLifecycle()
{
    SetupFixture fixture;
    TForm2 dialog;
    QVERIFY(dialog.Btn_slet->isEnabled()); // at creation
    dialog.CheckBox_visReklamer->click();  // with the list empty
    QVERIFY(!dialog.Btn_slet->isEnabled());
    fixture.fileDialog.cancel();
    dialog.Btn_vaelgFiler->click();
    QVERIFY(!dialog.Btn_slet->isEnabled());
    fixture.fileDialog.choose({u"/ads/1.bmp"_qs});
    dialog.Btn_vaelgFiler->click();
    QVERIFY(dialog.Btn_slet->isEnabled());

    // The rotation drops an entry it cannot show: the button stays enabled
    // until it is pressed...
    delete dialog.ListBox_reklamer->takeItem(0);
    QVERIFY(dialog.Btn_slet->isEnabled());
    dialog.Btn_slet->click();
    QCOMPARE(fixture.platform.messageBoxes.texts(), QStringList{uVantixStrings::ChoosePicture});
    QVERIFY(!dialog.Btn_slet->isEnabled());

    // ...or the adverts box is clicked.
    fixture.fileDialog.choose({u"/ads/2.bmp"_qs});
    dialog.Btn_vaelgFiler->click();
    delete dialog.ListBox_reklamer->takeItem(0);
    dialog.CheckBox_visReklamer->click();
    QVERIFY(!dialog.Btn_slet->isEnabled());
}

QTEST_MAIN(tst_advertList)
#include "tst_advertList.moc"
