#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cstdint>

// Records what the private sound server's null sink plays (its monitor), in a
// process of its own writing to a file, so that a busy test process loses
// nothing of the recording. What it finds is the longest stretch of silence
// between the first and the last sound heard: a gap that the player let into
// the music. Needs a PrivateSoundServer started in this process.
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
                                 QStringLiteral("--raw")});
        if (!recorder.waitForStarted(5000))
            return false;
        // The recording stream needs a moment to connect; sound before that is missed.
        QThread::msleep(300);
        return recorder.state() == QProcess::Running;
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

    // Milliseconds of the longest silence inside the recorded sound; -1 when no sound was recorded.
    double longestGapMs()
    {
        stop();
        QFile recording(file());
        if (!recording.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = recording.readAll();
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
        return lastSound < 0 ? -1 : longest * 1000.0 / 44100.0;
    }

private:
    static bool silent(const QByteArray &bytes, qsizetype frame)
    {
        const char *at = bytes.constData() + frame * 4;
        return qFromLittleEndian<std::int16_t>(at) == 0 && qFromLittleEndian<std::int16_t>(at + 2) == 0;
    }

    QString file() const { return folder.filePath(QStringLiteral("sink.raw")); }

    QTemporaryDir folder;
    QProcess recorder;
};
