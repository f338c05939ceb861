// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IMessageBoxes.h"

#include <QList>

#include <functional>

// Records every message box instead of showing it. onShow runs while the
// "box is open", so a test can do what the event loop would do meanwhile.
class FakeMessageBoxes : public IMessageBoxes
{
public:
    struct Shown
    {
        QString text;
        MessageKind kind;
    };
    QList<Shown> shown;
    std::function<void(const Shown &)> onShow;

    void MessageDlg(const QString &text, MessageKind kind) override
    {
        shown.append({text, kind});
        if (onShow)
            onShow(shown.back());
    }
    QStringList texts() const
    {
        QStringList result;
        for (const Shown &box : shown)
            result.append(box.text);
        return result;
    }
};
