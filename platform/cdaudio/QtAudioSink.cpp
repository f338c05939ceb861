#include "QtAudioSink.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>

namespace {

QAudioFormat discFormat()
{
    QAudioFormat format;
    format.setSampleRate(IAudioSink::SampleRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// A fifth of a second buffered: enough to ride over a busy moment of the
// window, little enough that a stop or a pause is heard at once.
constexpr int BufferBytes = IAudioSink::SampleRate * IAudioSink::BytesPerFrame / 5;

} // namespace

QtAudioSink::QtAudioSink() = default;

QtAudioSink::~QtAudioSink()
{
    if (sink)
        sink->stop();
}

AudioSinkFactory QtAudioSink::Factory()
{
    return [] { return std::make_unique<QtAudioSink>(); };
}

bool QtAudioSink::create()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(discFormat()))
        return false;
    sink = std::make_unique<QAudioSink>(device, discFormat());
    sink->setBufferSize(BufferBytes);
    return true;
}

bool QtAudioSink::Start()
{
    if (sink)
        sink->reset();
    else if (!create())
        return false;
    written = 0;
    input = sink->start();
    if (input == nullptr || sink->error() != QAudio::NoError) {
        sink.reset();
        input = nullptr;
        return false;
    }
    return true;
}

std::int64_t QtAudioSink::BytesFree()
{
    if (!input)
        return 0;
    return sink->bytesFree() / BytesPerFrame * BytesPerFrame;
}

std::int64_t QtAudioSink::Write(const char *data, std::int64_t size)
{
    if (!input)
        return 0;
    const qint64 taken = input->write(data, size);
    if (taken > 0)
        written += taken;
    return std::max<qint64>(taken, 0);
}

std::int64_t QtAudioSink::BytesHeard()
{
    if (!sink)
        return 0;
    const std::int64_t frames = sink->processedUSecs() * SampleRate / 1000000;
    return std::min(written, frames * BytesPerFrame);
}

void QtAudioSink::Suspend()
{
    if (sink)
        sink->suspend();
}

void QtAudioSink::Resume()
{
    if (sink)
        sink->resume();
}

bool QtAudioSink::Failed()
{
    if (!sink)
        return false;
    const QAudio::Error error = sink->error();
    return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}

void QtAudioSink::Stop()
{
    if (sink)
        sink->reset();
    input = nullptr;
}
