// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniProfile.h"

#include "Cp1252.h"

#include <QFile>
#include <QStringDecoder>

#include <optional>

namespace {

QString lookupKey(const QString &section, const QString &key)
{
    return section.toCaseFolded() + QLatin1Char('\n') + key.toCaseFolded();
}

QByteArrayView unquoted(QByteArrayView value)
{
    if (value.size() >= 2) {
        const char first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.sliced(1, value.size() - 2);
    }
    return value;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Ctrl-Z, once the end-of-file mark of text files, counts as a blank at
// either end of a value.
bool isValueBlank(char c)
{
    return isBlank(c) || c == '\x1A';
}

template <bool (*blank)(char) = isBlank>
QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// The next line ends at the first LF or CR; a CR LF pair leaves an empty
// line behind, which holds nothing.
qsizetype lineEnd(QByteArrayView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r')
            return i;
    }
    return -1;
}

// A file saved as "Unicode" (UTF-16 with a byte-order mark, either byte
// order) is turned into UTF-8, which the reader then takes as it takes a
// UTF-8 file.
std::optional<QByteArray> fromUtf16(QByteArrayView content)
{
    QStringConverter::Encoding encoding;
    if (content.startsWith("\xFF\xFE"))
        encoding = QStringConverter::Utf16LE;
    else if (content.startsWith("\xFE\xFF"))
        encoding = QStringConverter::Utf16BE;
    else
        return std::nullopt;
    QStringDecoder decoder(encoding);
    const QString text = decoder(content.sliced(2));
    return text.toUtf8();
}

} // namespace

bool IniProfile::load(const QString &path)
{
    values.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.read(MaxFileBytes);
    if (file.error() != QFileDevice::NoError)
        return false;
    parse(content);
    return true;
}

void IniProfile::parse(const QByteArray &content)
{
    values.clear();
    section.clear();
    sectionRepeated = false;
    sectionsSeen.clear();
    const std::optional<QByteArray> converted = fromUtf16(content);
    QByteArrayView rest = converted ? QByteArrayView(*converted) : QByteArrayView(content);
    // A file saved as UTF-8 with a byte-order mark is read as UTF-8, so that
    // a language file written in a modern editor still shows its letters;
    // so is a UTF-16 file once converted.
    utf8 = converted.has_value() || rest.startsWith("\xEF\xBB\xBF");
    if (!converted && utf8)
        rest = rest.sliced(3);
    while (!rest.isEmpty()) {
        const qsizetype end = lineEnd(rest);
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        addLine(line);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    }
}

QString IniProfile::decode(QByteArrayView bytes) const
{
    return utf8 ? QString::fromUtf8(bytes) : Cp1252::decode(bytes.toByteArray());
}

void IniProfile::startSection(const QString &name)
{
    section = name;
    const QString folded = name.toCaseFolded();
    sectionRepeated = sectionsSeen.contains(folded);
    sectionsSeen.insert(folded);
}

void IniProfile::addLine(QByteArrayView rawLine)
{
    // The profile reader hands back zero-terminated strings: nothing after a
    // NUL byte of a line is seen.
    const qsizetype nul = rawLine.indexOf('\0');
    const QByteArrayView line = trimmed(nul < 0 ? rawLine : rawLine.first(nul));
    if (line.startsWith('[')) {
        const qsizetype close = line.indexOf(']');
        const QByteArrayView name = close < 0 ? line.sliced(1) : line.sliced(1, close - 1);
        startSection(decode(trimmed(name)));
        return;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0 || sectionRepeated)
        return;
    const QString key = lookupKey(section, decode(trimmed(line.first(equals))));
    if (values.contains(key))
        return;
    // Only what can survive the cut is decoded, so an overlong line costs nothing.
    QByteArrayView raw = unquoted(trimmed<isValueBlank>(line.sliced(equals + 1)));
    const qsizetype maxBytes = utf8 ? 4 * MaxValueLength : MaxValueLength;
    if (raw.size() > maxBytes)
        raw = raw.first(maxBytes);
    values.insert(key, decode(raw).left(MaxValueLength));
}

QString IniProfile::value(const QString &section, const QString &key,
                          const QString &defaultValue) const
{
    const auto found = values.constFind(lookupKey(section, key));
    return found == values.cend() ? defaultValue : found.value();
}
