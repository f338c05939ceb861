// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FuzzRequire.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

// The picture targets hand each input to the loader as a file, the way the
// program meets an advert: written into one scratch folder, made with the
// Qt application the decoders need, and removed when the run ends.
namespace PictureScratch {

inline QTemporaryDir *&folder()
{
    static QTemporaryDir *scratchFolder = nullptr;
    return scratchFolder;
}

inline int initialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    static QTemporaryDir scratch;
    folder() = &scratch;
    return scratch.isValid() ? 0 : 1;
}

// Writes the bytes as the named file in the scratch folder and returns its path.
inline QString write(const QString &name, const char *data, qint64 size)
{
    const QString path = folder()->filePath(name);
    QFile file(path);
    REQUIRE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    REQUIRE(file.write(data, size) == size);
    return path;
}

} // namespace PictureScratch
