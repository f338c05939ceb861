// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IAudioSink.h"

#include <memory>

class QThread;
class SinkFeeder;

// The real audio output: the system's default output through Qt Multimedia,
// fed from a thread of its own. What is written waits in a queue of about a
// second, which that thread empties into the output as it plays, so the
// music goes on while the user-interface thread is busy. What has been heard
// is what the output reports as processed, never more than was written.
class QtAudioSink : public IAudioSink
{
public:
    QtAudioSink();
    ~QtAudioSink() override;
    QtAudioSink(const QtAudioSink &) = delete;
    QtAudioSink &operator=(const QtAudioSink &) = delete;

    static AudioSinkFactory Factory();

    bool Start() override;
    std::int64_t BytesFree() override;
    std::int64_t Write(const char *data, std::int64_t size) override;
    std::int64_t BytesHeard() override;
    void Suspend() override;
    void Resume() override;
    void Stop() override;
    bool Failed() override;

private:
    void onFeederThread(const char *slot);

    std::unique_ptr<QThread> thread;
    std::unique_ptr<SinkFeeder> feeder;
};
