// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

// Where the disc's digital audio is heard: 44 100 frames a second, 16-bit
// signed little-endian samples, two channels. The CD device writes to it from
// the user-interface thread and asks how much has been heard, so that the
// positions it reports follow the sound. Tests put a sink here that consumes
// as fast as the test lets it and records what it got.
class IAudioSink
{
public:
    static constexpr int SampleRate = 44100;
    static constexpr int BytesPerFrame = 4;

    virtual ~IAudioSink() = default;
    // Starts (or starts again) with nothing buffered and the byte counts at
    // zero. False when there is no audio output to play through.
    virtual bool Start() = 0;
    // How many bytes Write takes now without blocking.
    virtual std::int64_t BytesFree() = 0;
    virtual std::int64_t Write(const char *data, std::int64_t size) = 0;
    // How many of the bytes written since Start have been heard.
    virtual std::int64_t BytesHeard() = 0;
    // Holds the sound where it is, and goes on from there.
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
    // Silence at once; what is still buffered is dropped.
    virtual void Stop() = 0;
    // True once the output has broken down (for example its sound server
    // went away) and will take nothing more.
    virtual bool Failed() = 0;
};

using AudioSinkFactory = std::function<std::unique_ptr<IAudioSink>()>;
