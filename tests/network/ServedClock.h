// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AnnouncingSoundPlayer.h"
#include "ClockServer.h"
#include "TestPlatform.h"
#include "Unit1.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QWebSocket>

#include <memory>

// The real main window on the recording fakes, served on a free loopback
// port, with the horn announcements passed on as the program does.
struct ServedClock
{
    TestPlatform platform;
    AnnouncingSoundPlayer horns{&platform.sound};
    ScopedSeam<ISoundPlayer> hornSeam{&horns};
    TForm1 form;
    std::unique_ptr<ClockServer> server = std::make_unique<ClockServer>(form, &horns, QString());

    ServedClock() { QVERIFY(server->Listen(0)); }

    QUrl Url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server->Port()).arg(path));
    }
};

// A WebSocket client that keeps every message it hears.
struct Listener
{
    QWebSocket socket;
    QList<QJsonObject> heard;

    explicit Listener(const ServedClock &clock)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &text) {
            heard.append(QJsonDocument::fromJson(text.toUtf8()).object());
        });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(clock.server->Port())));
    }

    // The last message of that kind, once one has come.
    QJsonObject Last(const QString &kind, int ms = 5000)
    {
        QJsonObject found;
        (void)QTest::qWaitFor([&] {
            for (qsizetype at = heard.size() - 1; at >= 0; --at) {
                if (heard[at]["t"].toString() == kind) {
                    found = heard[at];
                    return true;
                }
            }
            return false;
        }, ms);
        return found;
    }

    bool Closed(int ms = 5000)
    {
        return QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, ms);
    }
};
