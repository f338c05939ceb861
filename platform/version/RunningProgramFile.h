// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IProgramFile.h"

// The file the running process was started from.
class RunningProgramFile : public IProgramFile
{
public:
    QString ProgramFilePath() override;
};
