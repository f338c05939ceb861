// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cstdint>

// Records what the private sound server's null sink plays (its monitor), in a
// process of its own writing to a file, so that a busy test process loses
// nothing of the recording. One recorder serves a whole run: the sink's
// monitor is left alone between measurements, which are told apart by marks.
// What it finds is the longest stretch of silence between the first and the
// last sound heard after a mark (a gap that the player let into the music),
// and how long sound went on after a mark. Needs a PrivateSoundServer started
// in this process.
class SinkRecorder
{
public:
    ~SinkRecorder() { stop(); }

    // False when parec is missing or does not start.
    bool start()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("parec"));
        if (program.isEmpty() || !folder.isValid())
            return false;
        recorder.setStandardOutputFile(file());
        recorder.start(program, {QStringLiteral("--device=vantix_null.monitor"), QStringLiteral("--format=s16le"),
                                 QStringLiteral("--rate=44100"), QStringLiteral("--channels=2"),
                                 QStringLiteral("--raw"), QStringLiteral("--latency-msec=10")});
        if (!recorder.waitForStarted(5000))
            return false;
        // Recording has begun once the sink's silence arrives; sound before that is missed.
        for (int waited = 0; waited < 5000 && mark() == 0 && recorder.state() == QProcess::Running; waited += 10)
            QThread::msleep(10);
        return mark() > 0;
    }

    void stop()
    {
        if (recorder.state() == QProcess::NotRunning)
            return;
        recorder.terminate();
        if (!recorder.waitForFinished(5000))
            recorder.kill();
        recorder.waitForFinished(5000);
    }

    // How far the recording has come (it lags the sink by some milliseconds).
    qint64 mark() const { return QFileInfo(file()).size() / 4; }

    // Milliseconds of sound recorded after the mark (at most: the mark lags);
    // -1 when nothing sounded since the mark was taken, or before it.
    double soundAfterMs(qint64 from)
    {
        const QByteArray bytes = since(from - Second);
        qsizetype lastSound = -1;
        for (qsizetype frame = bytes.size() / 4 - 1; frame >= 0 && lastSound < 0; --frame)
            lastSound = silent(bytes, frame) ? -1 : frame;
        const qint64 before = std::min(from, Second);
        return lastSound < 0 ? -1 : std::max<qint64>(0, lastSound + 1 - before) * 1000.0 / Second;
    }

    // Milliseconds of the longest silence inside the sound recorded since the
    // mark; -1 when no sound was recorded.
    double longestGapMs(qint64 from)
    {
        const QByteArray bytes = since(from);
        const qsizetype frames = bytes.size() / 4;
        qsizetype lastSound = -1;
        qsizetype longest = 0;
        for (qsizetype frame = 0; frame < frames; ++frame) {
            if (silent(bytes, frame))
                continue;
            if (lastSound >= 0)
                longest = std::max(longest, frame - lastSound - 1);
            lastSound = frame;
        }
        return lastSound < 0 ? -1 : longest * 1000.0 / Second;
    }

    // The frames recorded from the given one on, two 16-bit little-endian
    // channels each, for a measurement of its own.
    QByteArray framesFrom(qint64 from) { return since(from); }

private:
    static constexpr qint64 Second = 44100; // frames

    QByteArray since(qint64 from)
    {
        QFile recorded(file());
        if (!recorded.open(QIODevice::ReadOnly) || !recorded.seek(std::max<qint64>(0, from) * 4))
            return {};
        return recorded.readAll();
    }

    static bool silent(const QByteArray &bytes, qsizetype frame)
    {
        const char *at = bytes.constData() + frame * 4;
        return qFromLittleEndian<std::int16_t>(at) == 0 && qFromLittleEndian<std::int16_t>(at + 2) == 0;
    }

    QString file() const { return folder.filePath(QStringLiteral("sink.raw")); }

    QTemporaryDir folder;
    QProcess recorder;
};
