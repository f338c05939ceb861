#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Turns an advert picture file into an image. The kind of picture is taken
// from the file's extension, without regard to letter case.
class PictureLoader
{
public:
    // Loads the picture at path. fitSize is the size, in device pixels, of the
    // area it will be shown in; a large picture may be decoded at a reduced
    // scale that still covers it. Returns a null image when the file cannot be
    // loaded for any reason.
    static QImage Load(const QString &path, const QSize &fitSize);
};
