#pragma once

#include "IAudioSink.h"

#include <memory>

class QAudioSink;
class QIODevice;

// The real audio output: the system's default output through Qt Multimedia.
// What has been heard is what the output reports as processed, never more
// than was written.
class QtAudioSink : public IAudioSink
{
public:
    QtAudioSink();
    ~QtAudioSink() override;

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
    bool create();

    std::unique_ptr<QAudioSink> sink;
    QIODevice *input = nullptr;
    std::int64_t written = 0;
};
