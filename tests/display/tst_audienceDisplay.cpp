// SPDX-License-Identifier: GPL-3.0-or-later
// The audience display on the second of two screens: laid out to fill the
// screen, opened from the command line, driven by the keys, and closed and
// brought back as the projector is unplugged and plugged in again while the
// clock runs on.

#include "AudienceDisplay.h"
#include "AudienceScreens.h"
#include "AudienceSetup.h"
#include "ClockProbe.h"
#include "CommandLine.h"
#include "FinalsMode.h"
#include "FinalsPage.h"
#include "FinalsSetup.h"
#include "FinalsView.h"
#include "ScreenPainter.h"
#include "ScreensPage.h"
#include "RoundsPage.h"
#include "TournamentRules.h"
#include "Unit2.h"
#include "uVantixStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QScreen>
#include <QTest>
#include <qpa/qplatformnativeinterface.h>

namespace {

// Where the counter's colour shows in a grab, and how many pixels are
// neither black nor of that colour (a button, a frame, a title).
struct Ink
{
    QRect box;
    int pixels = 0;
    int foreign = 0;
};

Ink inkOf(const QImage &grab)
{
    const QImage image = grab.convertToFormat(QImage::Format_RGB32);
    int left = image.width(), top = image.height(), right = -1, bottom = -1, pixels = 0, foreign = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            if (r > 128 && g < 60 && b < 60) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
                ++pixels;
            } else if (g > 40 || b > 40) {
                ++foreign;
            }
        }
    }
    return {QRect(QPoint(left, top), QPoint(right, bottom)), pixels, foreign};
}

// The offscreen platform's screens, as plugged in now.
void plugScreens(const QStringList &names)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    using Get = QJsonObject (*)(QPlatformNativeInterface *);
    using Set = void (*)(const QJsonObject &, QPlatformNativeInterface *);
    auto get = reinterpret_cast<Get>(native->nativeResourceForIntegration("configuration"));
    auto set = reinterpret_cast<Set>(native->nativeResourceForIntegration("setConfiguration"));
    QVERIFY(get != nullptr && set != nullptr);
    QJsonObject configuration = get(native);
    const QJsonObject all[] = {
        {{"name", "Console"}, {"x", 0}, {"y", 0}, {"width", 1024}, {"height", 768}},
        {{"name", "Projector"}, {"x", 1024}, {"y", 0}, {"width", 1280}, {"height", 720}},
    };
    QJsonArray screens;
    for (const QJsonObject &screen : all) {
        if (names.contains(screen["name"].toString()))
            screens.append(screen);
    }
    configuration["screens"] = screens;
    set(configuration, native);
}

// The colours of one side of the finals clocks in a grab: the shooting
// side's green, the waiting side's dimmed red, and any red at full strength.
struct Shades
{
    int green = 0;
    int dimRed = 0;
    int brightRed = 0;
};

Shades shadesIn(const QImage &grab, const QRect &part)
{
    const QImage image = grab.copy(part).convertToFormat(QImage::Format_RGB32);
    Shades shades;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            shades.green += g > 100 && r < 40 && b < 40;
            shades.dimRed += r > 50 && r < 110 && g < 25 && b < 25;
            shades.brightRed += r > 180 && g < 60 && b < 60;
        }
    }
    return shades;
}

// The side that shoots shows green and no red; the other only dimmed red.
QString finalsSidesWrong(const QImage &grab, bool leftShoots)
{
    const QRect left(0, 0, grab.width() / 2, grab.height());
    const QRect right(grab.width() / 2, 0, grab.width() - grab.width() / 2, grab.height());
    const Shades shooting = shadesIn(grab, leftShoots ? left : right);
    const Shades waiting = shadesIn(grab, leftShoots ? right : left);
    const int enough = left.width() * left.height() / 100;
    if (shooting.green > enough && shooting.brightRed == 0 && waiting.dimRed > enough && waiting.green == 0
        && waiting.brightRed == 0)
        return {};
    return QStringLiteral("shooting: green %1, red %2; waiting: dimmed red %3, green %4, red %5")
        .arg(shooting.green)
        .arg(shooting.brightRed)
        .arg(waiting.dimRed)
        .arg(waiting.green)
        .arg(waiting.brightRed);
}

void saveShot(const QImage &image, const char *name)
{
    const QString folder = qEnvironmentVariable("VANTIX_SCREENSHOTS");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(QLatin1String(name)));
}

} // namespace

class tst_audienceDisplay : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void projectorFromCommandLine();
    void finalsOnBothScreens();
    void readyScreenShowsTheExtras_data();
    void readyScreenShowsTheExtras();
    void neverOverTheConsole_data();
    void neverOverTheConsole();
};

void tst_audienceDisplay::layout_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("mainWindow");
    QTest::newRow("4K, three digits") << QSize(3840, 2160) << "120" << false << "" << "" << false;
    QTest::newRow("4K, one digit, detail, end") << QSize(3840, 2160) << "7" << false << "AB" << "10" << false;
    QTest::newRow("projector, judges' sign, detail") << QSize(1280, 720) << "T.K" << true << "CD" << "" << false;
    QTest::newRow("4:3, three digits, detail, end") << QSize(1024, 768) << "240" << false << "ABCD" << "P1" << false;
    QTest::newRow("portrait, digits, end") << QSize(768, 1024) << "120" << false << "" << "12" << false;
    QTest::newRow("main window, digits, detail, end") << QSize(644, 485) << "120" << false << "AB" << "3" << true;
    QTest::newRow("main window maximised, sign, detail") << QSize(1920, 1080) << "J" << true << "AB" << "" << true;
    QTest::newRow("main window, digits, end") << QSize(644, 485) << "149" << false << "" << "1" << true;
    QTest::newRow("main window maximised, digits, detail, end") << QSize(1920, 1080) << "88" << false << "CD" << "12"
                                                                << true;
}

void tst_audienceDisplay::layout()
{
    QFETCH(QSize, size);
    QFETCH(QString, counter);
    QFETCH(bool, centre);
    QFETCH(QString, detail);
    QFETCH(QString, label);
    QFETCH(bool, mainWindow);
    ArcherScreen screen;
    screen.counterShown = true;
    screen.counterText = counter;
    screen.counterAlign = centre ? ArcherScreen::Align::Centre : ArcherScreen::Align::Right;
    screen.detail = detail;
    screen.endLabel = label;
    QFont family(QStringLiteral("Arial Narrow"));
    family.setBold(true);
    QRect area(QPoint(0, 0), size);
    ScreenPainter::Layout layout;
    if (mainWindow) {
        // The counter above the button row, by the main window's own rule.
        area.setHeight(size.height() - 55);
        family.setPointSize(2 * size.height() / 3 - 50);
        layout = ScreenPainter::AroundCounter(area, screen, family);
    } else {
        layout = ScreenPainter::FitToArea(area, screen, family);
    }
    const QRect digits = layout.counter.ink;
    QVERIFY(area.contains(digits));
    if (!mainWindow && detail.isEmpty() && label.isEmpty())
        QVERIFY(digits.height() > area.height() * 0.8 || digits.width() > area.width() * 0.8);
    if (!detail.isEmpty()) {
        QVERIFY(area.contains(layout.detail.ink));
        QVERIFY(!layout.detail.ink.intersects(digits));
        QVERIFY2(layout.detail.ink.height() * 4 >= digits.height(),
                 qPrintable(QStringLiteral("%1 against %2").arg(layout.detail.ink.height()).arg(digits.height())));
    }
    if (!label.isEmpty()) {
        QVERIFY(area.contains(layout.label.ink));
        QVERIFY(!layout.label.ink.intersects(digits));
        QVERIFY(!layout.label.ink.intersects(layout.detail.ink));
        // In the main window the label stands clear of the digits' line,
        // never read as one digit more.
        if (mainWindow)
            QVERIFY(layout.label.ink.bottom() < digits.top() || layout.label.ink.top() > digits.bottom());
    }
}

void tst_audienceDisplay::projectorFromCommandLine()
{
    QCOMPARE(QGuiApplication::screens().size(), 2);
    TestPlatform platform;
    TForm1 form;
    form.AttachSetupDialog(new TForm2(&form));
    auto *audience = new AudienceSetup(form, form.Form2);
    const CommandLine line = CommandLine::Parse({QStringLiteral("--audience=2")});
    QVERIFY(audience->Screens->ChooseByArgument(line.audienceScreen));
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    AudienceDisplay *display = audience->Screens->Display();
    QVERIFY(QTest::qWaitForWindowExposed(display));
    QCOMPARE(display->screen()->name(), QStringLiteral("Projector"));
    QCOMPARE(display->geometry(), display->screen()->geometry());
    QCOMPARE(audience->Page->ScreenChoice->currentText(), QStringLiteral("Projector (1280 \u00d7 720)"));
    QVERIFY(display->findChildren<QWidget *>().isEmpty());

    // Start by the remote's key: red digits fill most of the projector.
    QTest::keyClick(&form, Qt::Key_PageDown);
    QVERIFY(form.Timer1->Enabled());
    QApplication::processEvents();
    const QImage running = display->grab().toImage();
    const Ink digits = inkOf(running);
    QVERIFY2(digits.box.height() > running.height() * 0.6, qPrintable(QString::number(digits.box.height())));
    QCOMPARE(digits.foreign, 0);
    saveShot(running, "audience-projector.png");
    saveShot(form.grab().toImage(), "audience-console.png");

    // Detail letters appear beside the digits on both screens, and leave
    // the main window as it was when they go. (No tick in between.)
    form.Timer1->SetEnabled(false);
    const int consoleInk = inkOf(form.grab().toImage()).pixels;
    form.Published->SetDetail(QStringLiteral("AB"));
    QApplication::processEvents();
    const QRect letters = display->CurrentLayout().detail.ink;
    QVERIFY(!letters.isEmpty());
    QVERIFY(inkOf(display->grab().toImage().copy(letters)).pixels > letters.width() * letters.height() / 10);
    QVERIFY(inkOf(form.grab().toImage()).pixels > consoleInk);
    form.Published->SetDetail(QString());
    QApplication::processEvents();
    QCOMPARE(inkOf(form.grab().toImage()).pixels, consoleInk);
    form.Timer1->SetEnabled(true);

    // The projector is unplugged: the display goes, the clock ticks on.
    const QString counterBefore = form.SekunderTilbage->text();
    plugScreens({QStringLiteral("Console")});
    QCOMPARE(QGuiApplication::screens().size(), 1);
    QVERIFY(!display->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(form.SekunderTilbage->text() != counterBefore, 3000);
    QVERIFY(form.Timer1->Enabled());
    QVERIFY(platform.messageBoxes.shown.isEmpty());

    // Plugged back, it returns, showing what the console shows.
    plugScreens({QStringLiteral("Console"), QStringLiteral("Projector")});
    QVERIFY(QTest::qWaitForWindowExposed(display));
    QCOMPARE(display->screen()->name(), QStringLiteral("Projector"));
    QCOMPARE(display->Shown(), form.Published->Current());

    // Stop time by key: the judges' sign, centred, and still no button.
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(display->Shown().counterText, uVantixStrings::JudgeDisplay);
    QApplication::processEvents();
    const QImage stopped = display->grab().toImage();
    const Ink sign = inkOf(stopped);
    QVERIFY(sign.box.height() > stopped.height() * 0.6 || sign.box.width() > stopped.width() * 0.6);
    QVERIFY(qAbs(sign.box.center().x() - stopped.width() / 2) < stopped.width() / 20);
    QCOMPARE(sign.foreign, 0);
    saveShot(stopped, "audience-judge.png");
}

// Finals: two clocks on the projector and in the main window, the shooting
// side green, the waiting side dimmed; a switch shows at once, with no tick.
void tst_audienceDisplay::finalsOnBothScreens()
{
    TestPlatform platform;
    TForm1 form;
    form.AttachSetupDialog(new TForm2(&form));
    auto *audience = new AudienceSetup(form, form.Form2);
    FinalsMode *finals = AttachFinals(form, form.Form2, audience->Keys, nullptr);
    finals->Timer->SetInterval(3600 * 1000); // the ticks are the test's own
    QVERIFY(audience->Screens->ChooseByArgument(QStringLiteral("2")));
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    AudienceDisplay *display = audience->Screens->Display();
    QVERIFY(QTest::qWaitForWindowExposed(display));

    // The arrow keys choose the side that starts, only while finals are on.
    QTest::keyClick(&form, Qt::Key_Right);
    QCOMPARE(finals->Engine.Starter(), FinalsScreen::Side::Left);
    finals->Page->ModeOn->setChecked(true);
    QVERIFY(form.StartKnap->isHidden());
    finals->Page->adjustSize();
    saveShot(finals->Page->grab().toImage(), "finals-options.png");
    QTest::keyClick(&form, Qt::Key_Right);
    QCOMPARE(finals->Engine.Starter(), FinalsScreen::Side::Right);
    QTest::keyClick(&form, Qt::Key_Left);
    QCOMPARE(finals->Engine.Starter(), FinalsScreen::Side::Left);
    QTest::keyClick(&form, Qt::Key_PageDown);
    QCOMPARE(platform.sound.played, QStringList{QStringLiteral("2dyt.wav")});
    for (int tick = 0; tick < 10; ++tick)
        finals->Timer->OnTimer();
    QCOMPARE(platform.sound.played.last(), QStringLiteral("1dyt.wav"));
    QApplication::processEvents();
    QCOMPARE(display->Shown(), form.Published->Current());
    QString wrong = finalsSidesWrong(display->grab().toImage(), true);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    wrong = finalsSidesWrong(finals->View->grab().toImage(), true);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // The presenter's Next: the left side has shot, the right one's clock runs.
    QTest::keyClick(&form, Qt::Key_PageDown);
    QApplication::processEvents();
    const QImage projector = display->grab().toImage();
    wrong = finalsSidesWrong(projector, false);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    const QImage console = form.grab().toImage();
    wrong = finalsSidesWrong(finals->View->grab().toImage(), false);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    saveShot(projector, "finals-projector.png");
    saveShot(console, "finals-console.png");

    // Switched off, the clock's own row and screen are back.
    finals->Page->ModeOn->setChecked(false);
    QVERIFY(!form.StartKnap->isHidden());
    QVERIFY(!form.Published->Current().finals.shown);
    QVERIFY(!finals->View->isVisible());
}

void tst_audienceDisplay::readyScreenShowsTheExtras_data()
{
    QTest::addColumn<bool>("picture");
    QTest::newRow("black") << false;
    QTest::newRow("over the idle picture") << true;
}

// After an end, with the detail letters and the end number for the archers:
// the next end's letters and number on the ready screen of both windows.
void tst_audienceDisplay::readyScreenShowsTheExtras()
{
    QFETCH(bool, picture);
    TestPlatform platform;
    TForm1 form;
    form.AttachSetupDialog(new TForm2(&form));
    auto *rules = new TournamentRules(form, *form.Form2);
    auto *audience = new AudienceSetup(form, form.Form2);
    QVERIFY(audience->Screens->ChooseByArgument(QStringLiteral("2")));
    form.show();
    AudienceDisplay *display = audience->Screens->Display();
    QVERIFY(QTest::qWaitForWindowExposed(display));
    applyTimes(form, 5, 10, 3, 2);
    for (QCheckBox *option : {rules->Page->ShowDetail, rules->Page->RotateDetails, rules->Page->EndNumberToArchers})
        option->setChecked(true);
    form.StartKnap->click();
    while (form.Timer1->Enabled())
        form.Timer1Timer();
    if (picture) {
        QImage blue(320, 200, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        form.Billede->SetPicture(blue);
        form.Billede->show();
    }
    QCOMPARE(form.Published->Current().detail, QStringLiteral("CD"));
    QCOMPARE(form.Published->Current().endLabel, QStringLiteral("2"));
    QCOMPARE(form.Published->Current().pictureShown, picture);
    QApplication::processEvents();

    const QImage projector = display->grab().toImage();
    for (const QRect &text : {display->CurrentLayout().detail.ink, display->CurrentLayout().label.ink}) {
        QVERIFY(!text.isEmpty());
        QVERIFY(inkOf(projector.copy(text)).pixels > text.width() * text.height() / 10);
    }
    const QImage console = form.grab(form.Billede->geometry()).toImage();
    if (!picture) {
        saveShot(projector, "audience-ready.png");
        saveShot(form.grab().toImage(), "audience-console-ready.png");
    }
    const Ink letters = inkOf(console);
    QVERIFY2(letters.pixels > console.width() * console.height() / 100, qPrintable(QString::number(letters.pixels)));
    QVERIFY(letters.box.bottom() < console.height() / 3);
    if (picture)
        QVERIFY(console.pixelColor(console.rect().center()) == QColor(Qt::blue));
}

void tst_audienceDisplay::neverOverTheConsole_data()
{
    QTest::addColumn<QStringList>("screens");
    QTest::addColumn<bool>("byPage");
    QTest::newRow("--audience=1, one screen") << QStringList{QStringLiteral("Console")} << false;
    QTest::newRow("the page, the console of two")
        << QStringList{QStringLiteral("Console"), QStringLiteral("Projector")} << true;
}

// The audience display never covers the main window's screen: refused with a
// message on the page, and the console goes on taking the keys.
void tst_audienceDisplay::neverOverTheConsole()
{
    QFETCH(QStringList, screens);
    QFETCH(bool, byPage);
    plugScreens(screens);
    TestPlatform platform;
    TForm1 form;
    form.AttachSetupDialog(new TForm2(&form));
    auto *audience = new AudienceSetup(form, form.Form2);
    if (!byPage)
        QVERIFY(audience->Screens->ChooseByArgument(CommandLine::Parse({QStringLiteral("--audience=1")}).audienceScreen));
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    if (byPage)
        audience->Page->ScreenChoice->setCurrentIndex(audience->Page->ScreenChoice->findData(QStringLiteral("Console")));
    QApplication::processEvents();
    QVERIFY(!audience->Screens->Display()->isVisible());
    QCOMPARE(audience->Page->ScreenChoice->currentData().toString(), QString());
    const QString refusal = uVantixStrings::AudienceRefused.arg(QStringLiteral("Console"));
    const QList<QLabel *> labels = audience->Page->findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(),
                        [&](QLabel *label) { return label->text() == refusal && label->isVisibleTo(audience->Page); }));
    QTest::keyClick(&form, Qt::Key_PageDown);
    QVERIFY(form.Timer1->Enabled());
    form.Timer1->SetEnabled(false);
    plugScreens({QStringLiteral("Console"), QStringLiteral("Projector")});
}

QTEST_MAIN(tst_audienceDisplay)
#include "tst_audienceDisplay.moc"
