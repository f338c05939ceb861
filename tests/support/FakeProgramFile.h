// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IProgramFile.h"

// Names any file as the running program's own.
class FakeProgramFile : public IProgramFile
{
public:
    QString path;
    QString ProgramFilePath() override { return path; }
};
