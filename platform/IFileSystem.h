// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Seam.h"

#include <QString>

// What the program asks of the file system: whether a file exists and the
// folder of its own executable file.
class IFileSystem
{
public:
    virtual ~IFileSystem() = default;
    virtual bool FileExists(const QString &path) = 0;
    // The folder of the running program file, with its trailing separator.
    virtual QString ProgramFolder() = 0;
};

using FileSystem = Seam<IFileSystem>;
