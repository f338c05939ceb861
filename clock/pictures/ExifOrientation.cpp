// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExifOrientation.h"

#include <QTransform>

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint16_t OrientationTag = 0x0112;
constexpr std::uint16_t ShortType = 3;
constexpr std::size_t ExifPrefixSize = 6; // "Exif\0\0"
constexpr std::size_t IfdEntrySize = 12;

// Reads the TIFF block in its own byte order, refusing to read past its end.
class TiffReader
{
public:
    TiffReader(const unsigned char *data, std::size_t size) : data(data), size(size) {}

    bool readByteOrder()
    {
        if (size < 8)
            return false;
        if (std::memcmp(data, "II", 2) == 0)
            bigEndian = false;
        else if (std::memcmp(data, "MM", 2) == 0)
            bigEndian = true;
        else
            return false;
        return u16(2) == 42;
    }
    bool has(std::size_t offset, std::size_t length) const
    {
        return offset <= size && length <= size - offset;
    }
    std::uint16_t u16(std::size_t at) const
    {
        return bigEndian ? std::uint16_t(data[at] << 8 | data[at + 1])
                         : std::uint16_t(data[at + 1] << 8 | data[at]);
    }
    std::uint32_t u32(std::size_t at) const
    {
        return bigEndian ? std::uint32_t(u16(at)) << 16 | u16(at + 2)
                         : std::uint32_t(u16(at + 2)) << 16 | u16(at);
    }

private:
    const unsigned char *data;
    std::size_t size;
    bool bigEndian = false;
};

} // namespace

int ExifOrientation::FromApp1(const unsigned char *data, std::size_t size)
{
    if (data == nullptr || size < ExifPrefixSize || std::memcmp(data, "Exif\0\0", ExifPrefixSize) != 0)
        return 1;
    TiffReader tiff(data + ExifPrefixSize, size - ExifPrefixSize);
    if (!tiff.readByteOrder())
        return 1;
    const std::size_t ifd = tiff.u32(4);
    if (!tiff.has(ifd, 2))
        return 1;
    const std::size_t entries = tiff.u16(ifd);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = ifd + 2 + i * IfdEntrySize;
        if (!tiff.has(entry, IfdEntrySize))
            return 1;
        if (tiff.u16(entry) != OrientationTag)
            continue;
        if (tiff.u16(entry + 2) != ShortType || tiff.u32(entry + 4) != 1)
            return 1;
        const int value = tiff.u16(entry + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

bool ExifOrientation::SwapsAxes(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

QImage ExifOrientation::Apply(const QImage &image, int orientation)
{
    // Quarter turns are exact in QImage; the mirrored orientations are a turn
    // followed by a flip.
    const auto turned = [&image](int degrees) { return image.transformed(QTransform().rotate(degrees)); };
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return turned(180);
    case 4: return image.mirrored(false, true);
    case 5: return turned(90).mirrored(true, false);
    case 6: return turned(90);
    case 7: return turned(90).mirrored(false, true);
    case 8: return turned(270);
    default: return image;
    }
}
