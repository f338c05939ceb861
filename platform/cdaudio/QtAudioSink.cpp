// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtAudioSink.h"

#include "SinkFeeder.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QThread>

namespace {

// A second: twice the longest the window is expected to be busy at once.
constexpr std::int64_t QueueBytes = std::int64_t{IAudioSink::SampleRate} * IAudioSink::BytesPerFrame;

} // namespace

QtAudioSink::QtAudioSink() = default;

QtAudioSink::~QtAudioSink()
{
    if (!thread)
        return;
    onFeederThread("shutdown");
    thread->quit();
    thread->wait();
}

AudioSinkFactory QtAudioSink::Factory()
{
    return [] { return std::make_unique<QtAudioSink>(); };
}

void QtAudioSink::onFeederThread(const char *slot)
{
    if (feeder)
        QMetaObject::invokeMethod(feeder.get(), slot, Qt::BlockingQueuedConnection);
}

bool QtAudioSink::Start()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(SinkFeeder::Format()))
        return false;
    if (!thread) {
        thread = std::make_unique<QThread>();
        thread->setObjectName(QStringLiteral("CD audio output"));
        feeder = std::make_unique<SinkFeeder>(QueueBytes);
        feeder->moveToThread(thread.get());
        thread->start();
    }
    bool started = false;
    QMetaObject::invokeMethod(feeder.get(), "start", Qt::BlockingQueuedConnection, Q_RETURN_ARG(bool, started),
                              Q_ARG(QAudioDevice, device));
    return started;
}

std::int64_t QtAudioSink::BytesFree()
{
    return feeder ? feeder->Room() : 0;
}

std::int64_t QtAudioSink::Write(const char *data, std::int64_t size)
{
    return feeder ? feeder->Queue(data, size) : 0;
}

std::int64_t QtAudioSink::BytesHeard()
{
    return feeder ? feeder->Heard() : 0;
}

void QtAudioSink::Suspend()
{
    onFeederThread("suspend");
}

void QtAudioSink::Resume()
{
    onFeederThread("resume");
}

void QtAudioSink::Stop()
{
    onFeederThread("stop");
}

bool QtAudioSink::Failed()
{
    return feeder && feeder->Failed();
}
