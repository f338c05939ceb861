// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningProgramFile.h"

#include <QCoreApplication>

QString RunningProgramFile::ProgramFilePath()
{
    return QCoreApplication::applicationFilePath();
}
