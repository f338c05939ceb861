// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One choice of an open-file dialog's filter: the name the dialog shows and
// the file-name patterns it offers ("*.BMP").
struct FileFilter
{
    QString name;
    QStringList patterns;

    bool operator==(const FileFilter &other) const = default;

    // Reads a filter written as "name|patterns|name|patterns...", with the
    // patterns of one choice separated by ";" (blanks around them ignored).
    // A trailing name without patterns is dropped.
    static QList<FileFilter> ParseList(const QString &filter);
};
