// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open-file dialog as a window holds it: its settings, kept between
// openings, and the files of the last confirmed opening. Each Execute opens
// the installed file dialog.
class TOpenDialog
{
public:
    QWidget *Owner = nullptr;
    QString Title;
    // "name|patterns|name|patterns...", patterns separated by ";".
    QString Filter;
    // The choice selected when the dialog opens, counted from 1; a confirmed
    // opening leaves the user's choice here for the next one.
    int FilterIndex = 1;
    // The folder of the first opening; later openings start where the last
    // confirmed one ended.
    QString InitialDir;
    bool AllowMultiSelect = false;
    // The full paths chosen in the last confirmed opening.
    QStringList Files;

    // Runs the dialog; true when the user confirmed a choice of files.
    bool Execute();

    // The folder the next opening starts in.
    QString StartFolder() const;

private:
    QString lastFolder;
};
