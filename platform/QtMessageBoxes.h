// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IMessageBoxes.h"

class QWidget;

// The real message boxes, through QMessageBox.
class QtMessageBoxes : public IMessageBoxes
{
public:
    void MessageDlg(const QString &text, MessageKind kind) override;

    // The text as the box shows it: a lone carriage return becomes a line break.
    static QString displayText(const QString &text);
};
