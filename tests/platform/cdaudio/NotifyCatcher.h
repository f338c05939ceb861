// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MciNotifyEvent.h"

#include <QList>
#include <QObject>

// Receives the device's MM_MCINOTIFY messages in place of a window.
class NotifyCatcher : public QObject
{
public:
    struct Note
    {
        std::uint32_t code;
        std::uint16_t device;
    };
    QList<Note> notes;

    QList<std::uint32_t> codes() const
    {
        QList<std::uint32_t> result;
        for (const Note &note : notes)
            result.append(note.code);
        return result;
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != MciNotifyEvent::eventType())
            return QObject::event(event);
        const auto *notify = static_cast<MciNotifyEvent *>(event);
        notes.append({notify->wParam(), notify->lParam()});
        return true;
    }
};
