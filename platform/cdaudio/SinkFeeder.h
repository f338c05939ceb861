// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

#include <atomic>
#include <cstdint>
#include <map>
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
// The sound may come as a queue that is appended to (the music), or as
// pieces that each replace whatever is still queued (the horn signals, the
// new one cutting off the one before). A feeder that plays silence when the
// queue runs dry keeps its output running between pieces, so a piece is
// heard as soon as the output's own buffer has played.
//
// The queue, the pieces, the positions and the failure flag may be used from
// any thread; start, suspend, resume, stop and shutdown run on the feeder's
// own thread (the caller invokes them there and waits, or, with StartSoon,
// does not wait).
class SinkFeeder : public QObject
{
    Q_OBJECT
public:
    enum class WhenDry { Wait, PlaySilence };

    // A fifth of a second in the output itself: a stop or a pause is heard at
    // once whatever waits in the queue.
    static constexpr int DefaultSinkBufferBytes = 44100 * 4 / 5;

    explicit SinkFeeder(std::int64_t queueBytes, int sinkBufferBytes = DefaultSinkBufferBytes,
                        WhenDry whenDry = WhenDry::Wait);
    ~SinkFeeder() override;

    // 44.1 kHz, 16-bit signed, two channels: the disc's own digital audio.
    static QAudioFormat Format();

    std::int64_t Room() const;
    std::int64_t Queue(const char *data, std::int64_t size);
    // Drops what is queued and not yet written and puts the piece in its
    // place, of whatever size; the feeder starts writing it at once. Returns
    // the piece's number, counted from 1.
    std::uint64_t Replace(const QByteArray &piece);
    // Where the piece's first byte went in the output's stream, in bytes
    // since the start; -1 while it has not been written (or was replaced
    // before it was, or is long past).
    std::int64_t StartOf(std::uint64_t piece) const;
    // How many of the bytes written since the start have been heard.
    std::int64_t Heard() const { return heard.load(); }
    bool Failed() const { return failed.load(); }
    // Taking sound, or about to once a StartSoon has run.
    bool Running() const { return taking.load() || opening.load(); }
    // Starts on the feeder's thread without waiting for it.
    void StartSoon(const QAudioDevice &device);

public slots:
    bool start(const QAudioDevice &device);
    void suspend();
    void resume();
    void stop();
    void shutdown();

private:
    void tick();
    void takePiece();
    void dropQueue();
    void closeSink();
    void noteHeard();

    const std::int64_t capacity;
    const int sinkBufferBytes;
    const WhenDry whenDry;
    mutable std::mutex lock;
    QByteArray queue;           // under lock
    std::int64_t written = 0;   // under lock: bytes written to the output since the start
    QByteArray piece;           // under lock: the piece waiting to replace the queue
    std::uint64_t pieces = 0;   // under lock: the number of the last piece handed in
    std::uint64_t waiting = 0;  // under lock: the number of the piece waiting, 0 for none
    std::map<std::uint64_t, std::int64_t> starts; // under lock: where the latest pieces began
    std::atomic<std::int64_t> heard{0};
    std::atomic<bool> failed{false};
    std::atomic<bool> taking{false}; // between a successful start and a stop
    std::atomic<bool> opening{false}; // between StartSoon and its start

    std::unique_ptr<QAudioSink> sink;
    QAudioDevice openedOn;
    QIODevice *input = nullptr;
    QTimer *timer = nullptr;
    bool suspended = false;
};
