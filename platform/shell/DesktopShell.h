// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IShell.h"

#include <QUrl>

// The real shell, through the desktop's own URL handlers.
class DesktopShell : public IShell
{
public:
    bool ShellExecute(QWidget *owner, const QString &operation, const QString &file,
                      int showCommand) override;

    // The address the desktop is asked to open for a target: a bare host
    // name is a web address, anything with a scheme keeps it. Invalid (and
    // so opened by nobody) for an empty or unusable target.
    static QUrl targetUrl(const QString &file);
};
