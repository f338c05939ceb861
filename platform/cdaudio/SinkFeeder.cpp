// SPDX-License-Identifier: GPL-3.0-or-later
#include "SinkFeeder.h"

#include "IAudioSink.h"

#include <QAudioSink>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int TickMs = 5;
// Where the latest pieces began is kept for a while, for those who ask late.
constexpr std::size_t KeptStarts = 64;

std::int64_t wholeFrames(std::int64_t bytes)
{
    return bytes / IAudioSink::BytesPerFrame * IAudioSink::BytesPerFrame;
}

} // namespace

SinkFeeder::SinkFeeder(std::int64_t queueBytes, int sinkBufferBytes, WhenDry whenDry)
    : capacity(wholeFrames(queueBytes)), sinkBufferBytes(sinkBufferBytes), whenDry(whenDry)
{
    // A start that is not waited for carries its device across threads.
    qRegisterMetaType<QAudioDevice>();
}

SinkFeeder::~SinkFeeder() = default;

QAudioFormat SinkFeeder::Format()
{
    QAudioFormat format;
    format.setSampleRate(IAudioSink::SampleRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

std::int64_t SinkFeeder::Room() const
{
    if (!taking.load())
        return 0;
    std::lock_guard guard(lock);
    return capacity - queue.size();
}

std::int64_t SinkFeeder::Queue(const char *data, std::int64_t size)
{
    if (!taking.load())
        return 0;
    std::lock_guard guard(lock);
    const std::int64_t taken = std::clamp<std::int64_t>(capacity - queue.size(), 0, size);
    queue.append(data, static_cast<qsizetype>(taken));
    return taken;
}

std::uint64_t SinkFeeder::Replace(const QByteArray &next)
{
    std::uint64_t number = 0;
    {
        std::lock_guard guard(lock);
        piece = next.left(static_cast<qsizetype>(wholeFrames(next.size())));
        number = waiting = ++pieces;
    }
    QMetaObject::invokeMethod(this, &SinkFeeder::tick, Qt::QueuedConnection);
    return number;
}

std::int64_t SinkFeeder::StartOf(std::uint64_t number) const
{
    std::lock_guard guard(lock);
    const auto found = starts.find(number);
    return found == starts.end() ? -1 : found->second;
}

void SinkFeeder::StartSoon(const QAudioDevice &device)
{
    opening = true;
    if (!QMetaObject::invokeMethod(this, "start", Qt::QueuedConnection, Q_ARG(QAudioDevice, device)))
        opening = false;
}

bool SinkFeeder::start(const QAudioDevice &device)
{
    if (!timer) {
        timer = new QTimer(this);
        timer->setInterval(TickMs);
        connect(timer, &QTimer::timeout, this, &SinkFeeder::tick);
    }
    // A stream that broke down, or plays elsewhere, is given up for a new one.
    if (sink && (failed || device != openedOn))
        closeSink();
    if (sink) {
        sink->reset();
    } else {
        sink = std::make_unique<QAudioSink>(device, Format());
        sink->setBufferSize(sinkBufferBytes);
        openedOn = device;
    }
    dropQueue();
    suspended = false;
    failed = false;
    input = sink->start();
    if (input == nullptr || sink->error() != QAudio::NoError) {
        shutdown();
        opening = false;
        return false;
    }
    taking = true;
    opening = false;
    timer->start();
    if (whenDry == WhenDry::PlaySilence)
        tick();
    return true;
}

// A pause may last a whole end: the feeding rests with the sound.
void SinkFeeder::suspend()
{
    if (!sink)
        return;
    sink->suspend();
    suspended = true;
    timer->stop();
    noteHeard();
}

void SinkFeeder::resume()
{
    if (!sink)
        return;
    sink->resume();
    suspended = false;
    if (input != nullptr)
        timer->start();
}

void SinkFeeder::stop()
{
    taking = false;
    if (timer)
        timer->stop();
    if (sink)
        sink->reset();
    input = nullptr;
    dropQueue();
}

void SinkFeeder::shutdown()
{
    taking = false;
    input = nullptr;
    if (timer)
        timer->stop();
    closeSink();
    dropQueue();
}

void SinkFeeder::closeSink()
{
    // Qt's sink may run events while it goes; nothing here points at it by then.
    std::unique_ptr<QAudioSink> going = std::move(sink);
    going.reset();
}

void SinkFeeder::dropQueue()
{
    std::lock_guard guard(lock);
    queue.clear();
    starts.clear();
    written = 0;
    heard = 0;
}

// A piece handed in waits for the feeder's own thread to put it in place, so
// that the queue is only ever cut short here, between two writes.
void SinkFeeder::takePiece()
{
    std::lock_guard guard(lock);
    if (waiting == 0)
        return;
    queue = piece;
    piece.clear();
    starts[waiting] = written;
    waiting = 0;
    while (starts.size() > KeptStarts)
        starts.erase(starts.begin());
}

void SinkFeeder::tick()
{
    if (!sink)
        return;
    const QAudio::Error error = sink->error();
    if (error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError
        || (input != nullptr && sink->state() == QAudio::StoppedState))
        failed = true;
    if (input != nullptr && !suspended && !failed) {
        // A piece handed in together with a new start belongs to the new stream.
        if (!opening)
            takePiece();
        const std::int64_t room = wholeFrames(sink->bytesFree());
        QByteArray chunk;
        qsizetype sound = 0;
        {
            std::lock_guard guard(lock);
            chunk = queue.left(static_cast<qsizetype>(wholeFrames(std::min<std::int64_t>(room, queue.size()))));
            sound = chunk.size();
        }
        if (whenDry == WhenDry::PlaySilence && chunk.size() < room)
            chunk.append(QByteArray(static_cast<qsizetype>(room) - chunk.size(), '\0'));
        const qint64 taken = chunk.isEmpty() ? 0 : input->write(chunk);
        if (taken > 0) {
            std::lock_guard guard(lock);
            queue.remove(0, std::min(static_cast<qsizetype>(taken), sound));
            written += taken;
        }
    }
    noteHeard();
}

void SinkFeeder::noteHeard()
{
    if (!sink || input == nullptr)
        return;
    const std::int64_t frames = sink->processedUSecs() * IAudioSink::SampleRate / 1000000;
    std::lock_guard guard(lock);
    heard = std::min(written, frames * IAudioSink::BytesPerFrame);
}
