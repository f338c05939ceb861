// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChromiumSession.h"
#include "ServedClock.h"
#include "TCounterLabel.h"

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
    void remoteStartsTheClock();
    void pageMarksALostConnectionAndComesBack();
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
