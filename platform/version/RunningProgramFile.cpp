#include "RunningProgramFile.h"

#include <QCoreApplication>

QString RunningProgramFile::ProgramFilePath()
{
    return QCoreApplication::applicationFilePath();
}
