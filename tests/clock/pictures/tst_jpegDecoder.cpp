// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG pictures through libjpeg: colours, scaling, orientation, and damaged
// and hostile files.
#include "JpegWriter.h"
#include "pictures/JpegDecoder.h"

#include <QBuffer>
#include <QPainter>
#include <QtTest>

namespace {

// Four solid quarters, so any turn or mirror shows in the corners.
QImage quarters(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width() / 2, h = size.height() / 2;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    return image;
}

// The colours of the corners, one letter each: Red, Green, Blue, White, or ? for anything else.
QString corners(const QImage &image)
{
    const auto name = [](QRgb c) {
        const int r = qRed(c), g = qGreen(c), b = qBlue(c);
        if (r > 200 && g > 200 && b > 200) return QLatin1Char('W');
        if (r > 200 && g < 60 && b < 60) return QLatin1Char('R');
        if (r < 60 && g > 200 && b < 60) return QLatin1Char('G');
        if (r < 60 && g < 60 && b > 200) return QLatin1Char('B');
        return QLatin1Char('?');
    };
    const int inset = 2, right = image.width() - 1 - inset, bottom = image.height() - 1 - inset;
    const QChar letters[] = {name(image.pixel(inset, inset)), name(image.pixel(right, inset)),
                             name(image.pixel(inset, bottom)), name(image.pixel(right, bottom))};
    return QString(letters, 4);
}

QImage decode(const QByteArray &jpeg, const QSize &fit = QSize(4000, 4000))
{
    QBuffer buffer;
    buffer.setData(jpeg);
    buffer.open(QIODevice::ReadOnly);
    return JpegDecoder::Decode(buffer, fit);
}

// Hands out its data, then fails as a file on a pulled-out stick would.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(const QByteArray &data, qint64 failAt) : data(data), failAt(failAt) { open(ReadOnly); }

protected:
    qint64 readData(char *to, qint64 max) override
    {
        if (pos() >= failAt)
            return -1;
        const qint64 count = std::min(max, failAt - pos());
        memcpy(to, data.constData() + pos(), size_t(count));
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray data;
    qint64 failAt;
};

// The last scan of a progressive JPEG repeated until the file has `scans` of them.
QByteArray withRepeatedLastScan(const QByteArray &jpeg, int copies)
{
    const qsizetype lastScan = jpeg.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype end = jpeg.size() - 2; // the EOI marker
    return jpeg.left(end) + jpeg.mid(lastScan, end - lastScan).repeated(copies) + jpeg.right(2);
}

} // namespace

class tst_jpegDecoder : public QObject
{
    Q_OBJECT
private slots:
    void kindsOfPicture_data();
    void kindsOfPicture();
    void scaleCoversTheArea_data();
    void scaleCoversTheArea();
    void orientation_data();
    void orientation();
    void damagedDataShowsWhatDecodes();
    void largePicturesLoad_data();
    void largePicturesLoad();
    void refused_data();
    void refused();
    void readErrorMidScanFails();
};

void tst_jpegDecoder::kindsOfPicture_data()
{
    QTest::addColumn<int>("colours");
    QTest::addColumn<bool>("adobe");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<QString>("expected");
    using C = JpegWriter::Colours;
    QTest::newRow("colour") << int(C::Rgb) << true << false << "RGBW";
    QTest::newRow("colour, progressive") << int(C::Rgb) << true << true << "RGBW";
    QTest::newRow("grey") << int(C::Grey) << true << false << "???W";
    QTest::newRow("CMYK from a print program") << int(C::Cmyk) << true << false << "RGBW";
    QTest::newRow("YCCK from a print program") << int(C::Ycck) << true << false << "RGBW";
    QTest::newRow("CMYK, progressive") << int(C::Cmyk) << true << true << "RGBW";
    QTest::newRow("CMYK without Adobe's marker") << int(C::Cmyk) << false << false << "RGBW";
}

void tst_jpegDecoder::kindsOfPicture()
{
    QFETCH(int, colours);
    QFETCH(bool, adobe);
    QFETCH(bool, progressive);
    QFETCH(QString, expected);
    JpegWriter::Options options;
    options.colours = JpegWriter::Colours(colours);
    options.adobeMarker = adobe;
    options.progressive = progressive;
    const QImage decoded = decode(JpegWriter::Encode(quarters(QSize(96, 64)), options));
    QCOMPARE(decoded.size(), QSize(96, 64));
    QCOMPARE(corners(decoded), expected);
    if (JpegWriter::Colours(colours) == JpegWriter::Colours::Grey) {
        QVERIFY(qAbs(qGray(decoded.pixel(2, 2)) - qGray(qRgb(255, 0, 0))) < 6);
        return;
    }
    // A mixed colour needs every ink right, not only the pure ones.
    QImage orange(32, 32, QImage::Format_RGB32);
    orange.fill(QColor(255, 140, 20));
    const QRgb got = decode(JpegWriter::Encode(orange, options)).pixel(16, 16);
    QVERIFY2(qAbs(qRed(got) - 255) < 8 && qAbs(qGreen(got) - 140) < 8 && qAbs(qBlue(got) - 20) < 8,
             qPrintable(QColor(got).name()));
}

void tst_jpegDecoder::scaleCoversTheArea_data()
{
    QTest::addColumn<QSize>("fit");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("exactly a quarter") << QSize(400, 300) << QSize(400, 300);
    QTest::newRow("a little more takes the next eighth") << QSize(404, 303) << QSize(600, 450);
    QTest::newRow("wide area: the height decides") << QSize(1920, 300) << QSize(400, 300);
    QTest::newRow("tall area: the width decides") << QSize(300, 2000) << QSize(400, 300);
    QTest::newRow("tiny area: an eighth") << QSize(1, 1) << QSize(200, 150);
    QTest::newRow("no area yet: an eighth") << QSize() << QSize(200, 150);
    QTest::newRow("larger area: never scaled up") << QSize(4000, 3000) << QSize(1600, 1200);
}

void tst_jpegDecoder::scaleCoversTheArea()
{
    QFETCH(QSize, fit);
    QFETCH(QSize, expected);
    static const QByteArray jpeg = JpegWriter::Encode(quarters(QSize(1600, 1200)));
    const QImage decoded = decode(jpeg, fit);
    QCOMPARE(decoded.size(), expected);
    QCOMPARE(corners(decoded), QStringLiteral("RGBW"));
}

void tst_jpegDecoder::orientation_data()
{
    QTest::addColumn<QByteArray>("app1");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QSize>("size");
    // Corners of the upright picture, for a stored picture of Red, Green / Blue, White.
    const char *upright[] = {"RGBW", "GRWB", "WBGR", "BWRG", "RBGW", "BRWG", "WGBR", "GWRB"};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (bool bigEndian : {false, true}) {
            QTest::addRow("%d %s", orientation, bigEndian ? "MM" : "II")
                << JpegWriter::ExifOrientation(orientation, bigEndian) << QString::fromLatin1(upright[orientation - 1])
                << (orientation >= 5 ? QSize(32, 64) : QSize(64, 32));
        }
    }
    const QByteArray six = JpegWriter::ExifOrientation(6, false);
    const QSize stored(64, 32);
    QTest::newRow("directory outside the block") << QByteArray(six).replace(10, 4, QByteArray("\xFF\0\0\0", 4))
                                                 << "RGBW" << stored;
    QTest::newRow("cut inside the tag") << six.left(34) << "RGBW" << stored;
    QTest::newRow("value out of range") << QByteArray(six).replace(36, 1, "\x09") << "RGBW" << stored;
    QTest::newRow("not Exif") << QByteArray("http://ns.adobe.com/xap/1.0/\0<x/>", 34) << "RGBW" << stored;
}

void tst_jpegDecoder::orientation()
{
    QFETCH(QByteArray, app1);
    QFETCH(QString, expected);
    QFETCH(QSize, size);
    JpegWriter::Options options;
    options.app1 = app1;
    const QImage decoded = decode(JpegWriter::Encode(quarters(QSize(64, 32)), options));
    QCOMPARE(decoded.size(), size);
    QCOMPARE(corners(decoded), expected);
}

void tst_jpegDecoder::damagedDataShowsWhatDecodes()
{
    const QByteArray jpeg = JpegWriter::Encode(quarters(QSize(256, 256)));
    const QImage cut = decode(jpeg.left(jpeg.size() * 6 / 10));
    QCOMPARE(cut.size(), QSize(256, 256));
    QCOMPARE(corners(cut).left(2), QStringLiteral("RG"));
    QByteArray scribbled = jpeg;
    for (qsizetype at = jpeg.size() / 2; at < jpeg.size() / 2 + 40; ++at)
        scribbled[at] = char(0x5A);
    const QImage damaged = decode(scribbled);
    QCOMPARE(damaged.size(), QSize(256, 256));
    QCOMPARE(corners(damaged).left(2), QStringLiteral("RG"));
    // Scans repeated against the rules draw warnings only, while they are few.
    JpegWriter::Options progressive;
    progressive.progressive = true;
    const QByteArray layered = JpegWriter::Encode(quarters(QSize(64, 64)), progressive);
    QCOMPARE(corners(decode(withRepeatedLastScan(layered, 20))), QStringLiteral("RGBW"));
}

// Camera pictures within the pixel bound load whatever the machine is doing;
// a progressive one keeps all its coefficients while it decodes. The header
// claims the size: libjpeg sets up the whole picture before it reads a scan,
// so the memory is the same as for a real one (the colours of progressive
// pictures are checked with small ones above).
void tst_jpegDecoder::largePicturesLoad_data()
{
    QTest::addColumn<QSize>("claimed");
    QTest::addColumn<bool>("fullColour");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("progressive 4:4:4, 9000 x 6000") << QSize(9000, 6000) << true << QSize(2250, 1500);
    QTest::newRow("progressive, 10000 x 7500") << QSize(10000, 7500) << false << QSize(2500, 1875);
}

void tst_jpegDecoder::largePicturesLoad()
{
    QFETCH(QSize, claimed);
    QFETCH(bool, fullColour);
    QFETCH(QSize, expected);
    JpegWriter::Options options;
    options.progressive = true;
    options.fullColour = fullColour;
    const QByteArray small = JpegWriter::Encode(quarters(QSize(64, 64)), options);
    const QImage decoded = decode(JpegWriter::WithClaimedSize(small, claimed.width(), claimed.height()), QSize(1920, 1080));
    QCOMPARE(decoded.size(), expected);
}

void tst_jpegDecoder::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray small = JpegWriter::Encode(quarters(QSize(64, 64)));
    JpegWriter::Options progressive;
    progressive.progressive = true;
    const QByteArray layered = JpegWriter::Encode(quarters(QSize(64, 64)), progressive);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("Dear timekeeper, this is a letter.");
    QTest::newRow("cut inside the header") << small.left(30);
    QTest::newRow("start of image only") << small.left(2);
    QTest::newRow("claims 65000 x 65000") << JpegWriter::WithClaimedSize(small, 65000, 65000);
    QTest::newRow("progressive, claims 20000 x 20000") << JpegWriter::WithClaimedSize(layered, 20000, 20000);
    QTest::newRow("thousands of scans") << withRepeatedLastScan(layered, JpegDecoder::MaxScans + 50);
}

void tst_jpegDecoder::refused()
{
    QFETCH(QByteArray, file);
    QVERIFY(decode(file, QSize(1920, 1080)).isNull());
}

void tst_jpegDecoder::readErrorMidScanFails()
{
    const QByteArray jpeg = JpegWriter::Encode(quarters(QSize(512, 512)));
    FailingDevice failing(jpeg, jpeg.size() / 2); // past the header, inside the scan
    QVERIFY(JpegDecoder::Decode(failing, QSize(512, 512)).isNull());
    // Nothing of the failed decode lingers.
    QCOMPARE(corners(decode(jpeg)), QStringLiteral("RGBW"));
}

QTEST_MAIN(tst_jpegDecoder)
#include "tst_jpegDecoder.moc"
