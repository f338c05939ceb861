#include "IniProfile.h"

#include "Cp1252.h"

#include <QFile>

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

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
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
    QByteArrayView rest(content);
    // A file saved as UTF-8 with a byte-order mark is read as UTF-8, so that
    // a language file written in a modern editor still shows its letters.
    utf8 = rest.startsWith("\xEF\xBB\xBF");
    if (utf8)
        rest = rest.sliced(3);
    QString section;
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        addLine(line, section);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    }
}

void IniProfile::addLine(QByteArrayView rawLine, QString &section)
{
    // The profile reader hands back zero-terminated strings: nothing after a
    // NUL byte of a line is seen.
    const qsizetype nul = rawLine.indexOf('\0');
    const QByteArrayView line = trimmed(nul < 0 ? rawLine : rawLine.first(nul));
    const auto decode = [this](QByteArrayView bytes) {
        return utf8 ? QString::fromUtf8(bytes) : Cp1252::decode(bytes.toByteArray());
    };
    if (line.startsWith('[')) {
        const qsizetype close = line.indexOf(']');
        const QByteArrayView name = close < 0 ? line.sliced(1) : line.sliced(1, close - 1);
        section = decode(trimmed(name));
        return;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0)
        return;
    const QString key = lookupKey(section, decode(trimmed(line.first(equals))));
    if (values.contains(key))
        return;
    // Only what can survive the cut is decoded, so an overlong line costs nothing.
    QByteArrayView raw = unquoted(trimmed(line.sliced(equals + 1)));
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
