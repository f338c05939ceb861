// SPDX-License-Identifier: GPL-3.0-or-later
#include "WholeNumber.h"

namespace {

constexpr std::int64_t LargestMagnitude = 2147483648LL; // of -2147483648
constexpr std::uint64_t LargestHexadecimal = 0xFFFFFFFFULL;

int decimalDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') ? u - u'0' : -1;
}

int hexadecimalDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isX(QChar c)
{
    return c == QLatin1Char('x') || c == QLatin1Char('X');
}

} // namespace

std::optional<std::int32_t> WholeNumber::Parse(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    const QStringView rest = text.mid(start);
    if (rest.isEmpty())
        return std::nullopt;
    const QChar first = rest.at(0);
    if (first == QLatin1Char('$') || isX(first))
        return parseHexadecimal(rest.mid(1));
    if (first == QLatin1Char('0') && rest.size() > 1 && isX(rest.at(1)))
        return parseHexadecimal(rest.mid(2));
    if (first == QLatin1Char('+') || first == QLatin1Char('-'))
        return parseDecimal(rest.mid(1), first == QLatin1Char('-'));
    return parseDecimal(rest, false);
}

std::optional<std::uint8_t> WholeNumber::ParseByte(QStringView text)
{
    const std::optional<std::int32_t> value = Parse(text);
    if (!value || *value < 0 || *value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

std::optional<std::int32_t> WholeNumber::parseDecimal(QStringView digits, bool negative)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const QChar c : digits) {
        const int digit = decimalDigit(c);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
        // Stop at once past the range, so any number of digits is safe.
        if (magnitude > LargestMagnitude)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > LargestMagnitude - 1)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> WholeNumber::parseHexadecimal(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        const int digit = hexadecimalDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > LargestHexadecimal)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}
