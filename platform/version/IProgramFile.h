// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Seam.h"

#include <QString>

// The full path of the running program's own file, whose version resource
// the about box shows.
class IProgramFile
{
public:
    virtual ~IProgramFile() = default;
    virtual QString ProgramFilePath() = 0;
};

using ProgramFile = Seam<IProgramFile>;
