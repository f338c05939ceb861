// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IFileSystem.h"

#include <QSet>

// A file system in which only the listed files exist.
class FakeFileSystem : public IFileSystem
{
public:
    QString folder = QStringLiteral("/opt/vantix/");
    QSet<QString> files;

    bool FileExists(const QString &path) override { return files.contains(path); }
    QString ProgramFolder() override { return folder; }

    // Adds the three horn files to the program folder, so start-up asks nothing.
    void addHornFiles()
    {
        for (const char *name : {"1dyt.wav", "2dyt.wav", "3dyt.wav"})
            files.insert(folder + QLatin1String(name));
    }
};
