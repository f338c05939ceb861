// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Seam.h"

#include <QString>

class QWidget;

// How the shell shows the window of the program it starts.
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

// The desktop shell: hands a target to the program the user has chosen for
// it. "open" on a web address starts the default web browser, on a
// "mailto:" address a new message in the default mail program.
class IShell
{
public:
    virtual ~IShell() = default;
    // owner is the window the shell may place its own messages over; null
    // stands for the application itself. Returns whether the shell accepted
    // the target; the links ignore it, as the shell reports its own troubles.
    virtual bool ShellExecute(QWidget *owner, const QString &operation, const QString &file,
                              int showCommand) = 0;
};

using Shell = Seam<IShell>;
