// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class ITournamentWindows;
class QWidget;

// The tournament file the timekeeper works with: opened, saved, saved under
// a new name. Nothing is written but on Save; a file that cannot be used is
// refused whole, with one message, and changes nothing.
class TournamentDocument
{
public:
    explicit TournamentDocument(ITournamentWindows &windows);

    // The file opened or saved last; empty before either.
    QString Path() const { return path; }

    bool Open(const QString &file);
    // Saves to the file in use; without one, asks for a name first.
    bool Save(QWidget *dialogParent = nullptr);
    bool SaveAs(const QString &file);

    // Asks for a file through the file dialog, then opens or saves it.
    bool ChooseAndOpen(QWidget *dialogParent);
    bool ChooseAndSaveAs(QWidget *dialogParent);

    static constexpr const char *Suffix = "vantix";

private:
    QString choose(QWidget *dialogParent, bool save);

    ITournamentWindows &windows;
    QString path;
    QString lastFolder;
};
