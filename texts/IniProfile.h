// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// Reads an INI file the way the Windows profile reader does for the program's
// purposes: section and key names match without regard to letter case, the
// value is what follows the first '=' with blanks (and the old end-of-file
// mark Ctrl-Z) trimmed and one enclosing pair of double or single quotes
// removed, and a value is cut to 2047 characters. A line ends at LF, at CR or
// at both. The first occurrence of a key in a section wins, and only the first
// section of a name is looked in.
class IniProfile
{
public:
    static constexpr int MaxValueLength = 2047;
    // Only this much of a file is read; a language file is a few kilobytes, and
    // anything past the limit is treated as absent.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    // Returns false when the file cannot be opened or read; the profile is then empty.
    bool load(const QString &path);
    void parse(const QByteArray &content);

    // The value of the key, or defaultValue when the section or the key is missing.
    QString value(const QString &section, const QString &key, const QString &defaultValue) const;

private:
    void addLine(QByteArrayView line);
    void startSection(const QString &name);
    QString decode(QByteArrayView bytes) const;

    QHash<QString, QString> values; // "section\nkey", both folded to lower case
    bool utf8 = false;
    // While reading: the section the lines belong to, and the sections seen so
    // far; a section seen before takes no keys.
    QString section;
    bool sectionRepeated = false;
    QSet<QString> sectionsSeen;
};
