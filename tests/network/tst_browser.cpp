// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChromiumSession.h"
#include "FinalsMode.h"
#include "FinalsSetup.h"
#include "TTimer.h"
#include "ServedClock.h"
#include "TCounterLabel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QPushButton>

namespace {

constexpr int WaitMs = 20000;

// Share of the pixels that are clearly the counter's red.
double redShare(const QImage &shot)
{
    const QImage image = shot.convertToFormat(QImage::Format_RGB32);
    qint64 red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            red += pixel.red() > 235 && pixel.green() < 70 && pixel.blue() < 70;
        }
    }
    return image.isNull() ? 0 : double(red) / (qint64(image.width()) * image.height());
}

// Shares of one half of a shot: the shooting side's green, the waiting
// side's dimmed red, and red at full strength.
struct Shares
{
    double green = 0;
    double dimRed = 0;
    double brightRed = 0;
};

Shares sharesIn(const QImage &shot, bool leftHalf)
{
    const QImage image = shot.convertToFormat(QImage::Format_RGB32);
    const int from = leftHalf ? 0 : image.width() / 2, to = leftHalf ? image.width() / 2 : image.width();
    qint64 green = 0, dim = 0, bright = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < to; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int r = pixel.red(), g = pixel.green(), b = pixel.blue();
            green += g > 100 && r < 40 && b < 40;
            dim += r > 50 && r < 110 && g < 25 && b < 25;
            bright += r > 180 && g < 60 && b < 60;
        }
    }
    const double all = std::max<qint64>(1, qint64(to - from) * image.height());
    return {green / all, dim / all, bright / all};
}

QString sidesWrong(const QImage &shot, bool leftShoots)
{
    const Shares shooting = sharesIn(shot, leftShoots);
    const Shares waiting = sharesIn(shot, !leftShoots);
    if (shooting.green > 0.02 && shooting.brightRed < 0.0005 && waiting.dimRed > 0.02 && waiting.green < 0.0005
        && waiting.brightRed < 0.0005)
        return {};
    return QStringLiteral("shooting: green %1, red %2; waiting: dimmed red %3, green %4, red %5")
        .arg(shooting.green)
        .arg(shooting.brightRed)
        .arg(waiting.dimRed)
        .arg(waiting.green)
        .arg(waiting.brightRed);
}

// Share of the pixels in a part of the shot that are white, as the page
// draws the detail letters and the end's label.
double whiteShare(const QImage &shot, const QRect &part)
{
    const QImage image = shot.copy(part).convertToFormat(QImage::Format_RGB32);
    qint64 white = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            white += qGray(image.pixel(x, y)) > 200;
    }
    return image.isNull() ? 0 : double(white) / (qint64(image.width()) * image.height());
}

QString scriptText(const QString &text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

const QString Connected = QStringLiteral("typeof socket !== 'undefined' && socket && socket.readyState === 1");

// Opens the page in Chromium and waits until it has connected: empty when
// done, otherwise why not, and whether Chromium could not start at all.
QString openConnected(ChromiumSession &chromium, const QUrl &url, QSize window, bool *noBrowser)
{
    QString why;
    *noBrowser = !chromium.Open(url, window, &why);
    if (*noBrowser)
        return QStringLiteral("no browser check: ") + why;
    return chromium.WaitFor(Connected, WaitMs) ? QString() : QStringLiteral("the page did not connect");
}

} // namespace

// Only where Chromium cannot start does a check skip.
#define OPEN_PAGE(chromium, url, window)                                                                   \
    do {                                                                                                 \
        bool noBrowser = false;                                                                          \
        const QString why = openConnected(chromium, url, window, &noBrowser);                            \
        if (noBrowser)                                                                                   \
            QSKIP(qPrintable(why));                                                                      \
        QVERIFY2(why.isEmpty(), qPrintable(why));                                                        \
    } while (false)

class tst_browser : public QObject
{
    Q_OBJECT
private slots:
    void pageShowsRedDigitsAfterStart();
    void readyScreenShowsTheExtras();
    void remoteStartsTheClock();
    void pageMarksALostConnectionAndComesBack();
    void pageShowsTwoClocksAndFollowsASwitch();
    void overlayShowsOnlyTheCounter();
};

void tst_browser::pageShowsRedDigitsAfterStart()
{
    ServedClock clock;
    ChromiumSession chromium;
    OPEN_PAGE(chromium, clock.Url(QStringLiteral("/")), QSize(800, 450));
    QVERIFY(redShare(chromium.Screenshot()) < 0.001);

    clock.form.StartKnap->click();
    QVERIFY(chromium.WaitFor(QStringLiteral("getComputedStyle(counter).visibility === 'visible'"), WaitMs));
    const QImage shot = chromium.Screenshot();
    QVERIFY2(redShare(shot) > 0.02, "the digits are not red in the browser");
    // For the documentation: VANTIX_SCREENSHOT=<file> keeps the picture.
    if (qEnvironmentVariableIsSet("VANTIX_SCREENSHOT"))
        shot.save(qEnvironmentVariable("VANTIX_SCREENSHOT"));
}

// Between ends the page shows the next end's detail and number, at the top,
// over the black ready screen.
void tst_browser::readyScreenShowsTheExtras()
{
    ServedClock clock;
    ChromiumSession chromium;
    OPEN_PAGE(chromium, clock.Url(QStringLiteral("/")), QSize(800, 450));
    QVERIFY(!clock.form.Published->Current().counterShown);
    clock.form.Published->SetDetail(QStringLiteral("CD"));
    clock.form.Published->SetEndLabel(QStringLiteral("2"));
    QVERIFY(chromium.WaitFor(QStringLiteral("document.getElementById('detail').textContent === 'CD'"), WaitMs));
    const QImage shot = chromium.Screenshot();
    const QRect top(0, 0, shot.width(), shot.height() / 3);
    QVERIFY2(whiteShare(shot, top.adjusted(0, 0, -shot.width() / 2, 0)) > 0.01, "no detail letters at the top left");
    QVERIFY2(whiteShare(shot, top.adjusted(shot.width() / 2, 0, 0, 0)) > 0.002, "no end number at the top right");
    QCOMPARE(whiteShare(shot, QRect(0, shot.height() / 3, shot.width(), shot.height() * 2 / 3)), 0.0);
}

void tst_browser::remoteStartsTheClock()
{
    ServedClock clock;
    ChromiumSession chromium;
    OPEN_PAGE(chromium, clock.Url(QStringLiteral("/remote")), QSize(400, 700));
    chromium.Evaluate(QStringLiteral("document.getElementById('pin').value = '%1';"
                                     "document.getElementById('send').click();")
                          .arg(clock.server->Pin()));
    const QString start = scriptText(clock.form.StartKnap->text().remove(u'&'));
    const QString findStart =
        QStringLiteral("[...document.querySelectorAll('#buttons button')].find(b => b.textContent === %1)").arg(start);
    QVERIFY(chromium.WaitFor(findStart + QStringLiteral(" !== undefined"), WaitMs));
    QCOMPARE(clock.form.Phase, PhaseBeforeFirstStart);
    chromium.Evaluate(findStart + QStringLiteral(".click()"));
    QTRY_COMPARE_WITH_TIMEOUT(clock.form.Phase, PhaseRed, WaitMs);
    QVERIFY(clock.form.SekunderTilbage->isVisibleTo(&clock.form));
}

void tst_browser::pageMarksALostConnectionAndComesBack()
{
    ServedClock clock;
    ChromiumSession chromium;
    OPEN_PAGE(chromium, clock.Url(QStringLiteral("/")), QSize(400, 300));
    const QString marked = QStringLiteral("getComputedStyle(offline).display !== 'none'");
    QVERIFY(!chromium.Evaluate(marked).toBool());

    const quint16 port = clock.server->Port();
    clock.server.reset();
    QVERIFY(chromium.WaitFor(marked, 3000));

    clock.server = std::make_unique<ClockServer>(clock.form, &clock.horns, QString());
    QVERIFY(clock.server->Listen(port));
    QVERIFY(chromium.WaitFor(Connected + QStringLiteral(" && !(") + marked + QStringLiteral(")"), WaitMs));
}

// Finals on the page: the two clocks side by side, the shooting side green,
// the waiting one dimmed; a switch reaches the page within one tick.
void tst_browser::pageShowsTwoClocksAndFollowsASwitch()
{
    ServedClock clock;
    FinalsMode *finals = AttachFinals(clock.form, nullptr, nullptr, nullptr);
    finals->Timer->SetInterval(3600 * 1000); // the ticks are the test's own
    finals->SetOn(true);
    finals->StartClick();
    for (int tick = 0; tick < 10; ++tick)
        finals->Tick();
    ChromiumSession chromium;
    OPEN_PAGE(chromium, clock.Url(QStringLiteral("/")), QSize(960, 540));
    const QString leftShoots = QStringLiteral("getComputedStyle(finalsView).display === 'flex'"
                                              " && document.getElementById('finals-right').classList.contains('waiting')");
    QVERIFY(chromium.WaitFor(leftShoots, WaitMs));
    QString wrong = sidesWrong(chromium.Screenshot(), true);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    QElapsedTimer sinceSwitch;
    sinceSwitch.start();
    finals->SwitchClick();
    QVERIFY(chromium.WaitFor(QStringLiteral("document.getElementById('finals-left').classList.contains('waiting')"),
                             WaitMs));
    QVERIFY2(sinceSwitch.elapsed() < 988, qPrintable(QString::number(sinceSwitch.elapsed())));
    const QImage shot = chromium.Screenshot();
    wrong = sidesWrong(shot, false);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    if (qEnvironmentVariableIsSet("VANTIX_SCREENSHOTS"))
        shot.save(QDir(qEnvironmentVariable("VANTIX_SCREENSHOTS")).filePath(QStringLiteral("finals-page.png")));
}

// The overlay on a transparent background, as broadcasting software's
// browser source draws it: only the counter's pixels cover the picture.
void tst_browser::overlayShowsOnlyTheCounter()
{
    ServedClock clock;
    ChromiumSession chromium;
    OPEN_PAGE(chromium, clock.Url(QStringLiteral("/overlay")), QSize(640, 360));
    chromium.Call(QStringLiteral("Emulation.setDefaultBackgroundColorOverride"),
                  {{"color", QJsonObject{{"r", 0}, {"g", 0}, {"b", 0}, {"a", 0}}}});
    clock.form.StartKnap->click();
    QVERIFY(chromium.WaitFor(QStringLiteral("getComputedStyle(digits).visibility === 'visible'"), WaitMs));
    const QJsonArray box =
        chromium.Evaluate(QStringLiteral("(r => [r.left, r.top, r.right, r.bottom])(digits.getBoundingClientRect())"))
            .toArray();
    QCOMPARE(box.size(), 4);
    const QRectF digitsBox(QPointF(box[0].toDouble(), box[1].toDouble()), QPointF(box[2].toDouble(), box[3].toDouble()));
    const QImage shot = chromium.Screenshot().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!shot.isNull());
    int covered = 0, red = 0, stray = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            if (pixel.alpha() == 0)
                continue;
            if (!digitsBox.adjusted(-1, -1, 1, 1).contains(x + 0.5, y + 0.5)) {
                ++stray;
                continue;
            }
            ++covered;
            red += pixel.alpha() == 255 && pixel.red() > 235 && pixel.green() < 70 && pixel.blue() < 70;
        }
    }
    QVERIFY2(stray == 0, qPrintable(QStringLiteral("%1 pixels beside the counter are not transparent").arg(stray)));
    QVERIFY2(red > covered / 4, "the counter is not drawn in its red");
    // At the bottom right corner, by default.
    QVERIFY(digitsBox.left() > shot.width() / 2 && digitsBox.top() > shot.height() / 3);
    // For the documentation: VANTIX_OVERLAY_SCREENSHOT=<file> keeps the picture.
    if (qEnvironmentVariableIsSet("VANTIX_OVERLAY_SCREENSHOT"))
        shot.save(qEnvironmentVariable("VANTIX_OVERLAY_SCREENSHOT"));
}

QTEST_MAIN(tst_browser)
#include "tst_browser.moc"
