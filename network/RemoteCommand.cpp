// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemoteCommand.h"

#include <QList>

namespace {

bool allDigits(const QByteArray &word)
{
    if (word.isEmpty())
        return false;
    for (const char c : word) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A plain decimal of at most nine digits, so it always fits.
std::optional<std::uint32_t> smallNumber(const QByteArray &word)
{
    if (!allDigits(word) || word.size() > 9)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : word)
        value = value * 10 + std::uint32_t(c - '0');
    return value;
}

} // namespace

std::optional<RemoteCommand> RemoteCommand::Parse(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > MaxLength)
        return std::nullopt;
    const QList<QByteArray> words = text.split(' ');
    RemoteCommand command;
    if (words.size() == 2 && words[0] == "pin") {
        if (words[1].size() != 6 || !allDigits(words[1]))
            return std::nullopt;
        command.kind = Kind::Pin;
        command.pin = QString::fromLatin1(words[1]);
        return command;
    }
    if (words.size() == 3 && words[0] == "press") {
        const std::optional<std::uint32_t> list = smallNumber(words[1]);
        const std::optional<std::uint32_t> button = smallNumber(words[2]);
        if (!list || !button || *button > 99)
            return std::nullopt;
        command.kind = Kind::Press;
        command.list = *list;
        command.button = int(*button);
        return command;
    }
    return std::nullopt;
}
