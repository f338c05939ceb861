// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalFileSystem.h"
#include "QtMessageBoxes.h"
#include "QtSoundPlayer.h"

// The program's real services, as its entry installs them, for the benchmarks
// that run the real main window. The horn sounds are taken from the built
// program's folder so the start-up check passes and the signals really play.
class BenchPlatform
{
public:
    explicit BenchPlatform(const QString &programFolder)
        : folder(programFolder), sound(programFolder)
    {
        FileSystem::install(&fileSystem);
        MessageBoxes::install(&messageBoxes);
        SoundPlayer::install(&sound);
    }

private:
    class FolderFileSystem : public LocalFileSystem
    {
    public:
        explicit FolderFileSystem(const QString &folder) : folder(folder) {}
        QString ProgramFolder() override { return folder; }

    private:
        QString folder;
    };

    QString folder;
    FolderFileSystem fileSystem{folder};
    QtMessageBoxes messageBoxes;
    QtSoundPlayer sound;
};
