// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IShell.h"

#include <QList>
#include <QPointer>
#include <QWidget>

// Records every target handed to the shell instead of opening it.
class FakeShell : public IShell
{
public:
    struct Call
    {
        QPointer<QWidget> owner;
        bool ownerGiven = false; // false: the application's own window
        QString operation;
        QString file;
        int showCommand = 0;
    };
    QList<Call> calls;
    bool result = true;

    bool ShellExecute(QWidget *owner, const QString &operation, const QString &file, int showCommand) override
    {
        calls.append({owner, owner != nullptr, operation, file, showCommand});
        return result;
    }
    QStringList files() const
    {
        QStringList result;
        for (const Call &call : calls)
            result.append(call.file);
        return result;
    }
};
