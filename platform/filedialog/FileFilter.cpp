// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileFilter.h"

QList<FileFilter> FileFilter::ParseList(const QString &filter)
{
    QList<FileFilter> result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter choice;
        choice.name = parts.at(i);
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'))) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty())
                choice.patterns.append(trimmed);
        }
        result.append(choice);
    }
    return result;
}
