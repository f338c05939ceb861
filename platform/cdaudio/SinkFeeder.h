// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

class QAudioSink;
class QIODevice;
class QTimer;

// The real audio output's own thread side: owns the Qt audio sink and, every
// few milliseconds, moves the sound queued for it into the sink. Because this
// runs on a thread of its own, a user-interface thread that is busy for a
// while (a large picture being loaded) lets no silence into the music as long
// as the queue lasts.
//
// The queue, the heard count and the failure flag may be used from any
// thread; start, suspend, resume, stop and shutdown run on the feeder's own
// thread (the caller invokes them there and waits).
class SinkFeeder : public QObject
{
    Q_OBJECT
public:
    explicit SinkFeeder(std::int64_t queueBytes);
    ~SinkFeeder() override;

    // 44.1 kHz, 16-bit signed, two channels: the disc's own digital audio.
    static QAudioFormat Format();

    std::int64_t Room() const;
    std::int64_t Queue(const char *data, std::int64_t size);
    std::int64_t Heard() const { return heard.load(); }
    bool Failed() const { return failed.load(); }

public slots:
    bool start(const QAudioDevice &device);
    void suspend();
    void resume();
    void stop();
    void shutdown();

private:
    void tick();
    void dropQueue();
    void noteHeard();

    const std::int64_t capacity;
    mutable std::mutex lock;
    QByteArray queue;        // under lock
    std::int64_t accepted = 0; // under lock: bytes queued since the start
    std::atomic<std::int64_t> heard{0};
    std::atomic<bool> failed{false};
    std::atomic<bool> taking{false}; // between a successful start and a stop

    std::unique_ptr<QAudioSink> sink;
    QIODevice *input = nullptr;
    QTimer *timer = nullptr;
    bool suspended = false;
};
