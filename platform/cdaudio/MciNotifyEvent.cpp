// SPDX-License-Identifier: GPL-3.0-or-later
#include "MciNotifyEvent.h"

MciNotifyEvent::MciNotifyEvent(std::uint32_t notifyCode, std::uint16_t deviceId)
    : QEvent(eventType()), code(notifyCode), device(deviceId)
{
}

QEvent::Type MciNotifyEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
