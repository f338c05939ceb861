// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the setup dialog hands its settings to the main window: the title,
// the clock's times and waves, the CD option and the advert rotation.

#include "SetupFixture.h"
#include "TImage.h"
#include "Unit1.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using Numbers = QList<int>; // shooting, yellow, red, waves left, waves

namespace {

// The main window with its setup dialog, as the program starts them.
class Program
{
public:
    SetupFixture fixture;
    TForm1 form;
    TForm2 *dialog;

    Program() : dialog(new TForm2(&form))
    {
        form.AttachSetupDialog(dialog);
        form.show();
    }

    // Presses Setup; whileOpen runs inside the dialog's modal loop. The
    // dialog is closed by its close box if whileOpen left it open.
    void setup(const std::function<void()> &whileOpen)
    {
        QTimer::singleShot(0, dialog, [&] {
            opened = dialog->isVisible();
            whileOpen();
            if (dialog->isVisible())
                dialog->close();
        });
        form.SetupKnap->click();
    }
    void pressOk() { QTest::mouseClick(dialog->Btn_ok, Qt::LeftButton); }
    Numbers clock() const
    {
        return {form.ShootingTime, form.YellowTime, form.RedTime, form.WavesLeft, form.NumberOfWaves};
    }
    QStringList boxes() const { return fixture.platform.messageBoxes.texts(); }
    bool opened = false;
};

} // namespace

class tst_applySettings : public QObject
{
    Q_OBJECT
private slots:
    void okAppliesSettings();
    void closeBoxAtFirstOpeningKeepsStartValues();
    void closeBoxAfterRefusedPressKeepsAcceptedSettings();
    void cdOptionWithoutPlayer();
    void advertsOffAreStillCounted();
    void advertsOnShowFirstPicture();
};

void tst_applySettings::okAppliesSettings()
{
    Program program;
    program.form.SecondsLeft = 77;
    program.setup([&] {
        program.dialog->Staevnenavn->setText(u"Forårsstævne"_qs);
        enterNumbers(*program.dialog, u"3"_qs, u"90"_qs, u"15"_qs, u"10"_qs);
        program.pressOk();
    });
    QVERIFY(program.opened);
    QVERIFY(!program.dialog->isVisible());
    QCOMPARE(program.form.windowTitle(), u"FletchWise - Forårsstævne"_qs);
    QCOMPARE(program.clock(), (Numbers{90, 15, 10, 3, 3}));
    QCOMPARE(program.form.SecondsLeft, std::uint8_t(77)); // loaded only when a wave starts
    QVERIFY(program.boxes().isEmpty());
}

void tst_applySettings::closeBoxAtFirstOpeningKeepsStartValues()
{
    Program program;
    program.form.ShootingTime = 99;
    program.setup([] {});
    // The dialog's start values, never zeros.
    QCOMPARE(program.clock(), (Numbers{120, 30, 20, 2, 2}));
    QCOMPARE(program.form.windowTitle(), u"FletchWise - "_qs);
    QVERIFY(program.boxes().isEmpty());
}

void tst_applySettings::closeBoxAfterRefusedPressKeepsAcceptedSettings()
{
    Program program;
    program.setup([&] {
        enterNumbers(*program.dialog, u"4"_qs, u"100"_qs, u"20"_qs, u"10"_qs);
        program.pressOk();
    });
    bool openAfterRefusals = false;
    program.setup([&] {
        program.dialog->Staevnenavn->setText(u"Indendørs"_qs);
        program.dialog->CheckBox_visReklamer->click();
        enterNumbers(*program.dialog, u"6"_qs, u"100"_qs, u"20"_qs, u"3"_qs);
        program.pressOk();
        enterNumbers(*program.dialog, u"6"_qs, u"300"_qs, u"20"_qs, u"10"_qs);
        program.pressOk();
        openAfterRefusals = program.dialog->isVisible();
    });
    QVERIFY(openAfterRefusals);
    QCOMPARE(program.boxes(), (QStringList{rangeErrorText(), uVantixStrings::WholeNumbers}));
    // Neither the red time of 3, nor 300 seconds taken as 44, nor the waves
    // typed beside them reach the clock...
    QCOMPARE(program.clock(), (Numbers{100, 20, 10, 4, 4}));
    // ...while the name and the other steps still apply on the close box.
    QCOMPARE(program.form.windowTitle(), u"FletchWise - Indendørs"_qs);
    QVERIFY(program.form.AddsOn);
}

void tst_applySettings::cdOptionWithoutPlayer()
{
    Program program;
    program.setup([&] {
        program.dialog->CheckBox1->click();
        program.pressOk();
    });
    const auto &shown = program.fixture.platform.messageBoxes.shown;
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.front().text, u"Der er ingen cd i drevet, eller der er ingen cd-drev"_qs);
    QCOMPARE(shown.front().kind, MessageKind::Error);
    QVERIFY(!program.dialog->CheckBox1->isChecked());
    QCOMPARE(program.clock(), (Numbers{120, 30, 20, 2, 2}));

    program.form.AddIndex = 5;
    program.setup([&] { program.pressOk(); });
    QCOMPARE(shown.size(), 1); // unchecked now: no second box
    QCOMPARE(program.form.AddIndex, 0);
}

void tst_applySettings::advertsOffAreStillCounted()
{
    Program program;
    program.dialog->ListBox_reklamer->addItems({u"/ads/a.bmp"_qs, u"/ads/b.bmp"_qs});
    program.form.AddsOn = true;
    program.form.AddIndex = 1;
    program.setup([&] { program.pressOk(); });
    QVERIFY(!program.form.AddsOn);
    QCOMPARE(program.form.AddCount, 2);
    QCOMPARE(program.form.AddIndex, 0);
    QVERIFY(program.form.AddFileName.isEmpty()); // nothing was shown
}

void tst_applySettings::advertsOnShowFirstPicture()
{
    QTemporaryDir folder;
    QStringList pictures;
    for (const QColor &colour : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::green)}) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        pictures.append(folder.filePath(colour.name().mid(1) + u".bmp"_qs));
        QVERIFY(image.save(pictures.back(), "BMP"));
    }

    Program program;
    program.fixture.fileDialog.choose(pictures);
    program.setup([&] {
        program.dialog->CheckBox_visReklamer->click();
        program.dialog->Btn_vaelgFiler->click();
        program.pressOk();
    });
    QVERIFY(program.form.AddsOn);
    QCOMPARE(program.form.AddCount, 3);
    QCOMPARE(program.form.AddFileName, pictures.at(0));
    QCOMPARE(program.form.AddIndex, 1); // the rotation moved on past the first
    QCOMPARE(program.form.Billede->Picture().pixelColor(5, 5), QColor(Qt::red));

    // Each close starts again at the first entry, here the one just moved up.
    program.setup([&] {
        program.dialog->ListBox_reklamer->item(1)->setSelected(true);
        program.dialog->Btn_op->click();
        program.pressOk();
    });
    QCOMPARE(program.form.AddFileName, pictures.at(1));
    QCOMPARE(program.form.Billede->Picture().pixelColor(5, 5), QColor(Qt::blue));
    QVERIFY(program.boxes().isEmpty());
}

QTEST_MAIN(tst_applySettings)
#include "tst_applySettings.moc"
