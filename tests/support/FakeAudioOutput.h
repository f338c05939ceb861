// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IAudioSink.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <memory>

// An audio output for the CD tests that hears exactly what the test lets it:
// it takes bytes only while the test has granted some (Consume), so playback
// runs as fast as the test pumps it, and it keeps every byte it heard.
class FakeAudioOutput
{
public:
    bool available = true;     // false: there is no audio output
    bool broken = false;       // true: the output breaks down and takes nothing
    QByteArray heard;          // every byte heard, over all plays
    std::int64_t budget = 0;   // bytes it may take now
    std::int64_t sinceStart = 0;
    bool suspended = false;
    int starts = 0;
    int stops = 0;

    AudioSinkFactory factory()
    {
        return [this] { return std::make_unique<Sink>(*this); };
    }

    // Lets the output take bytes more, and runs the event loop until it has
    // taken them or playback has stopped taking (ended, stopped, paused).
    // True when they were all taken.
    bool consume(std::int64_t bytes, int timeoutMs = 10000)
    {
        const std::int64_t start = heard.size();
        budget = bytes;
        const QDeadlineTimer deadline(timeoutMs);
        int quietTurns = 0;
        while (heard.size() - start < bytes && !deadline.hasExpired() && quietTurns < 3) {
            const std::int64_t before = heard.size();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
            // Stopped or suspended output takes nothing more.
            quietTurns = (heard.size() == before && (suspended || !playing)) ? quietTurns + 1 : 0;
        }
        budget = 0; // a grant does not outlive the call
        return heard.size() - start == bytes;
    }
    bool consumeSectors(int count) { return consume(std::int64_t(count) * 2352); }

    bool playing = false;

private:
    class Sink : public IAudioSink
    {
    public:
        explicit Sink(FakeAudioOutput &o) : out(o) {}
        ~Sink() override { out.playing = false; }
        bool Start() override
        {
            ++out.starts;
            out.sinceStart = 0;
            out.suspended = false;
            out.playing = out.available;
            return out.available;
        }
        std::int64_t BytesFree() override { return out.suspended || !out.playing || out.broken ? 0 : out.budget; }
        std::int64_t Write(const char *data, std::int64_t size) override
        {
            const std::int64_t taken = std::min(size, BytesFree());
            out.heard.append(data, taken);
            out.budget -= taken;
            out.sinceStart += taken;
            return taken;
        }
        std::int64_t BytesHeard() override { return out.sinceStart; }
        void Suspend() override { out.suspended = true; }
        void Resume() override { out.suspended = false; }
        bool Failed() override { return out.broken; }
        void Stop() override
        {
            ++out.stops;
            out.playing = false;
        }

    private:
        FakeAudioOutput &out;
    };
};
