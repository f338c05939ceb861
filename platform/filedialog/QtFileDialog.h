// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IFileDialog.h"

class QFileDialog;

// The real open-file dialog, Qt's own widget dialog (the same on every
// desktop). Patterns match file names without regard to letter case, as
// they do on the system the program's users know, so "photo.jpg" shows
// under "*.JPG".
class QtFileDialog : public IFileDialog
{
public:
    OpenFileAnswer OpenFiles(const OpenFileRequest &request) override;
    OpenFileAnswer SaveFile(const OpenFileRequest &request, const QString &suffix) override;

    // Sets a dialog up for a request, without running it.
    static void Configure(QFileDialog &dialog, const OpenFileRequest &request);
    // What a configured dialog answers once it has closed.
    static OpenFileAnswer Answer(const QFileDialog &dialog, bool accepted);

    // The Qt name filter of one choice: its shown name and its patterns.
    static QString NameFilter(const FileFilter &filter);
    // A pattern that matches without regard to letter case ("*.[bB][mM][pP]").
    // "*.*" means every file, also one without a dot in its name.
    static QString CaseFreePattern(const QString &pattern);
};
