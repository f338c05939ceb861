// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the binary seeds of the fuzz targets into a corpus folder:
//   vantix_fuzzseeds <fuzz/corpus>
// Each seed is a small, well-made input of the kind the target reads, led by
// the byte that picks the target's reading of it. The text seeds are kept by
// hand beside these.

#include "ElfImageWriter.h"
#include "JpegWriter.h"
#include "VersionBlockBuilder.h"
#include "VersionInfo.h"
#include "WmfWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QtEndian>

#include <cstdio>

namespace {

using Bytes = std::vector<std::uint8_t>;

QDir corpus;

bool save(const QString &target, const QString &name, const QByteArray &lead, const QByteArray &bytes)
{
    if (!corpus.mkpath(target))
        return false;
    QFile file(corpus.filePath(target + QLatin1Char('/') + name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(lead + bytes) == lead.size() + bytes.size();
}

bool save(const QString &target, const QString &name, char lead, const QByteArray &bytes)
{
    return save(target, name, QByteArray(1, lead), bytes);
}

QByteArray bytesOf(const Bytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

Bytes resource(std::uint16_t language, std::uint16_t codePage, std::u16string company)
{
    VersionResourceContent content;
    content.fileVersion = {3, 2, 0, 1};
    content.productVersion = {3, 2, 0, 1};
    content.language = language;
    content.codePage = codePage;
    content.strings = {{u"CompanyName", company}, {u"FileVersion", u"3.2.0.1"}, {u"ProductName", u"Vantix"}};
    return VersionBlockBuilder::build(content);
}

Bytes program(const Bytes &versionSection, bool is64, bool bigEndian, bool extended)
{
    ElfImageWriter writer;
    writer.is64 = is64;
    writer.bigEndian = bigEndian;
    writer.extendedNumbering = extended;
    writer.sections = {{".text", {0x90, 0xC3}}};
    if (!versionSection.empty())
        writer.sections.push_back({VersionInfo::SectionName, versionSection});
    return writer.write();
}

// The version target reads a program file (lead 0), a version block (lead
// 1), or a version block that it puts into a program file of the shape
// lead / 3 gives (lead 2, 5, 8, ...: bit 0 64 bits, bit 1 big-endian, bit 2
// extended numbering).
bool versionSeeds()
{
    const Bytes danish = resource(0x0406, 0x04E4, u"Fletchwise");
    const Bytes english = resource(0x0409, 0x04B0, u"Bueskytte \u00C6r\u00F8 \u20AC");
    const QString t = QStringLiteral("version");
    return save(t, QStringLiteral("program-64-little"), 0, bytesOf(program(danish, true, false, false)))
           && save(t, QStringLiteral("program-32-big"), 0, bytesOf(program(danish, false, true, false)))
           && save(t, QStringLiteral("program-extended-numbering"), 0, bytesOf(program(english, true, false, true)))
           && save(t, QStringLiteral("program-without-version"), 0, bytesOf(program({}, true, false, false)))
           && save(t, QStringLiteral("block-danish"), 1, bytesOf(danish))
           && save(t, QStringLiteral("block-english"), 1, bytesOf(english))
           && save(t, QStringLiteral("carried-32-little"), 2, bytesOf(danish))
           && save(t, QStringLiteral("carried-64-big"), 2 + 3 * 3, bytesOf(danish))
           && save(t, QStringLiteral("carried-32-extended"), 2 + 3 * 4, bytesOf(english));
}

// ---- Pictures ----------------------------------------------------------------

QByteArray le16(int value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian<quint16>(quint16(value), bytes.data());
    return bytes;
}

QByteArray le32(qint64 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(quint32(value), bytes.data());
    return bytes;
}

struct BmpShape
{
    int width;
    int height; // negative: rows from the top down
    int bitsPerPixel;
    int compression = 0;
    int headerSize = 40; // 12 the oldest header, 124 the newest
    QByteArray palette;
    QByteArray masks; // compression 3: the red, green, blue (and alpha) masks
    QByteArray pixels;
};

// A BMP file: the file header, the picture header of the size asked for,
// then masks, palette and pixels as given.
QByteArray bmp(const BmpShape &shape)
{
    QByteArray info;
    if (shape.headerSize == 12) {
        info = le32(12) + le16(shape.width) + le16(shape.height) + le16(1) + le16(shape.bitsPerPixel);
    } else {
        info = le32(shape.headerSize) + le32(shape.width) + le32(shape.height) + le16(1) + le16(shape.bitsPerPixel)
               + le32(shape.compression) + le32(shape.pixels.size()) + le32(2835) + le32(2835)
               + le32(shape.palette.size() / 4) + le32(0);
        if (shape.headerSize > 40)
            info += shape.masks + QByteArray(shape.headerSize - 40 - shape.masks.size(), '\0');
    }
    const QByteArray masks = shape.headerSize == 40 ? shape.masks : QByteArray();
    const int offset = 14 + info.size() + masks.size() + shape.palette.size();
    return "BM" + le32(offset + shape.pixels.size()) + le32(0) + le32(offset) + info + masks + shape.palette
           + shape.pixels;
}

QByteArray rows(int rowBytes, int count, char fill)
{
    return QByteArray(rowBytes * count, fill);
}

QImage sample(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::darkBlue);
    painter.fillRect(QRect(0, 0, width / 2, height / 2), Qt::yellow);
    painter.fillRect(QRect(width / 2, height / 2, width / 2, height / 2), Qt::red);
    return image;
}

QByteArray lead(int extension, int area)
{
    return QByteArray(1, char(extension)) + char(area);
}

// The pictures target reads lead byte 0 as the extension (0 bmp, 1 jpg,
// 2 wmf, 3 JPEG, 4 BMP, 5 png) and byte 1 as the area (0 none, 1 full HD,
// 2 320 x 200, 3 one pixel, 4 a 2000 x 3 strip). The metafiles target reads
// the area from its lead byte alone and draws the metafile in full.
bool bmpSeeds()
{
    const QString t = QStringLiteral("pictures");
    const QByteArray grey = le32(0x808080) + le32(0xFFFFFF);
    const QByteArray rgbMasks = le32(0x00FF0000) + le32(0x0000FF00) + le32(0x000000FF);
    // RLE8: two runs of four, end of line, end of picture.
    const QByteArray rle = QByteArray::fromHex("0400" "0401" "0000" "0401" "0400" "0000" "0001");
    return save(t, QStringLiteral("bmp-24"), lead(0, 1), bmp({4, 3, 24, 0, 40, {}, {}, rows(12, 3, '\x40')}))
           && save(t, QStringLiteral("bmp-8-palette"), lead(4, 2), bmp({4, 4, 8, 0, 40, grey, {}, rows(4, 4, '\x01')}))
           && save(t, QStringLiteral("bmp-1-top-down"), lead(0, 0), bmp({8, -2, 1, 0, 40, grey, {}, rows(4, 2, '\x5A')}))
           && save(t, QStringLiteral("bmp-32-bitfields"), lead(0, 3),
                   bmp({2, 2, 32, 3, 40, {}, rgbMasks, rows(8, 2, '\x7F')}))
           && save(t, QStringLiteral("bmp-v5-alpha"), lead(0, 4),
                   bmp({2, 2, 32, 3, 124, {}, rgbMasks + le32(0xFF000000), rows(8, 2, '\x33')}))
           && save(t, QStringLiteral("bmp-core-header"), lead(4, 1), bmp({3, 2, 24, 0, 12, {}, {}, rows(12, 2, '\x20')}))
           && save(t, QStringLiteral("bmp-rle8"), lead(0, 2), bmp({4, 2, 8, 1, 40, grey, {}, rle}))
           && save(t, QStringLiteral("bmp-cut-short"), lead(0, 1), bmp({16, 16, 24, 0, 40, {}, {}, rows(48, 3, '\x11')}))
           && save(t, QStringLiteral("unknown-extension"), lead(5, 1), bmp({4, 3, 24, 0, 40, {}, {}, rows(12, 3, '\x40')}));
}

bool jpegSeeds()
{
    const QString t = QStringLiteral("pictures");
    const QImage image = sample(16, 16);
    JpegWriter::Options progressive;
    progressive.progressive = true;
    JpegWriter::Options grey;
    grey.colours = JpegWriter::Colours::Grey;
    JpegWriter::Options cmyk;
    cmyk.colours = JpegWriter::Colours::Cmyk;
    JpegWriter::Options ycck;
    ycck.colours = JpegWriter::Colours::Ycck;
    ycck.adobeMarker = false;
    JpegWriter::Options turned;
    turned.app1 = JpegWriter::ExifOrientation(6, true);
    const QByteArray plain = JpegWriter::Encode(image);
    return save(t, QStringLiteral("jpeg-baseline"), lead(1, 1), plain)
           && save(t, QStringLiteral("jpeg-progressive"), lead(1, 2), JpegWriter::Encode(image, progressive))
           && save(t, QStringLiteral("jpeg-grey"), lead(3, 0), JpegWriter::Encode(sample(8, 8), grey))
           && save(t, QStringLiteral("jpeg-cmyk"), lead(1, 3), JpegWriter::Encode(sample(8, 8), cmyk))
           && save(t, QStringLiteral("jpeg-ycck"), lead(1, 1), JpegWriter::Encode(sample(8, 8), ycck))
           && save(t, QStringLiteral("jpeg-exif-turned"), lead(1, 4), JpegWriter::Encode(sample(16, 8), turned))
           && save(t, QStringLiteral("jpeg-claims-huge"), lead(1, 1), JpegWriter::WithClaimedSize(plain, 65000, 65000));
}

bool wmfSeeds()
{
    const QString t = QStringLiteral("pictures");
    WmfWriter placed(QRect(0, 0, 2000, 1000), 1000);
    placed.window(QRect(0, 0, 2000, 1000))
        .brush(Qt::yellow)
        .pen(Qt::red, 20)
        .ellipse(QRect(100, 100, 800, 800))
        .polygon(QPolygon({QPoint(1000, 900), QPoint(1500, 100), QPoint(1900, 900)}))
        .font(200, "Arial")
        .textColour(Qt::white)
        .text(QPoint(100, 950), "Bueskytte \xC6r\xF8");
    WmfWriter unplaced;
    unplaced.anisotropic().window(QRect(0, 0, 400, 300)).brush(Qt::blue).ellipse(QRect(50, 50, 300, 200));
    const QString m = QStringLiteral("metafiles");
    return save(t, QStringLiteral("wmf-placeable"), lead(2, 1), placed.bytes())
           && save(t, QStringLiteral("wmf-without-placeable-header"), lead(2, 2), unplaced.bytes())
           && save(m, QStringLiteral("placeable-full-hd"), 1, placed.bytes())
           && save(m, QStringLiteral("placeable-own-size"), 0, placed.bytes())
           && save(m, QStringLiteral("placeable-strip"), 4, placed.bytes())
           && save(m, QStringLiteral("without-placeable-header"), 2, unplaced.bytes());
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantix_fuzzseeds <corpus folder>\n");
        return 2;
    }
    corpus = QDir(QString::fromLocal8Bit(argv[1]));
    if (!versionSeeds() || !bmpSeeds() || !jpegSeeds() || !wmfSeeds()) {
        std::fprintf(stderr, "could not write the seeds into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
