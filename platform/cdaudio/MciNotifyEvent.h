// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>

#include <cstdint>

// The MM_MCINOTIFY message: posted to the object named as a request's
// callback when a request that asked for a notification has completed.
// wParam is the completion code (MCI_NOTIFY_SUCCESSFUL, _SUPERSEDED,
// _ABORTED or _FAILURE), lParam the device identifier.
class MciNotifyEvent : public QEvent
{
public:
    MciNotifyEvent(std::uint32_t notifyCode, std::uint16_t deviceId);

    static QEvent::Type eventType();

    std::uint32_t wParam() const { return code; }
    std::uint16_t lParam() const { return device; }

private:
    std::uint32_t code;
    std::uint16_t device;
};
