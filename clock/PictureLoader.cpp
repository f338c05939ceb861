#include "PictureLoader.h"

#include <QFileInfo>
#include <QImageReader>

QImage PictureLoader::Load(const QString &path, const QSize &)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("bmp"))
        return {};
    QImageReader reader(path, "bmp");
    return reader.read();
}
