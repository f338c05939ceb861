// SPDX-License-Identifier: GPL-3.0-or-later
// The picture area and the loader in front of the decoders: the kind of a
// file by its extension, BMP files, and how a picture fits the area.
#include "JpegWriter.h"
#include "PictureLoader.h"
#include "TImage.h"
#include "WmfWriter.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

QImage solid(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray bmp(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A BMP written field by field, in the kinds other programs write: 24 bits
// stored top row first (a negative height), 16 bits as 5-6-5 or 5-5-5, or
// 32 bits with a V5 header whose alpha is zero everywhere.
QByteArray handWrittenBmp(const QImage &image, int bits, bool topDown, bool green6 = false)
{
    const int headerSize = bits == 32 ? 124 : 40;
    const bool masks = bits != 24;
    const int offset = 14 + headerSize + (bits == 16 ? 12 : 0);
    const int rowBytes = (image.width() * bits / 8 + 3) / 4 * 4;
    QByteArray bytes(offset + rowBytes * image.height(), '\0');
    char *b = bytes.data();
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(quint32(bytes.size()), b + 2);
    qToLittleEndian<quint32>(quint32(offset), b + 10);
    qToLittleEndian<quint32>(quint32(headerSize), b + 14);
    qToLittleEndian<qint32>(image.width(), b + 18);
    qToLittleEndian<qint32>(topDown ? -image.height() : image.height(), b + 22);
    qToLittleEndian<quint16>(1, b + 26);
    qToLittleEndian<quint16>(quint16(bits), b + 28);
    qToLittleEndian<quint32>(masks ? 3 : 0, b + 30);
    const quint32 bitMasks[] = {bits == 32 ? 0xFF0000u : green6 ? 0xF800u : 0x7C00u,
                                bits == 32 ? 0xFF00u : green6 ? 0x07E0u : 0x03E0u, bits == 32 ? 0xFFu : 0x1Fu,
                                bits == 32 ? 0xFF000000u : 0u};
    for (int i = 0; masks && i < (bits == 32 ? 4 : 3); ++i)
        qToLittleEndian<quint32>(bitMasks[i], b + 54 + 4 * i);
    for (int y = 0; y < image.height(); ++y) {
        char *row = b + offset + rowBytes * (topDown ? y : image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (bits == 16) {
                const quint16 v = green6 ? quint16((qRed(p) >> 3) << 11 | (qGreen(p) >> 2) << 5 | qBlue(p) >> 3)
                                         : quint16((qRed(p) >> 3) << 10 | (qGreen(p) >> 3) << 5 | qBlue(p) >> 3);
                qToLittleEndian<quint16>(v, row + 2 * x);
            } else {
                const char pixel[] = {char(qBlue(p)), char(qGreen(p)), char(qRed(p)), 0};
                memcpy(row + x * bits / 8, pixel, std::size_t(bits / 8));
            }
        }
    }
    return bytes;
}

QByteArray wmf()
{
    WmfWriter writer(QRect(0, 0, 1000, 1000));
    writer.window(QRect(0, 0, 1000, 1000)).brush(Qt::red).ellipse(QRect(0, 0, 1000, 1000));
    return writer.bytes();
}

} // namespace

class tst_pictureArea : public QObject
{
    Q_OBJECT
private slots:
    void kindByExtension_data();
    void kindByExtension();
    void loading_data();
    void loading();
    void bmpKindsLookAsQtReadsThem_data();
    void bmpKindsLookAsQtReadsThem();
    void paletteBmpShrinksInColour_data();
    void paletteBmpShrinksInColour();
    void fitsTheArea_data();
    void fitsTheArea();
    void failedLoadKeepsThePicture();
    void grownAreaReadsThePictureAgain();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir dir;
};

QString tst_pictureArea::write(const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return file.fileName();
}

void tst_pictureArea::kindByExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<PictureLoader::Kind>("kind");
    using K = PictureLoader::Kind;
    QTest::newRow("bmp") << "C:/Reklamer/a.bmp" << K::Bmp;
    QTest::newRow("BMP") << "/reklamer/A.BMP" << K::Bmp;
    QTest::newRow("JPG") << "/reklamer/sponsor.JPG" << K::Jpeg;
    QTest::newRow("Jpeg") << "/reklamer/sponsor.Jpeg" << K::Jpeg;
    QTest::newRow("wmf") << "/reklamer/logo.wmf" << K::Wmf;
    QTest::newRow("WmF") << "/reklamer/logo.WmF" << K::Wmf;
    QTest::newRow("png") << "/reklamer/logo.png" << K::Unknown;
    QTest::newRow("jpg hidden in the middle") << "/reklamer/logo.jpg.txt" << K::Unknown;
    QTest::newRow("no extension") << "/reklamer/logo" << K::Unknown;
    QTest::newRow("extension on the folder only") << "/reklamer.bmp/logo" << K::Unknown;
}

void tst_pictureArea::kindByExtension()
{
    QFETCH(QString, path);
    QFETCH(PictureLoader::Kind, kind);
    QCOMPARE(PictureLoader::KindOf(path), kind);
}

void tst_pictureArea::loading_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("expected"); // empty: the load fails
    const QSize refused;
    const QByteArray good = bmp(solid(QSize(40, 30), Qt::red));
    QByteArray huge = good;
    qToLittleEndian<qint32>(65000, huge.data() + 18);
    qToLittleEndian<qint32>(65000, huge.data() + 22);
    QByteArray hugePixelData = good;
    qToLittleEndian<quint32>(0x7FFFFFF0, hugePixelData.data() + 10);
    QTest::newRow("BMP") << "good.bmp" << good << QSize(40, 30);
    QTest::newRow("BMP in capitals") << "GOOD.BMP" << good << QSize(40, 30);
    QTest::newRow("JPEG") << "photo.jpeg" << JpegWriter::Encode(solid(QSize(40, 30), Qt::red)) << QSize(40, 30);
    QTest::newRow("WMF") << "logo.WMF" << wmf() << QSize(300, 300);
    QTest::newRow("BMP, cut short") << "cut.bmp" << good.left(good.size() / 2) << refused;
    QTest::newRow("BMP, empty") << "empty.bmp" << QByteArray() << refused;
    QTest::newRow("BMP, claims 65000 x 65000") << "huge.bmp" << huge << refused;
    QTest::newRow("BMP, pixels beyond the file") << "far.bmp" << hugePixelData << refused;
    QTest::newRow("BMP, a letter") << "letter.bmp" << QByteArray("Dear timekeeper") << refused;
    QTest::newRow("a JPEG named .bmp") << "photo.bmp" << JpegWriter::Encode(solid(QSize(40, 30), Qt::red)) << refused;
    QTest::newRow("a BMP named .jpg") << "drawing.jpg" << good << refused;
    QTest::newRow("a BMP named .png") << "drawing.png" << good << refused;
}

void tst_pictureArea::loading()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, expected);
    const QImage image = PictureLoader::Load(write(name, bytes), QSize(300, 300));
    QCOMPARE(image.isNull(), expected.isEmpty());
    if (!expected.isEmpty()) {
        QCOMPARE(image.size(), expected);
        const QColor centre = image.pixelColor(image.rect().center());
        QVERIFY2(centre.red() > 200 && centre.green() < 60, qPrintable(centre.name()));
    }
}

void tst_pictureArea::bmpKindsLookAsQtReadsThem_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<bool>("topDown");
    QTest::addColumn<bool>("green6");
    QTest::newRow("24 bits, top row first") << 24 << true << false;
    QTest::newRow("32 bits, V5 header, alpha all zero") << 32 << false << false;
    QTest::newRow("16 bits, 5-6-5") << 16 << false << true;
    QTest::newRow("16 bits, 5-5-5") << 16 << false << false;
    QTest::newRow("16 bits, 5-6-5, top row first") << 16 << true << true;
}

// Each must show as Qt shows the same picture written as a plain 24-bit BMP:
// upright, opaque, and white as white.
void tst_pictureArea::bmpKindsLookAsQtReadsThem()
{
    QFETCH(int, bits);
    QFETCH(bool, topDown);
    QFETCH(bool, green6);
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(6, 0, qRgb(0, 255, 0));
    picture.setPixel(0, 4, qRgb(0, 0, 255));
    picture.setPixel(3, 2, qRgb(0, 0, 0));
    QImage reference;
    QVERIFY(reference.loadFromData(bmp(picture), "BMP"));
    const QImage loaded = PictureLoader::Load(write(QStringLiteral("kind.bmp"), handWrittenBmp(picture, bits, topDown, green6)),
                                              QSize(300, 300));
    QVERIFY(!loaded.isNull());
    QCOMPARE(loaded.convertToFormat(QImage::Format_ARGB32), reference.convertToFormat(QImage::Format_ARGB32));
    // Drawn as a window draws it, onto a surface that keeps alpha.
    QImage drawn(loaded.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::black);
    QPainter(&drawn).drawImage(0, 0, loaded);
    QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32), reference.convertToFormat(QImage::Format_ARGB32));
}

void tst_pictureArea::paletteBmpShrinksInColour_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::addColumn<int>("colours"); // in the palette
    QTest::newRow("1 bit") << QImage::Format_Mono << 2;
    QTest::newRow("8 bits") << QImage::Format_Indexed8 << 256;
}

// Stripes of yellow and navy, one pixel each, shrunk to a quarter: every
// pixel of the area blends them, in colour.
void tst_pictureArea::paletteBmpShrinksInColour()
{
    QFETCH(QImage::Format, format);
    QFETCH(int, colours);
    QList<QRgb> palette{qRgb(255, 255, 0), qRgb(0, 0, 128)};
    for (int grey = 0; palette.size() < colours; grey += 1)
        palette.append(qRgb(grey, grey, grey));
    QImage stripes(400, 200, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x) {
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, palette.at(x % 2));
    }
    const QImage stored = stripes.convertToFormat(format, palette);
    const QImage loaded = PictureLoader::Load(write(QStringLiteral("stripes.bmp"), bmp(stored)), QSize(100, 50));
    QCOMPARE(loaded.format(), format);
    TImage image;
    image.resize(100, 50);
    image.SetPicture(loaded);
    const QColor seen = image.grab().toImage().pixelColor(50, 25);
    const QColor blend(127, 127, 64);
    QVERIFY2(qAbs(seen.red() - blend.red()) < 40 && qAbs(seen.green() - blend.green()) < 40
                 && qAbs(seen.blue() - blend.blue()) < 40,
             qPrintable(seen.name()));
}

void tst_pictureArea::fitsTheArea_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("wide picture, wide area") << QSize(400, 100) << QSize(800, 400) << QRect(0, 100, 800, 200);
    QTest::newRow("wide picture, tall area") << QSize(400, 100) << QSize(300, 600) << QRect(0, 262, 300, 75);
    QTest::newRow("tall picture, wide area") << QSize(100, 400) << QSize(800, 400) << QRect(350, 0, 100, 400);
    QTest::newRow("tall picture, tall area") << QSize(100, 400) << QSize(300, 600) << QRect(75, 0, 150, 600);
    QTest::newRow("small picture grows") << QSize(20, 10) << QSize(800, 400) << QRect(0, 0, 800, 400);
    QTest::newRow("large picture shrinks") << QSize(4000, 1000) << QSize(800, 400) << QRect(0, 100, 800, 200);
}

void tst_pictureArea::fitsTheArea()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, area);
    QFETCH(QRect, expected);
    TImage image;
    image.resize(area);
    image.SetCenter(true);
    image.SetPicture(solid(picture, Qt::yellow));
    QCOMPARE(image.PictureRect(), expected);
    const QImage screen = image.grab().toImage();
    QCOMPARE(screen.pixelColor(expected.center()), QColor(Qt::yellow));
    // Black around the picture, and nowhere else.
    const QRect around = QRect(QPoint(0, 0), area);
    for (const QPoint &p : {around.topLeft(), around.bottomRight()}) {
        QCOMPARE(screen.pixelColor(p), expected.contains(p) ? QColor(Qt::yellow) : QColor(Qt::black));
    }
}

void tst_pictureArea::failedLoadKeepsThePicture()
{
    TImage image;
    image.resize(200, 100);
    QVERIFY(!image.LoadFromFile(write(QStringLiteral("first.bmp"), QByteArray("broken"))));
    QVERIFY(image.Picture().isNull());
    QVERIFY(image.LoadFromFile(write(QStringLiteral("good.bmp"), bmp(solid(QSize(40, 30), Qt::red)))));
    const qint64 before = image.Picture().cacheKey();
    QVERIFY(!image.LoadFromFile(write(QStringLiteral("broken.jpg"), QByteArray("\xFF\xD8 broken"))));
    QVERIFY(!image.LoadFromFile(dir.filePath(QStringLiteral("missing.wmf"))));
    QCOMPARE(image.Picture().cacheKey(), before);
}

void tst_pictureArea::grownAreaReadsThePictureAgain()
{
    const QString photo = write(QStringLiteral("wide.jpg"), JpegWriter::Encode(solid(QSize(1600, 800), Qt::red)));
    TImage image;
    image.resize(200, 100);
    image.show();
    QVERIFY(image.LoadFromFile(photo));
    QCOMPARE(image.Picture().size(), QSize(200, 100));  // an eighth covers the small area
    image.resize(800, 400);
    QTRY_COMPARE(image.Picture().size(), QSize(800, 400));
    // A picture set directly has no file to read again.
    image.SetPicture(solid(QSize(100, 50), Qt::blue));
    image.resize(1600, 800);
    QTest::qWait(TImage::SettleMs * 2);
    QCOMPARE(image.Picture().size(), QSize(100, 50));
}

QTEST_MAIN(tst_pictureArea)
#include "tst_pictureArea.moc"
