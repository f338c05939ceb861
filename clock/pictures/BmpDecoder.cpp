#include "BmpDecoder.h"

#include "PictureLimits.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace {

constexpr int CoreHeadersSize = 26; // the file header and the oldest picture header
constexpr int HeadersSize = 34;     // the file header and the start of any later picture header
constexpr int PixelOffsetAt = 10;
constexpr quint32 CoreHeaderSize = 12;
constexpr quint32 Uncompressed = 0, BitFields = 3, AlphaBitFields = 6;

// Qt's reader neither checks that the pixels lie in the file nor clears the
// rows a short file lacks, so that is checked here. A compressed picture's
// length is known only by decoding it; Qt's decoder reads those with care.
bool pixelsInsideFile(QFile &file)
{
    const QByteArray head = file.peek(HeadersSize);
    if (head.size() < CoreHeadersSize || !head.startsWith("BM"))
        return false;
    const char *h = head.constData();
    const quint64 offset = qFromLittleEndian<quint32>(h + PixelOffsetAt);
    const bool core = qFromLittleEndian<quint32>(h + 14) == CoreHeaderSize;
    if (!core && head.size() < HeadersSize)
        return false;
    const qint64 width = core ? qFromLittleEndian<quint16>(h + 18) : qFromLittleEndian<qint32>(h + 18);
    const qint64 height = core ? qFromLittleEndian<quint16>(h + 20) : qFromLittleEndian<qint32>(h + 22);
    const int bitsPerPixel = qFromLittleEndian<quint16>(h + (core ? 24 : 28));
    const quint32 compression = core ? Uncompressed : qFromLittleEndian<quint32>(h + 30);
    if (offset >= quint64(file.size()))
        return false;
    if (qAbs(width) * qAbs(height) > PictureLimits::MaxDecodedPixels)
        return false;
    if (compression != Uncompressed && compression != BitFields && compression != AlphaBitFields)
        return true;
    const qint64 rowBytes = (qAbs(width) * bitsPerPixel + 31) / 32 * 4;
    return qint64(offset) + rowBytes * qAbs(height) <= file.size();
}

} // namespace

QImage BmpDecoder::Decode(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !pixelsInsideFile(file))
        return {};
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    if (!reader.canRead() || !PictureLimits::fitsDecodedBound(reader.size()))
        return {};
    return reader.read();
}
