// SPDX-License-Identifier: GPL-3.0-or-later
// Windows metafiles through ImageMagick: shapes, letters, proportions, the
// fit to the area, and damaged and hostile files.
#include "WmfWriter.h"
#include "pictures/WmfFrame.h"
#include "pictures/WmfRenderer.h"

#include <QtTest>

#include <functional>

namespace {

const QRect Frame(0, 0, 2000, 1000);
const QRect Circle(100, 100, 800, 800);
const QPolygon Triangle({QPoint(1100, 900), QPoint(1900, 900), QPoint(1500, 100)});

// The box around every pixel of a colour.
QRect inkBox(const QImage &image, const std::function<bool(QColor)> &isInk)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image.pixelColor(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

bool red(QColor c) { return c.alpha() > 200 && c.red() > 200 && c.green() < 60 && c.blue() < 60; }
bool green(QColor c) { return c.alpha() > 100 && c.green() > 60 && c.red() < 60 && c.blue() < 60; }

WmfWriter shapes()
{
    WmfWriter wmf(Frame);
    wmf.anisotropic().window(Frame);
    wmf.pen(Qt::black, 10).brush(Qt::red).ellipse(Circle);
    wmf.brush(Qt::blue).polygon(Triangle);
    return wmf;
}

QImage textOnly(const QByteArray &text)
{
    WmfWriter wmf(Frame);
    wmf.window(Frame).font(300, "Arial").textColour(QColor(0, 128, 0)).text(QPoint(200, 300), text);
    return WmfRenderer::RenderData(wmf.bytes(), QSize(800, 400));
}

} // namespace

class tst_wmfRenderer : public QObject
{
    Q_OBJECT
private slots:
    void drawsShapesOnTransparency();
    void keepsProportions_data();
    void keepsProportions();
    void lettersInWindows1252();
    void fitsTheArea_data();
    void fitsTheArea();
    void damagedShowsTheWholeRecords_data();
    void damagedShowsTheWholeRecords();
    void refused_data();
    void refused();
    void framingStopsAtAFullObjectTable();
    void framingTellsTheLongestRecord_data();
    void framingTellsTheLongestRecord();
};

void tst_wmfRenderer::drawsShapesOnTransparency()
{
    const QImage image = WmfRenderer::RenderData(shapes().bytes(), QSize(800, 800));
    QCOMPARE(image.size(), QSize(800, 400));
    QVERIFY(red(image.pixelColor(200, 200)));        // the ellipse is filled
    const QColor inTriangle = image.pixelColor(600, 300);
    QVERIFY2(inTriangle.blue() > 200 && inTriangle.red() < 60, qPrintable(inTriangle.name()));
    QCOMPARE(image.pixelColor(790, 10).alpha(), 0);  // nothing painted there
    QCOMPARE(image.pixelColor(420, 380).alpha(), 0);
}

void tst_wmfRenderer::keepsProportions_data()
{
    QTest::addColumn<QByteArray>("metafile");
    WmfWriter circleOnly(Frame);
    circleOnly.window(Frame).pen(Qt::red, 1).brush(Qt::red).ellipse(Circle);
    QTest::newRow("drawing short of its frame") << circleOnly.bytes();
    WmfWriter anisotropic(Frame);
    anisotropic.anisotropic().window(Frame).pen(Qt::red, 1).brush(Qt::red).ellipse(Circle);
    QTest::newRow("anisotropic without a viewport extent") << anisotropic.bytes();
    WmfWriter placeableOnly(Frame);
    placeableOnly.pen(Qt::red, 1).brush(Qt::red).ellipse(Circle);
    QTest::newRow("no window: the bounding box is the frame") << placeableOnly.bytes();
    WmfWriter notPlaceable;
    notPlaceable.anisotropic().window(Frame).pen(Qt::red, 1).brush(Qt::red).ellipse(Circle);
    QTest::newRow("not placeable") << notPlaceable.bytes();
}

void tst_wmfRenderer::keepsProportions()
{
    QFETCH(QByteArray, metafile);
    const QImage image = WmfRenderer::RenderData(metafile, QSize(800, 400));
    QCOMPARE(image.width() * 10 / image.height(), 20); // the frame's own 2 : 1
    const QRect circle = inkBox(image, red);
    // 800 of 2000 units, at 100 units from the left and the top.
    const double unit = image.width() / 2000.0;
    QVERIFY2(qAbs(circle.width() - circle.height()) <= 2, qPrintable(QStringLiteral("%1 x %2").arg(circle.width()).arg(circle.height())));
    QVERIFY(qAbs(circle.width() - 800 * unit) <= 3);
    QVERIFY(qAbs(circle.left() - 100 * unit) <= 2 && qAbs(circle.top() - 100 * unit) <= 2);
}

void tst_wmfRenderer::lettersInWindows1252()
{
    const QRect danish = inkBox(textOnly(QByteArray("\xE6\xF8\xE5", 3)), green); // æøå
    const QRect plain = inkBox(textOnly("aoa"), green);
    QVERIFY(!plain.isEmpty());
    QVERIFY(!danish.isEmpty());
    // æ is wider than a, and the ring of å reaches above the letters.
    QVERIFY2(danish.width() > plain.width() && danish.top() < plain.top(),
             qPrintable(QStringLiteral("%1 %2").arg(QDebug::toString(danish), QDebug::toString(plain))));
}

void tst_wmfRenderer::fitsTheArea_data()
{
    QTest::addColumn<QRect>("box");
    QTest::addColumn<int>("unitsPerInch");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("wide picture, wide area") << Frame << 1000 << QSize(1920, 1080) << QSize(1920, 960);
    QTest::newRow("wide picture, tall area") << Frame << 1000 << QSize(300, 1000) << QSize(300, 150);
    QTest::newRow("tall picture, wide area") << QRect(0, 0, 500, 1000) << 1000 << QSize(1920, 1080) << QSize(540, 1080);
    QTest::newRow("tall picture, tall area") << QRect(0, 0, 500, 1000) << 1000 << QSize(300, 1000) << QSize(300, 600);
    QTest::newRow("a picture hundreds of metres wide") << QRect(0, 0, 32000, 16000) << 1 << QSize(640, 480) << QSize(640, 320);
    QTest::newRow("no area yet: its own size") << Frame << 1000 << QSize() << QSize(192, 96);
}

void tst_wmfRenderer::fitsTheArea()
{
    QFETCH(QRect, box);
    QFETCH(int, unitsPerInch);
    QFETCH(QSize, area);
    QFETCH(QSize, expected);
    WmfWriter wmf(box, unitsPerInch);
    wmf.window(box).brush(Qt::red).ellipse(box.adjusted(10, 10, -10, -10));
    const QSize got = WmfRenderer::RenderData(wmf.bytes(), area).size();
    QVERIFY2(qAbs(got.width() - expected.width()) <= 1 && qAbs(got.height() - expected.height()) <= 1,
             qPrintable(QDebug::toString(got)));
}

void tst_wmfRenderer::damagedShowsTheWholeRecords_data()
{
    QTest::addColumn<QByteArray>("metafile");
    const QByteArray whole = shapes().bytes();
    const qsizetype polygon = whole.indexOf(QByteArray("\x24\x03", 2)) - 4;
    QTest::newRow("cut inside a record") << whole.left(polygon + 9);
    QTest::newRow("a record of no size") << QByteArray(whole).replace(polygon, 4, QByteArray(4, '\0'));
    QTest::newRow("a record larger than the file") << QByteArray(whole).replace(polygon, 4, "\xFF\xFF\xFF\x7F");
    QTest::newRow("junk after the end") << whole + QByteArray(5000, '\x7F');
}

void tst_wmfRenderer::damagedShowsTheWholeRecords()
{
    QFETCH(QByteArray, metafile);
    const QImage image = WmfRenderer::RenderData(metafile, QSize(800, 400));
    QCOMPARE(image.size(), QSize(800, 400));
    QVERIFY(red(image.pixelColor(200, 200)));
}

void tst_wmfRenderer::refused_data()
{
    QTest::addColumn<QByteArray>("metafile");
    const QByteArray whole = shapes().bytes();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("Dear timekeeper, this is a letter that is long enough.");
    QTest::newRow("placeable header only") << whole.left(22);
    QTest::newRow("header of an unknown type") << QByteArray(whole).replace(22, 2, "\x07\x00");
    QTest::newRow("a JPEG named .wmf") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + QByteArray(200, '\0');
}

void tst_wmfRenderer::refused()
{
    QFETCH(QByteArray, metafile);
    QVERIFY(WmfRenderer::RenderData(metafile, QSize(800, 400)).isNull());
}

void tst_wmfRenderer::framingStopsAtAFullObjectTable()
{
    // More objects than a metafile can count: the records from the first
    // that finds no slot on are dropped, and the frame finds no room either.
    WmfWriter flood(Frame);
    flood.window(Frame).brush(Qt::red).ellipse(Circle);
    for (int i = 0; i < 70000; ++i)
        flood.record(0x02FC, {0, 0, 0, 0});
    const QByteArray framed = WmfFrame::Framed(flood.bytes());
    QCOMPARE(qFromLittleEndian<quint16>(framed.constData() + 22 + 10), quint16(0xFFFF));
    // Headers, window, brush, select, ellipse; the creates that found a slot; EOF.
    const qsizetype kept = 22 + 18 + 2 * 10 + 14 + 8 + 14 + 65534 * 14 + 6;
    QCOMPARE(framed.size(), kept);
}

void tst_wmfRenderer::framingTellsTheLongestRecord_data()
{
    QTest::addColumn<quint32>("claimed"); // the header's longest record, in words
    QTest::newRow("claims less than its records hold") << 1u;
    QTest::newRow("claims nothing") << 0u;
    QTest::newRow("claims far more") << 0xFFFFFFFFu;
}

void tst_wmfRenderer::framingTellsTheLongestRecord()
{
    // The framed header gives the longest record there is, whatever the
    // file claimed: here the triangle's, which is longer than the frame's.
    QFETCH(quint32, claimed);
    QByteArray metafile = shapes().bytes();
    constexpr int LongestAt = 22 + 12;
    const quint32 honest = qFromLittleEndian<quint32>(metafile.constData() + LongestAt);
    QCOMPARE(honest, 3u + 1u + 2u * quint32(Triangle.size()));
    qToLittleEndian(claimed, metafile.data() + LongestAt);
    const QByteArray framed = WmfFrame::Framed(metafile);
    QCOMPARE(qFromLittleEndian<quint32>(framed.constData() + LongestAt), honest);
}

QTEST_MAIN(tst_wmfRenderer)
#include "tst_wmfRenderer.moc"
