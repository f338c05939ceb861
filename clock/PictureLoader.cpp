// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureLoader.h"

#include "pictures/BmpDecoder.h"
#include "pictures/JpegDecoder.h"
#include "pictures/WmfRenderer.h"

#include <QFileInfo>

PictureLoader::Kind PictureLoader::KindOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return Kind::Bmp;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return Kind::Jpeg;
    if (suffix == QLatin1String("wmf"))
        return Kind::Wmf;
    return Kind::Unknown;
}

QImage PictureLoader::Load(const QString &path, const QSize &fitSize)
{
    switch (KindOf(path)) {
    case Kind::Bmp: return BmpDecoder::Decode(path);
    case Kind::Jpeg: return JpegDecoder::Decode(path, fitSize);
    case Kind::Wmf: return WmfRenderer::Render(path, fitSize);
    case Kind::Unknown: break;
    }
    return {};
}
