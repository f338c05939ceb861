// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

bool LocalFileSystem::FileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString LocalFileSystem::ProgramFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
