// SPDX-License-Identifier: GPL-3.0-or-later
#include "WmfDrawing.h"

#include "IsolatedCall.h"
#include "PictureLimits.h"
#include "WmfFrame.h"

#include <Magick++.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double ProbeDensity = 72.0;
constexpr double DefaultDensity = 96.0; // a picture's own size, when there is no area yet
constexpr double OwnSizeBound = 1024.0;  // pixels, for a picture's own size
constexpr std::int64_t MagickMemory = 256LL * 1024 * 1024;
constexpr std::size_t MagickMaxSide = 16384;
constexpr int MagickTimeLimitSeconds = 4;

#if Q_BYTE_ORDER == Q_BIG_ENDIAN
const char *const PixelOrder = "ARGB";
#else
const char *const PixelOrder = "BGRA"; // the byte order of QImage::Format_ARGB32
#endif

// ImageMagick's own bounds: its time limit counts from the first picture a
// process draws and then ends the whole process, which is harmless only in
// a process that draws one picture.
void limitMagick()
{
    Magick::ResourceLimits::memory(MagickMemory);
    Magick::ResourceLimits::map(MagickMemory);
    Magick::ResourceLimits::disk(0);
    Magick::ResourceLimits::area(PictureLimits::MaxDecodedPixels);
    Magick::ResourceLimits::width(MagickMaxSide);
    Magick::ResourceLimits::height(MagickMaxSide);
    Magick::ResourceLimits::listLength(2); // one picture: ImageMagick refuses its own limit of 1
    Magick::ResourceLimits::thread(1);
    MagickCore::SetMagickResourceLimit(MagickCore::TimeResource, MagickTimeLimitSeconds);
}

void setDensity(Magick::Image &image, double density)
{
    // Formatted without the locale, which may write a decimal comma.
    const QByteArray number = QByteArray::number(density, 'f', 4);
    MagickCore::CloneString(&image.imageInfo()->density, (number + 'x' + number).constData());
}

Magick::Image readAt(const Magick::Blob &blob, double density, bool ping)
{
    Magick::Image image;
    image.quiet(true);
    image.magick("WMF");
    image.backgroundColor(Magick::Color("none"));
    setDensity(image, density);
    if (ping)
        image.ping(blob);
    else
        image.read(blob);
    return image;
}

// How a picture is drawn: the metafile, and the density to draw it at.
struct Drawing
{
    QByteArray metafile;
    double density = 0;
};

// ImageMagick draws a picture at a density of a fraction of a dot an inch
// (a frame of thousands of inches) thousands of times slower than the same
// pixels at an ordinary density. So the header's units per inch are set to
// give the pixels wanted at about 96 dots an inch.
Drawing placeableToFit(const QByteArray &metafile, const QSize &fitSize)
{
    const QSize box = WmfFrame::BoundingBox(metafile);
    const double pixelsPerUnit =
        fitSize.isEmpty() ? std::min({DefaultDensity / WmfFrame::UnitsPerInch(metafile), OwnSizeBound / box.width(),
                                      OwnSizeBound / box.height()})
                          : std::min(double(fitSize.width()) / box.width(), double(fitSize.height()) / box.height());
    const int unitsPerInch = std::clamp(int(std::lround(DefaultDensity / pixelsPerUnit)), 1, 0xFFFF);
    return {WmfFrame::WithUnitsPerInch(metafile, unitsPerInch), pixelsPerUnit * unitsPerInch};
}

// A metafile without a placeable header has only the size the renderer gives it.
Drawing unplacedToFit(const QByteArray &metafile, const QSize &fitSize)
{
    const Magick::Blob blob(metafile.constData(), std::size_t(metafile.size()));
    const Magick::Image probe = readAt(blob, ProbeDensity, true);
    const QSizeF inches = QSizeF(double(probe.columns()), double(probe.rows())) / ProbeDensity;
    if (inches.isEmpty())
        return {};
    const double toFit = fitSize.isEmpty() ? std::min(OwnSizeBound / inches.width(), OwnSizeBound / inches.height())
                                           : std::min(fitSize.width() / inches.width(), fitSize.height() / inches.height());
    return {metafile, fitSize.isEmpty() ? std::min(DefaultDensity, toFit) : toFit};
}

} // namespace

bool WmfDrawing::Draw(const QByteArray &metafile, const QSize &fitSize, int fd)
{
    Magick::InitializeMagick(nullptr);
    limitMagick();
    const Drawing drawing = WmfFrame::BoundingBox(metafile).isEmpty() ? unplacedToFit(metafile, fitSize)
                                                                      : placeableToFit(metafile, fitSize);
    if (!(drawing.density > 0))
        return false;
    const Magick::Blob blob(drawing.metafile.constData(), std::size_t(drawing.metafile.size()));
    Magick::Image image = readAt(blob, drawing.density, false);
    const Header header{std::uint32_t(image.columns()), std::uint32_t(image.rows())};
    if (!PictureLimits::fitsDecodedBound(QSize(int(header.width), int(header.height))))
        return false;
    std::vector<unsigned char> pixels(std::size_t(header.width) * header.height * 4);
    image.write(0, 0, header.width, header.height, PixelOrder, Magick::CharPixel, pixels.data());
    return IsolatedCall::WriteAll(fd, &header, sizeof header)
           && IsolatedCall::WriteAll(fd, pixels.data(), pixels.size());
}
