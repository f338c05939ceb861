// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

// Reads the text of a number field as a whole number. After optional
// leading blanks comes either an optional "+" or "-" and decimal digits, a
// 32-bit signed value, or a "$", "x" or "0x" prefix (either case) and
// hexadecimal digits of at most FFFFFFFF, taken as a 32-bit signed value.
// Nothing may follow the digits. Pure: the same text always gives the same
// answer, whatever it holds.
class WholeNumber
{
public:
    static std::optional<std::int32_t> Parse(QStringView text);

    // A whole number from 0 to 255, the range of the clock's seconds and
    // waves; anything else gives no value.
    static std::optional<std::uint8_t> ParseByte(QStringView text);

private:
    static std::optional<std::int32_t> parseDecimal(QStringView digits, bool negative);
    static std::optional<std::int32_t> parseHexadecimal(QStringView digits);
};
