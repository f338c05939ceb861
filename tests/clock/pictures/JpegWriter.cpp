// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegWriter.h"

#include <QtEndian>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

// The ink that prints a colour: black takes the common part, the other inks the rest.
void inks(QRgb rgb, JSAMPLE *cmyk, bool inverted)
{
    const int k = 255 - std::max({qRed(rgb), qGreen(rgb), qBlue(rgb)});
    const auto ink = [k](int channel) { return k == 255 ? 0 : (255 - channel - k) * 255 / (255 - k); };
    const int values[4] = {ink(qRed(rgb)), ink(qGreen(rgb)), ink(qBlue(rgb)), k};
    for (int i = 0; i < 4; ++i)
        cmyk[i] = JSAMPLE(inverted ? 255 - values[i] : values[i]);
}

void fillRow(const QImage &image, int y, JpegWriter::Colours colours, bool inverted, std::vector<JSAMPLE> &row)
{
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
        switch (colours) {
        case JpegWriter::Colours::Grey:
            row[std::size_t(x)] = JSAMPLE(qGray(pixels[x]));
            break;
        case JpegWriter::Colours::Rgb:
            row[std::size_t(x) * 3] = JSAMPLE(qRed(pixels[x]));
            row[std::size_t(x) * 3 + 1] = JSAMPLE(qGreen(pixels[x]));
            row[std::size_t(x) * 3 + 2] = JSAMPLE(qBlue(pixels[x]));
            break;
        default:
            inks(pixels[x], &row[std::size_t(x) * 4], inverted);
        }
    }
}

void describeInput(jpeg_compress_struct &cinfo, const JpegWriter::Options &options)
{
    switch (options.colours) {
    case JpegWriter::Colours::Grey:
        cinfo.input_components = 1;
        cinfo.in_color_space = JCS_GRAYSCALE;
        break;
    case JpegWriter::Colours::Rgb:
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        break;
    default:
        cinfo.input_components = 4;
        cinfo.in_color_space = JCS_CMYK;
    }
    jpeg_set_defaults(&cinfo);
    if (options.colours == JpegWriter::Colours::Ycck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    if (options.colours == JpegWriter::Colours::Cmyk || options.colours == JpegWriter::Colours::Ycck)
        cinfo.write_Adobe_marker = options.adobeMarker;
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.fullColour)
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
}

} // namespace

QByteArray JpegWriter::Encode(const QImage &source, const Options &options)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    describeInput(cinfo, options);
    jpeg_start_compress(&cinfo, TRUE);
    if (!options.app1.isEmpty())
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>(options.app1.constData()),
                          unsigned(options.app1.size()));
    std::vector<JSAMPLE> row(std::size_t(image.width()) * std::size_t(cinfo.input_components));
    const bool inverted = options.adobeMarker;
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(image, int(cinfo.next_scanline), options.colours, inverted, row);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray result(reinterpret_cast<const char *>(buffer), qsizetype(size));
    free(buffer);
    return result;
}

QByteArray JpegWriter::ExifOrientation(int orientation, bool bigEndian)
{
    const auto u16 = [bigEndian](quint16 v) {
        char b[2];
        bigEndian ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        return QByteArray(b, 2);
    };
    const auto u32 = [bigEndian](quint32 v) {
        char b[4];
        bigEndian ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        return QByteArray(b, 4);
    };
    QByteArray exif = QByteArray("Exif\0\0", 6) + (bigEndian ? "MM" : "II") + u16(42) + u32(8);
    exif += u16(2);                                          // two entries in the first directory
    exif += u16(0x010F) + u16(2) + u32(4) + QByteArray("Cam\0", 4); // the maker, to step over
    exif += u16(0x0112) + u16(3) + u32(1) + u16(quint16(orientation)) + u16(0);
    return exif + u32(0);
}

QByteArray JpegWriter::WithClaimedSize(QByteArray jpeg, int width, int height)
{
    for (qsizetype at = 2; at + 9 < jpeg.size();) {
        const auto marker = quint8(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            qToBigEndian(quint16(height), jpeg.data() + at + 5);
            qToBigEndian(quint16(width), jpeg.data() + at + 7);
            return jpeg;
        }
        at += 2 + qFromBigEndian<quint16>(jpeg.constData() + at + 2);
    }
    return jpeg;
}
