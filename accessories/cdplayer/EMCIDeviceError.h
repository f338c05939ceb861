// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

// Raised by the media player strip when the device cannot be opened, and when
// a command is given while no device is open ("No MCI device open").
class EMCIDeviceError : public std::runtime_error
{
public:
    explicit EMCIDeviceError(const QString &message)
        : std::runtime_error(message.toStdString()), text(message)
    {
    }
    const QString &Message() const { return text; }

private:
    QString text;
};
