// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: start-up, its look when first shown, and its layout on resize.

#include "ClockProbe.h"
#include "uVantixStrings.h"

#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTest>

class tst_mainWindow : public QObject
{
    Q_OBJECT
private slots:
    void firstShown();
    void clockStartValues();
    void buttonsAndCaptions_data();
    void buttonsAndCaptions();
    void tabOrder();
    void counterFont();
    void fitCounterFont_data();
    void fitCounterFont();
    void widthAloneKeepsFontSize();
    void anchorsOnResize_data();
    void anchorsOnResize();
    void languageFileCaptions();
    void missingSoundFiles_data();
    void missingSoundFiles();
};

void tst_mainWindow::firstShown()
{
    TestPlatform platform;
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("FletchWise "));
    QCOMPARE(form.size(), QSize(644, 485));
    const Screen s = screenOf(form);
    QVERIFY(!s.counterVisible);
    QCOMPARE(s.counter, QStringLiteral("20"));
    QCOMPARE(s.colour, clRed);
    QCOMPARE(s.alignment, Qt::AlignRight);
    QCOMPARE(s.startCaption, QStringLiteral("Start"));
    QCOMPARE(s.buttons, (QStringList{QStringLiteral("SetupKnap"), QStringLiteral("OmKnap")}));
    QVERIFY(!s.timerRunning);
    QCOMPARE(form.Timer1->Interval(), 988);
    QVERIFY(form.Billede->isVisible());
    QVERIFY(form.Billede->Picture().isNull());
    QCOMPARE(form.Billede->geometry(), QRect(0, 0, 644, 430));
    QCOMPARE(form.SekunderTilbage->geometry(), QRect(0, 0, 644, 430));
    QCOMPARE(form.Panel1->geometry(), QRect(0, 430, 644, 55));
    QVERIFY(platform.messageBoxes.shown.isEmpty());
    QVERIFY(platform.sound.played.isEmpty());

    // The area above the buttons is plain black, the counter being hidden.
    const QImage shot = form.grab().toImage();
    QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() / 3), QColor(Qt::black));
}

void tst_mainWindow::clockStartValues()
{
    TestPlatform platform;
    TForm1 form;
    QCOMPARE(form.SecondsLeft, std::uint8_t(20));
    QCOMPARE(form.ShootingTime, std::uint8_t(120));
    QCOMPARE(form.YellowTime, std::uint8_t(30));
    QCOMPARE(form.RedTime, std::uint8_t(20));
    QCOMPARE(form.WavesLeft, std::uint8_t(2));
    QCOMPARE(form.NumberOfWaves, std::uint8_t(2));
    QCOMPARE(form.Phase, 0);
    QVERIFY(!form.AddsOn);
    QCOMPARE(form.AddCount, 0);
    QCOMPARE(form.AddIndex, 0);
    QVERIFY(form.StartCaptionBefore.isEmpty());
    QVERIFY(form.AddFileName.isEmpty());
    QCOMPARE(form.ProgramFolder, platform.fileSystem.folder);
}

void tst_mainWindow::buttonsAndCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("StartKnap") << "StartKnap" << QRect(16, 28, 89, 22) << "Start";
    QTest::newRow("Afbryd_TidKnap") << "Afbryd_TidKnap" << QRect(112, 28, 89, 22) << "Afbryd Tid";
    QTest::newRow("nulstilleknap") << "nulstilleknap" << QRect(224, 28, 89, 22) << "Nulstil timer";
    QTest::newRow("nulstilholdknap") << "nulstilholdknap" << QRect(224, 4, 89, 22) << "Nulstil hold";
    QTest::newRow("SetupKnap") << "SetupKnap" << QRect(320, 28, 89, 22) << "Setup";
    QTest::newRow("OmKnap") << "OmKnap" << QRect(416, 28, 89, 22) << "Om";
    QTest::newRow("AfslutKnap") << "AfslutKnap" << QRect(544, 28, 89, 22) << "Afslut";
}

static QPushButton *buttonNamed(TForm1 &form, const QString &name)
{
    const std::pair<QPushButton *, const char *> named[] = {
        {form.StartKnap, "StartKnap"}, {form.Afbryd_TidKnap, "Afbryd_TidKnap"},
        {form.nulstilleknap, "nulstilleknap"}, {form.nulstilholdknap, "nulstilholdknap"},
        {form.SetupKnap, "SetupKnap"}, {form.OmKnap, "OmKnap"}, {form.AfslutKnap, "AfslutKnap"}};
    for (const auto &[button, buttonName] : named) {
        if (name == QLatin1String(buttonName))
            return button;
    }
    return nullptr;
}

void tst_mainWindow::buttonsAndCaptions()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    TestPlatform platform;
    TForm1 form;
    QPushButton *button = buttonNamed(form, name);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), form.Panel1);
    QCOMPARE(button->geometry(), geometry);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->font().pixelSize(), 11);
    QVERIFY(!button->font().bold());
    QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(Qt::black));
}

void tst_mainWindow::tabOrder()
{
    TestPlatform platform;
    TForm1 form;
    QList<QWidget *> order;
    QWidget *w = form.StartKnap;
    for (int i = 0; i < 7; ++i) {
        order.append(w);
        w = w->nextInFocusChain();
        while (qobject_cast<QPushButton *>(w) == nullptr && w != form.StartKnap)
            w = w->nextInFocusChain();
    }
    const QList<QWidget *> expected{form.StartKnap, form.Afbryd_TidKnap, form.nulstilleknap,
                                    form.nulstilholdknap, form.SetupKnap, form.OmKnap, form.AfslutKnap};
    QCOMPARE(order, expected);
}

void tst_mainWindow::counterFont()
{
    TestPlatform platform;
    TForm1 form;
    const QFont font = form.SekunderTilbage->font();
    QVERIFY(font.bold());
    QCOMPARE(font.family(), QStringLiteral("Arial Narrow"));
    // The narrow metric twin must be what actually draws the digits.
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans Narrow"));
    QCOMPARE(form.SekunderTilbage->palette().color(QPalette::Window), QColor(Qt::black));
}

void tst_mainWindow::fitCounterFont_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("size");
    QTest::newRow("design size") << 485 << 273;
    QTest::newRow("768") << 768 << 462;
    QTest::newRow("1000") << 1000 << 616;
    QTest::newRow("77") << 77 << 1;
    QTest::newRow("76") << 76 << 0;
    QTest::newRow("60") << 60 << -10;
    QTest::newRow("2160") << 2160 << 1390;
}

void tst_mainWindow::fitCounterFont()
{
    QFETCH(int, height);
    QFETCH(int, size);
    TestPlatform platform;
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(644, height);
    QTRY_COMPARE(form.height(), height);
    QCOMPARE(form.CounterFontSize(), size);
    QCOMPARE(form.SekunderTilbage->font().pointSize(), qMax(1, size));
    form.SekunderTilbage->show();
    QVERIFY(!form.grab().isNull()); // a tiny window still draws
}

void tst_mainWindow::widthAloneKeepsFontSize()
{
    TestPlatform platform;
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.CounterFontSize(), 273);
    form.resize(1200, 485);
    QTRY_COMPARE(form.width(), 1200);
    QCOMPARE(form.CounterFontSize(), 273);
}

void tst_mainWindow::anchorsOnResize_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("wider") << 1000;
    QTest::newRow("narrower") << 500;
}

void tst_mainWindow::anchorsOnResize()
{
    QFETCH(int, width);
    TestPlatform platform;
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(width, 700);
    QTRY_COMPARE(form.size(), QSize(width, 700));
    const int shift = width - 644;
    QCOMPARE(form.Panel1->geometry(), QRect(0, 645, width, 55));
    QCOMPARE(form.SekunderTilbage->geometry(), QRect(0, 0, width, 645));
    QCOMPARE(form.StartKnap->pos(), QPoint(16, 28));
    QCOMPARE(form.nulstilholdknap->pos(), QPoint(224, 4));
    QCOMPARE(form.SetupKnap->pos(), QPoint(320 + shift, 28));
    QCOMPARE(form.OmKnap->pos(), QPoint(416 + shift, 28));
    QCOMPARE(form.AfslutKnap->pos(), QPoint(544 + shift, 28));
}

void tst_mainWindow::languageFileCaptions()
{
    QTemporaryDir dir;
    QFile file(dir.path() + QStringLiteral("/vantix.lng"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Main Window]\nExitButton=Quit\nAboutButton=\n");
    file.close();
    TestPlatform platform;
    platform.fileSystem.folder = dir.path() + QLatin1Char('/');
    platform.fileSystem.addHornFiles();
    platform.fileSystem.files.insert(file.fileName());
    TForm1 form;
    QCOMPARE(form.AfslutKnap->text(), QStringLiteral("Quit"));
    QCOMPARE(form.OmKnap->text(), QString());
    QCOMPARE(form.StartKnap->text(), QStringLiteral("Start"));
    QCOMPARE(form.Afbryd_TidKnap->text(), QStringLiteral("Stop Time"));
}

void tst_mainWindow::missingSoundFiles_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("reported");
    const QString one = QStringLiteral("1dyt.wav");
    const QString two = QStringLiteral("2dyt.wav");
    const QString three = QStringLiteral("3dyt.wav");
    QTest::newRow("none missing") << QStringList{one, two, three} << QStringList{};
    QTest::newRow("second missing") << QStringList{one, three} << QStringList{two};
    QTest::newRow("all missing") << QStringList{} << QStringList{one, two, three};
}

void tst_mainWindow::missingSoundFiles()
{
    QFETCH(QStringList, present);
    QFETCH(QStringList, reported);
    TestPlatform platform;
    platform.fileSystem.files.clear();
    for (const QString &name : present)
        platform.fileSystem.files.insert(platform.fileSystem.folder + name);
    TForm1 form;
    QCOMPARE(platform.messageBoxes.shown.size(), reported.size());
    for (int i = 0; i < reported.size(); ++i) {
        QCOMPARE(platform.messageBoxes.shown[i].kind, MessageKind::Information);
        QCOMPARE(platform.messageBoxes.shown[i].text,
                 QString::fromUtf8("Kunne ikke finde:  ") + reported[i]
                     + QString::fromUtf8("\rApplikationen kører videre men uden denne lyd"));
    }
    // The captions were set before the first box, and start-up went on after the last.
    QCOMPARE(form.AfslutKnap->text(), QStringLiteral("Afslut"));
    QCOMPARE(form.SecondsLeft, std::uint8_t(20));
}

QTEST_MAIN(tst_mainWindow)
#include "tst_mainWindow.moc"
