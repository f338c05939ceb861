// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebSocket>

#include <functional>
#include <map>
#include <unistd.h>

// A headless Chromium from the system, opened on one page and driven over
// its DevTools protocol: evaluate script, wait for a condition, take a
// screenshot, hear the page call a named function. Every wait has a limit;
// the browser and its scratch profile go when the session does.
class ChromiumSession
{
public:
    static constexpr int StartMs = 30000;

    ~ChromiumSession()
    {
        devtools.abort();
        if (browser.state() != QProcess::NotRunning) {
            browser.kill();
            browser.waitForFinished(5000);
        }
    }

    // False, with the reason, when there is no Chromium or it does not start.
    bool Open(const QUrl &url, QSize window, QString *why)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        if (program.isEmpty() || !profile.isValid())
            return fail(why, QStringLiteral("chromium is not installed"));
        QStringList arguments{QStringLiteral("--headless=new"), QStringLiteral("--disable-gpu"),
                              QStringLiteral("--no-first-run"), QStringLiteral("--no-default-browser-check"),
                              QStringLiteral("--disable-dev-shm-usage"), QStringLiteral("--remote-debugging-port=0"),
                              QStringLiteral("--user-data-dir=") + profile.path(),
                              QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()),
                              QStringLiteral("about:blank")};
        // Chromium refuses to run as root inside its own sandbox.
        if (::geteuid() == 0)
            arguments.prepend(QStringLiteral("--no-sandbox"));
        browser.start(program, arguments);
        const QRegularExpression listening(QStringLiteral("DevTools listening on (ws://\\S+)"));
        QString said;
        QRegularExpressionMatch match;
        const bool up = QTest::qWaitFor([&] {
            said += QString::fromLocal8Bit(browser.readAllStandardError());
            match = listening.match(said);
            return match.hasMatch() || browser.state() == QProcess::NotRunning;
        }, StartMs);
        if (!up || !match.hasMatch())
            return fail(why, QStringLiteral("chromium did not start: ") + said.right(400));
        QObject::connect(&devtools, &QWebSocket::textMessageReceived, [this](const QString &text) { hear(text); });
        devtools.open(QUrl(match.captured(1)));
        if (!QTest::qWaitFor([&] { return devtools.state() == QAbstractSocket::ConnectedState; }, StartMs))
            return fail(why, QStringLiteral("chromium's DevTools did not answer"));
        const QJsonObject target = Call(QStringLiteral("Target.createTarget"), {{"url", url.toString()}}, false);
        const QJsonObject attached = Call(QStringLiteral("Target.attachToTarget"),
                                          {{"targetId", target["targetId"]}, {"flatten", true}}, false);
        session = attached["sessionId"].toString();
        if (session.isEmpty())
            return fail(why, QStringLiteral("chromium opened no page"));
        return true;
    }

    // A DevTools command, to the page unless told otherwise; its result, or
    // an empty object when no answer came in time.
    QJsonObject Call(const QString &method, const QJsonObject &params = {}, bool toPage = true)
    {
        const int id = ++lastId;
        QJsonObject command{{"id", id}, {"method", method}, {"params", params}};
        if (toPage)
            command["sessionId"] = session;
        devtools.sendTextMessage(QString::fromUtf8(QJsonDocument(command).toJson(QJsonDocument::Compact)));
        (void)QTest::qWaitFor([&] { return answers.contains(id); }, 15000);
        return answers.take(id)["result"].toObject();
    }

    QJsonValue Evaluate(const QString &script)
    {
        const QJsonObject result = Call(QStringLiteral("Runtime.evaluate"),
                                        {{"expression", script}, {"returnByValue", true}});
        return result["result"].toObject()["value"];
    }

    bool WaitFor(const QString &condition, int ms)
    {
        return QTest::qWaitFor([&] { return Evaluate(condition).toBool(); }, ms);
    }

    QImage Screenshot()
    {
        const QJsonObject shot = Call(QStringLiteral("Page.captureScreenshot"), {{"format", "png"}});
        return QImage::fromData(QByteArray::fromBase64(shot["data"].toString().toLatin1()), "PNG");
    }

    // Called with the argument each time the page calls window.<name>(text).
    void Listen(const QString &name, std::function<void(const QString &)> heard)
    {
        bindings[name] = std::move(heard);
        Call(QStringLiteral("Runtime.addBinding"), {{"name", name}});
    }

private:
    bool fail(QString *why, const QString &reason)
    {
        *why = reason;
        return false;
    }

    void hear(const QString &text)
    {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        if (message.contains("id")) {
            answers.insert(message["id"].toInt(), message);
            return;
        }
        if (message["method"].toString() == QLatin1String("Runtime.bindingCalled")) {
            const QJsonObject params = message["params"].toObject();
            const auto found = bindings.find(params["name"].toString());
            if (found != bindings.end())
                found->second(params["payload"].toString());
        }
    }

    QTemporaryDir profile;
    QProcess browser;
    QWebSocket devtools;
    QString session;
    int lastId = 0;
    QHash<int, QJsonObject> answers;
    std::map<QString, std::function<void(const QString &)>> bindings;
};
