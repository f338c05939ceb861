// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

#include <cstdio>
#include <random>
#include <vector>

#include <jpeglib.h>

// A camera-like JPEG: broad gradients with fine noise, so the file holds as
// much detail as a real photograph of that size; baseline or progressive.
inline bool writeCameraJpeg(const QString &path, int width, int height, bool progressive)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    FILE *out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (out == nullptr)
        return false;
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::mt19937 noise(24);
    std::vector<JSAMPLE> row(std::size_t(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < width; ++x) {
            const int grain = int(noise() % 24);
            row[std::size_t(x) * 3] = JSAMPLE((x * 255 / width + grain) & 0xFF);
            row[std::size_t(x) * 3 + 1] = JSAMPLE((y * 255 / height + grain) & 0xFF);
            row[std::size_t(x) * 3 + 2] = JSAMPLE(((x + y) / 40 + grain) & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(out) == 0;
}
