// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Seam.h"

#include <QString>

enum class MessageKind { Warning, Error, Information };

// Modal message box with the kind's icon, its standard title ("Warning",
// "Error", "Information") and a single OK button. Returns when OK is pressed.
// A lone carriage return in the text separates two lines.
class IMessageBoxes
{
public:
    virtual ~IMessageBoxes() = default;
    virtual void MessageDlg(const QString &text, MessageKind kind) = 0;
};

using MessageBoxes = Seam<IMessageBoxes>;

// Shorthand used by the windows.
inline void MessageDlg(const QString &text, MessageKind kind)
{
    MessageBoxes::get().MessageDlg(text, kind);
}

QString messageTitle(MessageKind kind);
