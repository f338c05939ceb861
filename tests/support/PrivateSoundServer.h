// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// A PulseAudio server of our own with one null sink, which takes sound at the
// pace of a real sound card and lets it go nowhere, so the real horn player
// can play to the end on a machine without sound. Everything it keeps lies in
// a temporary folder. start() must run before anything in the process touches
// Qt Multimedia, since the sound connection is made once per process.
class PrivateSoundServer
{
public:
    ~PrivateSoundServer()
    {
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            if (!server.waitForFinished(5000))
                server.kill();
            server.waitForFinished(5000);
        }
    }

    // False when PulseAudio is not installed or does not come up; why is in failure().
    bool start()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty())
            return fail(QStringLiteral("pulseaudio is not installed"));
        if (!folder.isValid())
            return fail(QStringLiteral("no temporary folder"));
        const QString socket = folder.filePath(QStringLiteral("native"));
        server.setProcessEnvironment(serverEnvironment());
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(program, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                               QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                               QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=vantix_null"),
                               QStringLiteral("-L"),
                               QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket});
        if (!server.waitForStarted(5000))
            return fail(QStringLiteral("pulseaudio did not start"));
        if (!waitForSocket(socket))
            return fail(QStringLiteral("pulseaudio did not come up: ") + QString::fromLocal8Bit(server.readAll()));
        qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
        return true;
    }

    QString failure() const { return why; }

private:
    QProcessEnvironment serverEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH",
                                 "PULSE_STATE_PATH"})
            env.insert(QLatin1String(name), folder.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        return env;
    }

    bool waitForSocket(const QString &socket)
    {
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && server.state() == QProcess::Running) {
            if (QFileInfo::exists(socket))
                return true;
            server.waitForReadyRead(50);
        }
        return false;
    }

    bool fail(const QString &reason)
    {
        why = reason;
        return false;
    }

    QTemporaryDir folder;
    QProcess server;
    QString why;
};
