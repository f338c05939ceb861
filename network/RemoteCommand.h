// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// One message a phone sends to run the clock, read from the text of one
// WebSocket message. Two kinds, each one short line of ASCII:
//   "pin 123456"          unlock the buttons with the PIN shown to the operator
//   "press <list> <n>"    press button n of the button list numbered <list>
// Anything else, however close, is not a command.
struct RemoteCommand
{
    enum class Kind { Pin, Press };

    // Longer messages are refused before they are read.
    static constexpr int MaxLength = 64;

    Kind kind = Kind::Pin;
    QString pin;              // six digits, for Pin
    std::uint32_t list = 0;   // the button list the press was made on
    int button = 0;           // its place in that list, from 0

    static std::optional<RemoteCommand> Parse(const QByteArray &text);
};
