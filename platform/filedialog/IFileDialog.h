// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileFilter.h"
#include "Seam.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// What one opening of the open-file dialog is asked to show.
struct OpenFileRequest
{
    QWidget *parent = nullptr;
    QString title;
    QList<FileFilter> filters;
    int filterIndex = 1; // the choice selected at opening, counted from 1
    QString startFolder;
    bool multiSelect = false;
};

// How the user left it. The files are full paths, in the dialog's order.
struct OpenFileAnswer
{
    bool confirmed = false;
    QStringList files;
    int filterIndex = 1;  // the choice in force when the dialog closed
    QString folder;       // the folder shown when the dialog closed
};

// The modal open-file dialog. Returns when the user confirms or cancels.
class IFileDialog
{
public:
    virtual ~IFileDialog() = default;
    virtual OpenFileAnswer OpenFiles(const OpenFileRequest &request) = 0;
    // The modal save-file dialog: one file, which need not exist yet; a name
    // typed without a suffix gets this one ("vantix"). A dialog that does not
    // tell saving apart answers as it answers an opening.
    virtual OpenFileAnswer SaveFile(const OpenFileRequest &request, const QString &suffix)
    {
        static_cast<void>(suffix);
        return OpenFiles(request);
    }
};

using FileDialog = Seam<IFileDialog>;
