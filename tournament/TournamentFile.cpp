// SPDX-License-Identifier: GPL-3.0-or-later
#include "TournamentFile.h"

#include "IniProfile.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <variant>

namespace {

const QString Head = QStringLiteral("Vantix Tournament");
const QString Setup = QStringLiteral("Setup");
const QString Rounds = QStringLiteral("Rounds");
const QString Screens = QStringLiteral("Screens");
const QString Network = QStringLiteral("Network");
const QString Standing = QStringLiteral("Standing");

struct IntKey
{
    int TournamentSettings::*field;
    int least;
    int most;
};
using Field = std::variant<QString TournamentSettings::*, bool TournamentSettings::*, IntKey>;

struct Key
{
    const QString &section;
    const char *name;
    Field field;
};

// The keys, in the order in which they are written. The advert list, the
// end numbers and the first detail follow their own rules below.
const Key Keys[] = {
    {Setup, "TournamentName", &TournamentSettings::name},
    {Setup, "Waves", IntKey{&TournamentSettings::waves, 0, 255}},
    {Setup, "ShootingTime", IntKey{&TournamentSettings::shootingTime, 0, 255}},
    {Setup, "YellowTime", IntKey{&TournamentSettings::yellowTime, 0, 255}},
    {Setup, "RedTime", IntKey{&TournamentSettings::redTime, 5, 255}},
    {Setup, "CdPlayer", &TournamentSettings::cdPlayer},
    {Setup, "Adverts", &TournamentSettings::adverts},
    {Rounds, "Round", &TournamentSettings::round},
    {Rounds, "ShowDetail", &TournamentSettings::showDetail},
    {Rounds, "RotateDetails", &TournamentSettings::rotateDetails},
    {Rounds, "ShowEndNumber", &TournamentSettings::showEndNumber},
    {Rounds, "EndNumberToArchers", &TournamentSettings::endNumberToArchers},
    {Rounds, "EmergencyStop", &TournamentSettings::emergencyStop},
    {Rounds, "TrueSeconds", &TournamentSettings::trueSeconds},
    {Screens, "AudienceScreen", &TournamentSettings::audienceScreen},
    {Network, "Serve", &TournamentSettings::serve},
    {Network, "Port", IntKey{&TournamentSettings::port, 1, 65535}},
    {Standing, "Practice", &TournamentSettings::practice},
};

std::optional<bool> readBool(const QString &text)
{
    const QString folded = text.toCaseFolded();
    if (folded == QLatin1String("true") || folded == QLatin1String("1") || folded == QLatin1String("yes"))
        return true;
    if (folded == QLatin1String("false") || folded == QLatin1String("0") || folded == QLatin1String("no"))
        return false;
    return std::nullopt;
}

// Plain decimal digits only: a file says 240, not "0xF0" or "+240".
std::optional<int> readInt(const QString &text, int least, int most)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < least || value > most)
        return std::nullopt;
    return value;
}

// A value as the profile reader gives it back: blanks (Ctrl-Z among them)
// at either end, or an enclosing pair of quotes, are kept by one more pair
// of quotes.
QString quoted(const QString &value)
{
    const auto blank = [](QChar c) { return c.isSpace() || c == QChar(0x1A); };
    const bool blanks = !value.isEmpty() && (blank(value.front()) || blank(value.back()));
    const bool quotes = value.size() >= 2 && value.front() == value.back()
                        && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''));
    return blanks || quotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString advertKey(int number)
{
    return QStringLiteral("Advert%1").arg(number);
}

class Reader
{
public:
    Reader(const QByteArray &content, const QString &folder) : folder(folder)
    {
        // The profile reader takes a file as UTF-8 when it opens with the
        // byte-order mark; a tournament file is UTF-8 with or without one.
        static const QByteArray mark("\xEF\xBB\xBF");
        profile.parse(content.startsWith(mark) ? content : mark + content);
    }

    TournamentFile::Reading read()
    {
        TournamentFile::Reading reading;
        const QString version = profile.value(Head, QStringLiteral("Version"), QString());
        if (!readInt(version, 1, 999999999)) {
            reading.refusal = TournamentFile::Refusal::NotATournamentFile;
            return reading;
        }
        TournamentSettings &settings = reading.settings;
        for (const Key &key : Keys) {
            if (!readKey(key, settings))
                return refused(key.section, QLatin1String(key.name));
        }
        if (settings.shootingTime < settings.yellowTime)
            return refused(Setup, QStringLiteral("YellowTime"));
        for (int number = 1; number <= TournamentFile::MaxAdverts; ++number) {
            const QString path = profile.value(Setup, advertKey(number), QString());
            if (path.isEmpty())
                break;
            settings.advertList.append(QDir::cleanPath(QDir(folder).absoluteFilePath(path)));
        }
        if (!readEnd(QStringLiteral("End"), settings.scoringEnds)
            || !readEnd(QStringLiteral("PracticeEnd"), settings.practiceEnds))
            return failed;
        if (!readFirstDetail(settings))
            return failed;
        return reading;
    }

private:
    QString text(const QString &section, const char *name) const
    {
        return profile.value(section, QLatin1String(name), missing);
    }

    bool readKey(const Key &key, TournamentSettings &settings) const
    {
        const QString value = text(key.section, key.name);
        if (value == missing)
            return true;
        if (auto *textField = std::get_if<QString TournamentSettings::*>(&key.field)) {
            settings.*(*textField) = value;
            return true;
        }
        if (auto *boolField = std::get_if<bool TournamentSettings::*>(&key.field)) {
            const auto on = readBool(value);
            if (on)
                settings.*(*boolField) = *on;
            return on.has_value();
        }
        const IntKey &intKey = std::get<IntKey>(key.field);
        const auto number = readInt(value, intKey.least, intKey.most);
        if (number)
            settings.*(intKey.field) = *number;
        return number.has_value();
    }

    // "End=7": the next end is the seventh, six are finished.
    bool readEnd(const QString &name, int &finished)
    {
        const QString value = profile.value(Standing, name, missing);
        if (value == missing)
            return true;
        const auto number = readInt(value, 1, TournamentFile::MaxEnds);
        if (!number) {
            failed = refused(Standing, name);
            return false;
        }
        finished = *number - 1;
        return true;
    }

    bool readFirstDetail(TournamentSettings &settings)
    {
        const QString value = profile.value(Standing, QStringLiteral("FirstDetail"), missing);
        if (value == missing)
            return true;
        // Letters only where the round has them: AB or CD for two details,
        // EF as well for three.
        const int details = settings.waves >= 2 && settings.waves <= 3 ? settings.waves : 1;
        for (int detail = 0; detail < details; ++detail) {
            if (value.compare(TournamentFile::DetailName(detail), Qt::CaseInsensitive) == 0) {
                settings.firstDetail = detail;
                return true;
            }
        }
        failed = refused(Standing, QStringLiteral("FirstDetail"));
        return false;
    }

    TournamentFile::Reading refused(const QString &section, const QString &name) const
    {
        TournamentFile::Reading reading;
        reading.refusal = TournamentFile::Refusal::OutOfRange;
        reading.detail = section + QLatin1Char('/') + name + QLatin1Char('=')
                         + profile.value(section, name, QString());
        return reading;
    }

    // Told apart from every value a file can hold: the profile reader never
    // gives back a line break.
    const QString missing = QStringLiteral("\n");
    IniProfile profile;
    QString folder;
    TournamentFile::Reading failed;
};

} // namespace

TournamentFile::Reading TournamentFile::Read(const QByteArray &content, const QString &folder)
{
    if (content.size() > MaxBytes) {
        Reading reading;
        reading.refusal = Refusal::TooLarge;
        return reading;
    }
    return Reader(content, folder).read();
}

QByteArray TournamentFile::Write(const TournamentSettings &settings, const QString &folder)
{
    QString out;
    QString section;
    const auto line = [&](const QString &inSection, const QString &name, const QString &value) {
        if (inSection != section) {
            out += (section.isEmpty() ? QString() : QStringLiteral("\n")) + QLatin1Char('[') + inSection
                   + QStringLiteral("]\n");
            section = inSection;
        }
        out += name + QLatin1Char('=') + value + QLatin1Char('\n');
    };
    line(Head, QStringLiteral("Version"), QString::number(Version));
    const QDir base(folder);
    for (const Key &key : Keys) {
        QString value;
        if (auto *textField = std::get_if<QString TournamentSettings::*>(&key.field))
            value = quoted(settings.*(*textField));
        else if (auto *boolField = std::get_if<bool TournamentSettings::*>(&key.field))
            value = settings.*(*boolField) ? QStringLiteral("true") : QStringLiteral("false");
        else
            value = QString::number(settings.*(std::get<IntKey>(key.field).field));
        line(key.section, QLatin1String(key.name), value);
        if (key.section == Setup && QLatin1String(key.name) == QLatin1String("Adverts")) {
            int number = 0;
            for (const QString &path : settings.advertList) {
                if (++number > MaxAdverts)
                    break;
                const QString relative = base.relativeFilePath(path);
                const bool beside = !folder.isEmpty() && !relative.startsWith(QLatin1String("..")) &&
                                    !QFileInfo(relative).isAbsolute();
                line(Setup, advertKey(number), quoted(beside ? relative : path));
            }
        }
    }
    line(Standing, QStringLiteral("End"), QString::number(settings.scoringEnds + 1));
    line(Standing, QStringLiteral("PracticeEnd"), QString::number(settings.practiceEnds + 1));
    line(Standing, QStringLiteral("FirstDetail"), DetailName(settings.firstDetail));
    return out.toUtf8();
}

QString TournamentFile::DetailName(int detail)
{
    const QChar first(QLatin1Char('A').unicode() + 2 * detail);
    return QString(first) + QChar(first.unicode() + 1);
}
