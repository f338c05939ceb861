// SPDX-License-Identifier: GPL-3.0-or-later
// Advert pictures: any bytes as a picture file, through the loader the ready
// screen uses. The first byte picks the file's extension (and with it the
// decoder), the second the size of the area the picture is loaded for; the
// rest is the file.
// Must hold: a picture comes back only for a known extension, never beyond
// the decoded-size bound, in a usable pixel format. A metafile is only
// framed here, the part of its loading done in the program's own process:
// drawing it costs up to a second or two, against milliseconds for the
// other pictures, and has its own target (metafiles).

#include "FuzzRequire.h"
#include "PictureLoader.h"
#include "PictureScratch.h"
#include "WmfFrameCheck.h"
#include "pictures/PictureLimits.h"


#include <cstdint>
#include <iterator>

namespace {

struct Extension
{
    const char *suffix;
    PictureLoader::Kind kind;
};

// Upper case as well, as files from Windows often are; and one the loader
// must refuse whatever the file holds.
constexpr Extension Extensions[] = {
    {"bmp", PictureLoader::Kind::Bmp},  {"jpg", PictureLoader::Kind::Jpeg}, {"wmf", PictureLoader::Kind::Wmf},
    {"JPEG", PictureLoader::Kind::Jpeg}, {"BMP", PictureLoader::Kind::Bmp}, {"png", PictureLoader::Kind::Unknown},
};

// No area yet, a full-HD screen, a small window, a single pixel, and a
// narrow strip, which stretches the fit one way.
const QSize Areas[] = {QSize(), QSize(1920, 1080), QSize(320, 200), QSize(1, 1), QSize(2000, 3)};

QString writePicture(const Extension &extension, const std::uint8_t *data, std::size_t size)
{
    return PictureScratch::write(QStringLiteral("advert.") + QLatin1String(extension.suffix),
                                 reinterpret_cast<const char *>(data), qint64(size));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return PictureScratch::initialize(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const Extension &extension = Extensions[data[0] % std::size(Extensions)];
    const QSize area = Areas[data[1] % std::size(Areas)];
    const QString path = writePicture(extension, data + 2, size - 2);
    REQUIRE(PictureLoader::KindOf(path) == extension.kind);
    if (extension.kind == PictureLoader::Kind::Wmf) {
        WmfFrameCheck::checkFrame(QByteArray(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2)));
        return 0;
    }

    const QImage picture = PictureLoader::Load(path, area);
    if (picture.isNull())
        return 0;
    REQUIRE(extension.kind != PictureLoader::Kind::Unknown);
    REQUIRE(PictureLimits::fitsDecodedBound(picture.size()));
    REQUIRE(picture.format() != QImage::Format_Invalid && picture.constBits() != nullptr);
    REQUIRE(picture.sizeInBytes() >= qsizetype(picture.bytesPerLine()) * picture.height());
    return 0;
}
