// SPDX-License-Identifier: GPL-3.0-or-later
// The phone remote's messages: any bytes at all as the text of one WebSocket
// message, through RemoteCommand::Parse.
// Must hold: a command is read exactly when the text is "pin" and six digits,
// or "press" and two numbers of one to nine digits, the button at most 99,
// single spaces between, nothing else (checked against a separate reading
// with std::regex); the numbers read are those the digits say; nothing
// longer than the message limit is ever read.

#include "FuzzRequire.h"
#include "RemoteCommand.h"

#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<RemoteCommand> command = RemoteCommand::Parse(text);
    const std::string plain(text.constData(), std::size_t(text.size()));

    static const std::regex pin("pin ([0-9]{6})");
    static const std::regex press("press ([0-9]{1,9}) ([0-9]{1,9})");
    std::smatch words;
    if (std::regex_match(plain, words, pin)) {
        REQUIRE(command && command->kind == RemoteCommand::Kind::Pin);
        REQUIRE(command->pin.toStdString() == words[1].str());
        return 0;
    }
    if (std::regex_match(plain, words, press) && std::strtoul(words[2].str().c_str(), nullptr, 10) <= 99) {
        REQUIRE(command && command->kind == RemoteCommand::Kind::Press);
        REQUIRE(command->list == std::strtoul(words[1].str().c_str(), nullptr, 10));
        REQUIRE(command->button == int(std::strtoul(words[2].str().c_str(), nullptr, 10)));
        REQUIRE(size <= std::size_t(RemoteCommand::MaxLength));
        return 0;
    }
    REQUIRE(!command);
    return 0;
}
