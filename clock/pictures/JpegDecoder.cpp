// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegDecoder.h"

#include "ExifOrientation.h"
#include "PictureLimits.h"

#include <QFile>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg reports a fatal error by calling error_exit, which must not return.
// It leaves through longjmp to the one function below that calls setjmp, so
// no frame between the two may hold an object with a destructor: everything
// the decode owns lives in the Decoding record, which outlives that function.

namespace {

constexpr std::size_t InputChunk = 64 * 1024;
constexpr std::size_t MaxApp1Bytes = 65535;
constexpr int MaxRowsPerRead = 16;

#if Q_BYTE_ORDER == Q_BIG_ENDIAN
constexpr J_COLOR_SPACE RowLayout = JCS_EXT_ARGB;
#else
constexpr J_COLOR_SPACE RowLayout = JCS_EXT_BGRA; // the byte order of QImage::Format_RGB32
#endif

struct ErrorTrap
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

struct DeviceSource
{
    jpeg_source_mgr pub;
    QIODevice *device = nullptr;
    qint64 consumed = 0;
    bool startOfFile = true;
    JOCTET buffer[InputChunk];
};

struct Decoding
{
    jpeg_decompress_struct cinfo{};
    ErrorTrap error{};
    DeviceSource source{};
    jpeg_progress_mgr progress{};
    unsigned char exif[MaxApp1Bytes];
    std::size_t exifSize = 0;
    bool exifFound = false;
    QSize fit;
    int orientation = 1;
    QImage image;
    std::vector<JSAMPLE> cmykRow;
};

Decoding &decodingOf(j_common_ptr cinfo)
{
    return *static_cast<Decoding *>(cinfo->client_data);
}

[[noreturn]] void leaveDecode(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorTrap *>(cinfo->err)->jump, 1);
}

// Nothing is logged: warnings are counted by libjpeg and otherwise ignored.
void silent(j_common_ptr) {}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo)
{
    auto *src = reinterpret_cast<DeviceSource *>(cinfo->src);
    qint64 got = 0;
    if (src->consumed < JpegDecoder::MaxInputBytes) {
        got = src->device->read(reinterpret_cast<char *>(src->buffer), qint64(InputChunk));
        if (got < 0)
            ERREXIT(cinfo, JERR_FILE_READ); // an unreadable file fails, wherever it breaks off
    }
    if (got == 0) {
        if (src->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // The picture ends early: end it here, and libjpeg shows what it has.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        got = 2;
    }
    src->consumed += got;
    src->startOfFile = false;
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count)
{
    jpeg_source_mgr *src = cinfo->src;
    while (count > long(src->bytes_in_buffer)) {
        count -= long(src->bytes_in_buffer);
        fillInput(cinfo);
    }
    if (count > 0) {
        src->next_input_byte += count;
        src->bytes_in_buffer -= std::size_t(count);
    }
}

void ensureInput(j_decompress_ptr cinfo)
{
    if (cinfo->src->bytes_in_buffer == 0)
        fillInput(cinfo);
}

int nextByte(j_decompress_ptr cinfo)
{
    ensureInput(cinfo);
    --cinfo->src->bytes_in_buffer;
    return *cinfo->src->next_input_byte++;
}

// Keeps the first Exif APP1 segment for the orientation; skips the others,
// so a file full of APP1 segments costs no memory.
boolean readApp1(j_decompress_ptr cinfo)
{
    Decoding &d = decodingOf(reinterpret_cast<j_common_ptr>(cinfo));
    long remaining = (nextByte(cinfo) << 8 | nextByte(cinfo)) - 2;
    if (d.exifFound) {
        if (remaining > 0)
            skipInput(cinfo, remaining);
        return TRUE;
    }
    d.exifSize = 0;
    while (remaining > 0) {
        ensureInput(cinfo);
        const std::size_t chunk = std::min(std::size_t(remaining), cinfo->src->bytes_in_buffer);
        std::copy_n(cinfo->src->next_input_byte, chunk, d.exif + d.exifSize);
        d.exifSize += chunk;
        cinfo->src->next_input_byte += chunk;
        cinfo->src->bytes_in_buffer -= chunk;
        remaining -= long(chunk);
    }
    d.exifFound = d.exifSize >= 6 && std::memcmp(d.exif, "Exif\0\0", 6) == 0;
    return TRUE;
}

void watchProgress(j_common_ptr cinfo)
{
    Decoding &d = decodingOf(cinfo);
    if (d.cinfo.input_scan_number > JpegDecoder::MaxScans)
        leaveDecode(cinfo);
}

void installHandlers(Decoding &d, QIODevice &device)
{
    d.cinfo.err = jpeg_std_error(&d.error.pub);
    d.error.pub.error_exit = leaveDecode;
    d.error.pub.output_message = silent;
    d.cinfo.client_data = &d;
    d.source.device = &device;
    d.source.pub.init_source = initSource;
    d.source.pub.fill_input_buffer = fillInput;
    d.source.pub.skip_input_data = skipInput;
    d.source.pub.resync_to_restart = jpeg_resync_to_restart;
    d.source.pub.term_source = termSource;
    d.progress.progress_monitor = watchProgress;
}

QSize outputSize(const Decoding &d)
{
    const QSize stored(int(d.cinfo.output_width), int(d.cinfo.output_height));
    return ExifOrientation::SwapsAxes(d.orientation) ? stored.transposed() : stored;
}

// Picks the smallest scale of eighths at which the upright picture still
// covers its fitted size in the area; never scales up.
void chooseScale(Decoding &d)
{
    QSize upright(int(d.cinfo.image_width), int(d.cinfo.image_height));
    if (ExifOrientation::SwapsAxes(d.orientation))
        upright.transpose();
    const QSize wanted = upright.scaled(d.fit, Qt::KeepAspectRatio).boundedTo(upright);
    d.cinfo.scale_denom = 8;
    for (unsigned int eighths = 1; eighths <= 8; ++eighths) {
        d.cinfo.scale_num = eighths;
        jpeg_calc_output_dimensions(&d.cinfo);
        const QSize out = outputSize(d);
        if (out.width() >= wanted.width() && out.height() >= wanted.height())
            return;
    }
}

// The coefficients the picture holds at its stored size, two bytes each: what
// a progressive picture keeps in memory from its first scan to its last.
std::int64_t coefficientBytes(const jpeg_decompress_struct &cinfo)
{
    std::int64_t bytes = 0;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info &component = cinfo.comp_info[c];
        // Whole blocks of a whole number of MCUs, as libjpeg allocates them.
        const auto blocks = [](JDIMENSION count, int factor) {
            return (std::int64_t(count) + factor - 1) / factor * factor;
        };
        bytes += blocks(component.width_in_blocks, component.h_samp_factor)
                 * blocks(component.height_in_blocks, component.v_samp_factor) * DCTSIZE2 * std::int64_t(sizeof(JCOEF));
    }
    return bytes;
}

// A picture within the pixel bound gets the memory it needs, and no more.
bool limitWorkingMemory(Decoding &d)
{
    if (std::int64_t(d.cinfo.image_width) * d.cinfo.image_height > PictureLimits::MaxJpegPixels)
        return false;
    d.cinfo.mem->max_memory_to_use = long(coefficientBytes(d.cinfo) + PictureLimits::JpegWorkingMargin);
    return true;
}

bool isCmyk(const Decoding &d)
{
    return d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
}

// Print designers' CMYK files carry Adobe's marker and store the inks
// inverted (255 = no ink); without the marker the inks are stored plainly.
void cmykToRgb(const JSAMPLE *cmyk, QRgb *rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

bool readRows(Decoding &d)
{
    const bool cmyk = isCmyk(d);
    const int width = int(d.cinfo.output_width);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int first = int(d.cinfo.output_scanline);
        JSAMPROW rows[MaxRowsPerRead];
        const int count = cmyk ? 1 : std::min(MaxRowsPerRead, int(d.cinfo.output_height) - first);
        for (int i = 0; i < count; ++i)
            rows[i] = cmyk ? d.cmykRow.data() : d.image.scanLine(first + i);
        if (jpeg_read_scanlines(&d.cinfo, rows, JDIMENSION(count)) == 0)
            return false;
        if (cmyk)
            cmykToRgb(rows[0], reinterpret_cast<QRgb *>(d.image.scanLine(first)), width, d.cinfo.saw_Adobe_marker);
    }
    return true;
}

bool allocateOutput(Decoding &d)
{
    const QSize size(int(d.cinfo.output_width), int(d.cinfo.output_height));
    if (!PictureLimits::fitsDecodedBound(size))
        return false;
    d.image = QImage(size, QImage::Format_RGB32);
    if (d.image.isNull())
        return false;
    if (isCmyk(d))
        d.cmykRow.resize(std::size_t(size.width()) * 4);
    return true;
}

// The only function that calls setjmp. Every libjpeg call that can fail is
// made from here or from the plain functions above.
bool decodeInto(Decoding &d)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    // Until the header is read, only the markers' memory is needed.
    d.cinfo.mem->max_memory_to_use = PictureLimits::JpegWorkingMargin;
    d.cinfo.src = &d.source.pub;
    d.cinfo.progress = &d.progress;
    jpeg_set_marker_processor(&d.cinfo, JPEG_APP0 + 1, readApp1);
    jpeg_read_header(&d.cinfo, TRUE);
    if (!limitWorkingMemory(d))
        return false;
    d.orientation = ExifOrientation::FromApp1(d.exif, d.exifSize);
    d.cinfo.out_color_space = isCmyk(d) ? JCS_CMYK : RowLayout;
    chooseScale(d);
    // A reduced picture is scaled down smoothly again for the screen, which
    // hides the difference of the plain colour upsampling; it saves a tenth.
    d.cinfo.do_fancy_upsampling = d.cinfo.scale_num < d.cinfo.scale_denom ? FALSE : TRUE;
    if (!PictureLimits::fitsDecodedBound(outputSize(d)))
        return false;
    jpeg_start_decompress(&d.cinfo);
    if (!allocateOutput(d))
        return false;
    return readRows(d);
}

} // namespace

QImage JpegDecoder::Decode(const QString &path, const QSize &fitSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Decode(file, fitSize);
}

QImage JpegDecoder::Decode(QIODevice &device, const QSize &fitSize)
{
    auto d = std::make_unique<Decoding>();
    d->fit = fitSize.isEmpty() ? QSize(1, 1) : fitSize;
    installHandlers(*d, device);
    const bool decoded = decodeInto(*d);
    jpeg_destroy_decompress(&d->cinfo);
    if (!decoded)
        return {};
    return ExifOrientation::Apply(d->image, d->orientation);
}
