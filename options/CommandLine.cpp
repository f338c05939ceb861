// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

namespace {

const QString AudienceOption = QStringLiteral("--audience=");
const QString ServeOption = QStringLiteral("--serve");

bool readPort(const QString &text, std::uint16_t &port)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 10);
    if (!ok || value == 0 || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

} // namespace

CommandLine CommandLine::Parse(const QStringList &arguments)
{
    CommandLine line;
    for (const QString &argument : arguments) {
        if (argument.startsWith(AudienceOption) && argument.size() > AudienceOption.size()) {
            line.audienceScreen = argument.mid(AudienceOption.size());
        } else if (argument == ServeOption) {
            line.serve = true;
        } else if (argument.startsWith(ServeOption + QLatin1Char('='))) {
            if (readPort(argument.mid(ServeOption.size() + 1), line.port))
                line.serve = true;
            else
                line.problems.append(QStringLiteral("%1: the port must be a number from 1 to 65535; ignored")
                                         .arg(argument));
        } else {
            line.problems.append(QStringLiteral("%1: unknown option, ignored").arg(argument));
        }
    }
    return line;
}
