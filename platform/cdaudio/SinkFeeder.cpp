// SPDX-License-Identifier: GPL-3.0-or-later
#include "SinkFeeder.h"

#include "IAudioSink.h"

#include <QAudioSink>
#include <QTimer>

#include <algorithm>

namespace {

// A fifth of a second in the sink itself: the sound starts as soon as that
// much has arrived, and a stop or a pause is heard at once whatever waits in
// the feeder's queue.
constexpr int SinkBufferBytes = IAudioSink::SampleRate * IAudioSink::BytesPerFrame / 5;
constexpr int TickMs = 5;

std::int64_t wholeFrames(std::int64_t bytes)
{
    return bytes / IAudioSink::BytesPerFrame * IAudioSink::BytesPerFrame;
}

} // namespace

SinkFeeder::SinkFeeder(std::int64_t queueBytes) : capacity(wholeFrames(queueBytes))
{
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
    accepted += taken;
    return taken;
}

bool SinkFeeder::start(const QAudioDevice &device)
{
    if (!timer) {
        timer = new QTimer(this);
        timer->setInterval(TickMs);
        connect(timer, &QTimer::timeout, this, &SinkFeeder::tick);
    }
    if (sink) {
        sink->reset();
    } else {
        sink = std::make_unique<QAudioSink>(device, Format());
        sink->setBufferSize(SinkBufferBytes);
    }
    dropQueue();
    suspended = false;
    failed = false;
    input = sink->start();
    if (input == nullptr || sink->error() != QAudio::NoError) {
        shutdown();
        return false;
    }
    taking = true;
    timer->start();
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
    // Qt's sink may run events while it goes; nothing here points at it by then.
    std::unique_ptr<QAudioSink> going = std::move(sink);
    going.reset();
    dropQueue();
}

void SinkFeeder::dropQueue()
{
    std::lock_guard guard(lock);
    queue.clear();
    accepted = 0;
    heard = 0;
}

void SinkFeeder::tick()
{
    if (!sink)
        return;
    const QAudio::Error error = sink->error();
    if (error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError)
        failed = true;
    if (input != nullptr && !suspended && !failed) {
        const std::int64_t room = sink->bytesFree();
        QByteArray chunk;
        {
            std::lock_guard guard(lock);
            chunk = queue.left(static_cast<qsizetype>(wholeFrames(std::min<std::int64_t>(room, queue.size()))));
        }
        const qint64 taken = chunk.isEmpty() ? 0 : input->write(chunk);
        if (taken > 0) {
            std::lock_guard guard(lock);
            queue.remove(0, static_cast<qsizetype>(taken));
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
    const std::int64_t inSink = accepted - queue.size();
    heard = std::min(inSink, frames * IAudioSink::BytesPerFrame);
}
