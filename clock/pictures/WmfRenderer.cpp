#include "WmfRenderer.h"

#include "IsolatedCall.h"
#include "PictureLimits.h"
#include "WmfFrame.h"

#include <QFile>

#include <Magick++.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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

struct Header
{
    std::uint32_t width;
    std::uint32_t height;
};

// ImageMagick's own bounds, set in the child only: its time limit counts
// from the first picture a process draws and then ends the whole process,
// which is harmless only in a process that draws one picture.
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

bool renderInChild(const QByteArray &metafile, const QSize &fitSize, int fd)
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

QImage imageFrom(const QByteArray &output)
{
    Header header{};
    if (output.size() < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, output.constData(), sizeof header);
    const QSize size(int(header.width), int(header.height));
    if (!PictureLimits::fitsDecodedBound(size)
        || output.size() != qsizetype(sizeof header) + qsizetype(header.width) * header.height * 4)
        return {};
    QImage image(size, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const char *row = output.constData() + sizeof header;
    for (int y = 0; y < size.height(); ++y, row += size.width() * 4)
        std::memcpy(image.scanLine(y), row, std::size_t(size.width()) * 4);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

QImage WmfRenderer::Render(const QString &path, const QSize &fitSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > PictureLimits::MaxWmfFileBytes)
        return {};
    const QByteArray data = file.readAll();
    if (data.size() != file.size())
        return {};
    return RenderData(data, fitSize);
}

QImage WmfRenderer::RenderData(const QByteArray &metafile, const QSize &fitSize)
{
    if (metafile.size() > PictureLimits::MaxWmfFileBytes)
        return {};
    const QByteArray framed = WmfFrame::Framed(metafile);
    if (framed.isEmpty())
        return {};
    const IsolatedCall::Limits limits{PictureLimits::WmfRenderTimeoutMs,
                                      qint64(sizeof(Header)) + PictureLimits::MaxDecodedPixels * 4,
                                      PictureLimits::WmfRenderExtraAddressSpace};
    QByteArray output;
    const auto work = [&framed, &fitSize](int fd) { return renderInChild(framed, fitSize, fd); };
    if (IsolatedCall::Run(work, limits, output) != IsolatedCall::Outcome::Finished)
        return {};
    return imageFrom(output);
}
