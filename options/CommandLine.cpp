// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>
#include <initializer_list>

#ifndef VANTIX_VERSION
#define VANTIX_VERSION "unknown"
#endif

namespace {

const QString ProgramName = QStringLiteral("vantix");
const QString ServeOption = QStringLiteral("--serve");

// Qt's own options, which the application object reads from the same line:
// accepted here so that they reach it, and kept out of the help.
const std::initializer_list<const char *> QtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "title", "icon", "name", "visual",
    "style", "stylesheet", "qmljsdebugger"};
const std::initializer_list<const char *> QtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync",
                                                     "testability"};

struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Print this help and end.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Print the program's version and end.")};
    QCommandLineOption audience{
        QStringLiteral("audience"),
        QStringLiteral("Open the audience display on the screen of this name (as the options page \"Screens\" "
                       "lists it) or this number, counted from 1."),
        QStringLiteral("SCREEN")};
    QCommandLineOption serve{QStringLiteral("serve"),
                             QStringLiteral("Serve the clock to web browsers on the local network, on port 8080 "
                                            "or the one given as --serve=PORT or --port=PORT.")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("The port to serve on, 1 to 65535; implies --serve."),
                            QStringLiteral("PORT")};
    QCommandLineOption tournament{QStringLiteral("tournament"),
                                  QStringLiteral("Open this tournament file at start, as a FILE alone does."),
                                  QStringLiteral("FILE")};

    explicit Options(QCommandLineParser &parser)
    {
        // -platform is Qt's option "platform", not the letters p, l, a, ...
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QStringLiteral("Shooting clock for archery tournaments."));
        parser.addOptions({help, version, audience, serve, port, tournament});
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A tournament file to open at start."),
                                     QStringLiteral("[FILE]"));
        for (const char *name : QtOptionsWithValue) {
            QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("VALUE"));
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
        for (const char *name : QtFlags) {
            QCommandLineOption option(QString::fromLatin1(name), QString());
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
    }
};

bool isNumber(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// --serve=PORT and --serve PORT (a number) become --serve --port=PORT, so
// that --serve alone stays a switch.
QStringList withServePortApart(const QStringList &arguments)
{
    QStringList out{ProgramName};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            out += arguments.mid(i);
            break;
        }
        if (argument.startsWith(ServeOption + QLatin1Char('='))) {
            out << ServeOption << QStringLiteral("--port=") + argument.mid(ServeOption.size() + 1);
        } else if (argument == ServeOption && i + 1 < arguments.size() && isNumber(arguments.at(i + 1))) {
            out << ServeOption << QStringLiteral("--port=") + arguments.at(++i);
        } else {
            out << argument;
        }
    }
    return out;
}

bool readPort(const QString &text, std::uint16_t &port)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 10);
    if (!ok || value == 0 || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

CommandLine endWith(int exitCode, const QString &output)
{
    CommandLine line;
    line.run = false;
    line.exitCode = exitCode;
    line.output = output;
    return line;
}

CommandLine wrong(const QString &problem)
{
    return endWith(2, ProgramName + QStringLiteral(": ") + problem + QStringLiteral("\n\n") + CommandLine::Usage());
}

} // namespace

CommandLine CommandLine::Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options(parser);
    if (!parser.parse(withServePortApart(arguments)))
        return wrong(parser.errorText());
    if (parser.isSet(options.help))
        return endWith(0, Usage());
    if (parser.isSet(options.version))
        return endWith(0, QStringLiteral("FletchWise Vantix " VANTIX_VERSION "\n"
                                         "Licence GPL-3.0-or-later: GNU GPL version 3 or later "
                                         "<https://gnu.org/licenses/gpl.html>.\n"
                                         "This is free software: you are free to change and redistribute it.\n"
                                         "There is NO WARRANTY, to the extent permitted by law.\n"));

    CommandLine line;
    if (parser.isSet(options.audience)) {
        line.audienceScreen = parser.value(options.audience);
        if (line.audienceScreen.isEmpty())
            return wrong(QStringLiteral("--audience needs the name or number of a screen."));
    }
    line.serve = parser.isSet(options.serve) || parser.isSet(options.port);
    if (parser.isSet(options.port) && !readPort(parser.value(options.port), line.port))
        return wrong(QStringLiteral("the port must be a number from 1 to 65535, not '%1'.")
                         .arg(parser.value(options.port)));
    QStringList files = parser.positionalArguments();
    if (parser.isSet(options.tournament))
        files.prepend(parser.value(options.tournament));
    if (files.size() > 1)
        return wrong(QStringLiteral("one tournament file at a time, not %1.").arg(files.join(QStringLiteral(", "))));
    if (!files.isEmpty()) {
        line.tournamentFile = files.front();
        if (line.tournamentFile.isEmpty())
            return wrong(QStringLiteral("--tournament needs a file."));
    }
    return line;
}

QStringList CommandLine::Arguments(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QString CommandLine::Usage()
{
    QCommandLineParser parser;
    const Options options(parser);
    QString text = parser.helpText();
    // Without the application object the parser does not know the name.
    text.replace(QStringLiteral("<executable_name>"), ProgramName);
    text += QStringLiteral("\nThe window-system options of Qt itself (-platform NAME, -display DISPLAY,\n"
                           "-geometry WxH+X+Y, -style STYLE, ...) are passed on to Qt.\n"
                           "More in the manual page vantix(1).\n");
    return text;
}
