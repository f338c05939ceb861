// SPDX-License-Identifier: GPL-3.0-or-later
// Advert metafiles drawn in full: any bytes as a .wmf file through the loader
// the ready screen uses, which frames the metafile here and draws it with
// ImageMagick in the metafile helper process. The first byte picks the area
// the picture is drawn for; the rest is the file. Each drawing costs up to a second or
// two, so this target runs apart from the other pictures.
// Must hold: the framing tells the truth (as in the pictures target); a
// drawn picture stays within the decoded-size bound, in a usable pixel
// format, and fits the area it was drawn for, or without an area stays
// within 1024 pixels a side, give or take a pixel of rounding.

#include "FuzzRequire.h"
#include "PictureLoader.h"
#include "PictureScratch.h"
#include "WmfFrameCheck.h"
#include "pictures/PictureLimits.h"


#include <cstdint>
#include <iterator>

namespace {

// No area yet, a full-HD screen, a small window, a single pixel, and a
// narrow strip, which stretches the fit one way.
const QSize Areas[] = {QSize(), QSize(1920, 1080), QSize(320, 200), QSize(1, 1), QSize(2000, 3)};
// A picture drawn at its own size is at most this many pixels a side.
constexpr int OwnSizeBound = 1024;

QString writeMetafile(const QByteArray &bytes)
{
    return PictureScratch::write(QStringLiteral("advert.wmf"), bytes.constData(), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return PictureScratch::initialize(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QSize area = Areas[data[0] % std::size(Areas)];
    const QByteArray metafile(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    WmfFrameCheck::checkFrame(metafile);

    const QImage picture = PictureLoader::Load(writeMetafile(metafile), area);
    if (picture.isNull())
        return 0;
    REQUIRE(PictureLimits::fitsDecodedBound(picture.size()));
    REQUIRE(picture.format() == QImage::Format_ARGB32_Premultiplied && picture.constBits() != nullptr);
    const QSize bound = area.isEmpty() ? QSize(OwnSizeBound, OwnSizeBound) : area;
    REQUIRE(picture.width() <= bound.width() + 1 && picture.height() <= bound.height() + 1);
    return 0;
}
