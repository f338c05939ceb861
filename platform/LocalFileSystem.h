// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IFileSystem.h"

// The real file system. The program folder comes from the path of the
// running executable, never from the working directory.
class LocalFileSystem : public IFileSystem
{
public:
    bool FileExists(const QString &path) override;
    QString ProgramFolder() override;
};
