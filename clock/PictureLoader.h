// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Turns an advert picture file into an image. The kind of picture is taken
// from the file's extension, without regard to letter case: ".bmp", ".jpg",
// ".jpeg" and ".wmf". Any other extension, a missing or unreadable file, and
// content its decoder refuses, all fail alike.
class PictureLoader
{
public:
    enum class Kind { Unknown, Bmp, Jpeg, Wmf };
    static Kind KindOf(const QString &path);

    // Loads the picture at path. fitSize is the size, in device pixels, of the
    // area it will be shown in; a large picture may be decoded at a reduced
    // scale that still covers it, and a vector picture is drawn to fit it.
    // Returns a null image when the file cannot be loaded for any reason.
    static QImage Load(const QString &path, const QSize &fitSize);
};
