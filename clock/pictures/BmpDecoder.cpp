// SPDX-License-Identifier: GPL-3.0-or-later
#include "BmpDecoder.h"

#include "PictureLimits.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr int CoreHeadersSize = 26; // the file header and the oldest picture header
constexpr int HeadersSize = 34;     // the file header and the start of any later picture header
constexpr int MasksEnd = 66;        // the file header, a 40-byte picture header and three colour masks
constexpr int PixelOffsetAt = 10;
constexpr int MasksAt = 54;
constexpr quint32 CoreHeaderSize = 12;
constexpr quint32 Uncompressed = 0, BitFields = 3, AlphaBitFields = 6;

// What the headers say, as far as the checks and the corrections need it.
struct BmpHeader
{
    quint64 pixelOffset = 0;
    qint64 width = 0;
    qint64 height = 0; // negative for a picture stored top row first
    int bitsPerPixel = 0;
    quint32 compression = Uncompressed;
    std::array<quint32, 3> masks{}; // red, green, blue
};

bool readHeader(QFile &file, BmpHeader &header)
{
    const QByteArray head = file.peek(MasksEnd);
    if (head.size() < CoreHeadersSize || !head.startsWith("BM"))
        return false;
    const char *h = head.constData();
    const bool core = qFromLittleEndian<quint32>(h + 14) == CoreHeaderSize;
    if (!core && head.size() < HeadersSize)
        return false;
    header.pixelOffset = qFromLittleEndian<quint32>(h + PixelOffsetAt);
    header.width = core ? qFromLittleEndian<quint16>(h + 18) : qFromLittleEndian<qint32>(h + 18);
    header.height = core ? qFromLittleEndian<quint16>(h + 20) : qFromLittleEndian<qint32>(h + 22);
    header.bitsPerPixel = qFromLittleEndian<quint16>(h + (core ? 24 : 28));
    header.compression = core ? Uncompressed : qFromLittleEndian<quint32>(h + 30);
    // Without masks of its own a 16-bit picture holds five bits of each colour.
    header.masks = {0x7C00, 0x03E0, 0x001F};
    if (header.compression != Uncompressed && head.size() >= MasksEnd) {
        for (int i = 0; i < 3; ++i)
            header.masks[std::size_t(i)] = qFromLittleEndian<quint32>(h + MasksAt + 4 * i);
    }
    return true;
}

// Qt's reader neither checks that the pixels lie in the file nor clears the
// rows a short file lacks, so that is checked here. A compressed picture's
// length is known only by decoding it; Qt's decoder reads those with care.
bool pixelsInsideFile(const BmpHeader &header, qint64 fileSize)
{
    if (header.pixelOffset >= quint64(fileSize))
        return false;
    const qint64 width = qAbs(header.width), height = qAbs(header.height);
    if (width * height > PictureLimits::MaxDecodedPixels)
        return false;
    const quint32 compression = header.compression;
    if (compression != Uncompressed && compression != BitFields && compression != AlphaBitFields)
        return true;
    const qint64 rowBytes = (width * header.bitsPerPixel + 31) / 32 * 4;
    return qint64(header.pixelOffset) + rowBytes * height <= fileSize;
}

// A picture whose every alpha is zero was written by a program that left the
// fourth byte unused: it is shown opaque, as Windows shows it.
QImage withoutUnusedAlpha(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < opaque.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(opaque.constScanLine(y));
        if (std::any_of(row, row + opaque.width(), [](QRgb p) { return qAlpha(p) != 0; }))
            return image;
    }
    // The colours stay as stored; the fourth byte is set full, as a 32-bit
    // RGB picture must hold it, or drawing it would copy the zero along.
    for (int y = 0; y < opaque.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(opaque.scanLine(y));
        std::transform(row, row + opaque.width(), row, [](QRgb p) { return p | 0xFF000000u; });
    }
    opaque.reinterpretAsFormat(QImage::Format_RGB32);
    return opaque;
}

// Qt's reader widens a colour of fewer than eight bits by shifting it, so
// five bits of white come out as 248. The low bits are filled in here, for
// the full range: 31 of 31 is 255.
std::array<uchar, 256> widening(quint32 mask)
{
    const int bits = std::popcount(mask);
    std::array<uchar, 256> table{};
    for (int v = 0; v < 256; ++v) {
        const int top = (1 << bits) - 1;
        const int stored = bits > 0 && bits < 8 ? v >> (8 - bits) : v;
        table[std::size_t(v)] = bits > 0 && bits < 8 ? uchar((stored * 255 + top / 2) / top) : uchar(v);
    }
    return table;
}

QImage withFullRange(QImage image, const BmpHeader &header)
{
    if (header.bitsPerPixel != 16)
        return image;
    const auto red = widening(header.masks[0]), green = widening(header.masks[1]), blue = widening(header.masks[2]);
    image = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qRgb(red[qRed(row[x])], green[qGreen(row[x])], blue[qBlue(row[x])]);
    }
    return image;
}

} // namespace

QImage BmpDecoder::Decode(const QString &path)
{
    QFile file(path);
    BmpHeader header;
    if (!file.open(QIODevice::ReadOnly) || !readHeader(file, header) || !pixelsInsideFile(header, file.size()))
        return {};
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    // The reader tells a picture stored top row first by a negative height.
    const QSize size = reader.size();
    if (!reader.canRead() || !PictureLimits::fitsDecodedBound(QSize(qAbs(size.width()), qAbs(size.height()))))
        return {};
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return withFullRange(withoutUnusedAlpha(image), header);
}
