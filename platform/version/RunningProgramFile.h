#pragma once

#include "IProgramFile.h"

// The file the running process was started from.
class RunningProgramFile : public IProgramFile
{
public:
    QString ProgramFilePath() override;
};
