// SPDX-License-Identifier: GPL-3.0-or-later
#include "WmfRenderer.h"

#include "IsolatedCall.h"
#include "PictureLimits.h"
#include "WmfDrawing.h"
#include "WmfFrame.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

const char *const HelperName = "vantix-wmf";

QImage imageFrom(const QByteArray &output)
{
    WmfDrawing::Header header{};
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

QString WmfRenderer::HelperPath()
{
    // The folder of the running program's own file, links followed, so an
    // installed copy started through a link finds its helper beside itself.
    const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
    const QString beside = QDir(programFolder).filePath(QLatin1String(HelperName));
    if (QFileInfo(beside).isExecutable())
        return beside;
    // Programs of a build tree that are not the clock (tests, benchmarks,
    // fuzz replays) use the helper the build placed beside the clock, in
    // bin/ of the folder above them that holds the build's CMakeCache.txt.
    // An installed copy lies in no build tree, so it never reaches into one:
    // without its own helper its metafiles fail and are reported. No build
    // folder is written into the program.
    QDir folder(programFolder);
    do {
        if (folder.exists(QStringLiteral("CMakeCache.txt"))) {
            const QString built = folder.filePath(QStringLiteral("bin/") + QLatin1String(HelperName));
            return QFileInfo(built).isExecutable() ? built : beside;
        }
    } while (folder.cdUp());
    return beside;
}

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
    const QSize fit = fitSize.isEmpty() ? QSize(0, 0) : fitSize;
    const QStringList arguments{QString::number(fit.width()), QString::number(fit.height()),
                                QString::number(PictureLimits::WmfRenderExtraAddressSpace)};
    QByteArray output;
    const IsolatedCall::Outcome outcome =
        IsolatedCall::RunProgram(HelperPath(), arguments, framed, PictureLimits::WmfRenderTimeoutMs,
                                 qint64(sizeof(WmfDrawing::Header)) + PictureLimits::MaxDecodedPixels * 4, output);
    if (outcome != IsolatedCall::Outcome::Finished)
        return {};
    return imageFrom(output);
}
