// SPDX-License-Identifier: GPL-3.0-or-later
// The counter and the button row at the screen's scale: run once at scale 1 and
// once with QT_SCALE_FACTOR=2, as on a high-density projector or monitor.

#include "ClockProbe.h"

#include <QTest>

namespace {

// The rows and columns of the grab in which the counter's red digits show.
QRect redExtent(const QImage &image, const QRect &area)
{
    QRect extent;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = line[x];
            if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60)
                extent |= QRect(x, y, 1, 1);
        }
    }
    return extent;
}

} // namespace

class tst_counterScaling : public QObject
{
    Q_OBJECT
private slots:
    void counterFillsItsArea_data();
    void counterFillsItsArea();
};

void tst_counterScaling::counterFillsItsArea_data()
{
    QTest::addColumn<QSize>("client");
    QTest::newRow("design size") << QSize(644, 485);
    QTest::newRow("projector 1080") << QSize(1920, 1080);
}

void tst_counterScaling::counterFillsItsArea()
{
    QFETCH(QSize, client);
    TestPlatform platform;
    TForm1 form;
    form.resize(client);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.size(), client);
    form.StartKnap->click();

    // Layout stays in logical pixels whatever the scale.
    const int shift = client.width() - 644;
    QCOMPARE(form.StartKnap->geometry(), QRect(16, 28, 89, 22));
    QCOMPARE(form.AfslutKnap->geometry(), QRect(544 + shift, 28, 89, 22));
    QCOMPARE(form.Panel1->geometry(), QRect(0, client.height() - 55, client.width(), 55));

    const qreal ratio = form.devicePixelRatioF();
    const QImage shot = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), (QSizeF(client) * ratio).toSize());
    const QRect area = QRect(QPoint(0, 0), (QSizeF(form.SekunderTilbage->size()) * ratio).toSize());
    const QRect digits = redExtent(shot, area);
    QVERIFY(!digits.isEmpty());
    // "20" in the counter's font stands well over half the area's height, right-justified.
    QVERIFY2(digits.height() > area.height() / 2,
             qPrintable(QStringLiteral("digits %1 px high in %2").arg(digits.height()).arg(area.height())));
    QVERIFY(digits.bottom() < area.bottom());
    QVERIFY(area.right() - digits.right() < area.width() / 10);
    qInfo("scale %.1f: digits %d of %d device pixels high", ratio, digits.height(), area.height());
}

QTEST_MAIN(tst_counterScaling)
#include "tst_counterScaling.moc"
