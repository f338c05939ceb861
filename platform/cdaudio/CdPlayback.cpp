// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdPlayback.h"

#include "CdReader.h"

#include <algorithm>

namespace {

constexpr std::size_t RingBytes = std::size_t{2} * IAudioSink::SampleRate * IAudioSink::BytesPerFrame;
constexpr int FeedIntervalMs = 10;
constexpr std::int64_t FeedChunkBytes = 64 * 1024;
// Silence after the music pushes its last samples through the output's
// buffers; an output that has not reported them heard after this much is
// taken to have played them.
constexpr std::int64_t MaxPaddingBytes = std::int64_t{2} * IAudioSink::SampleRate * IAudioSink::BytesPerFrame;

} // namespace

CdPlayback::CdPlayback(std::unique_ptr<CdDisc> cd, AudioSinkFactory sinkFactory, QObject *parent)
    : QObject(parent), disc(std::move(cd)), ring(RingBytes), reader(std::make_unique<CdReader>(*disc, ring)),
      makeSink(std::move(sinkFactory))
{
    here = disc->Toc().MediaStart();
    feeder.setInterval(FeedIntervalMs);
    connect(&feeder, &QTimer::timeout, this, [this] { feed(); });
}

CdPlayback::~CdPlayback()
{
    feeder.stop();
    if (sink)
        sink->Stop();
    reader.reset();
}

std::int32_t CdPlayback::Position() const
{
    return mode == Mode::Playing ? heardPosition() : here;
}

std::int32_t CdPlayback::heardPosition() const
{
    const std::int64_t heard = std::min(sink ? sink->BytesHeard() : 0, written);
    return playStart + static_cast<std::int32_t>(heard / CdDisc::SectorBytes);
}

bool CdPlayback::Play(std::int32_t from, std::int32_t to)
{
    halt();
    if (!sink && makeSink)
        sink = makeSink();
    if (!sink || !sink->Start())
        return false;
    ++plays;
    playStart = from;
    playEnd = std::max(from, to);
    here = from;
    written = 0;
    padding = 0;
    carry.clear();
    reader->Start(ring.Restart(), playStart, playEnd);
    mode = Mode::Playing;
    feeder.start();
    return true;
}

void CdPlayback::Pause()
{
    if (mode != Mode::Playing)
        return;
    here = heardPosition();
    sink->Suspend();
    feeder.stop();
    mode = Mode::Paused;
}

void CdPlayback::Resume()
{
    if (mode != Mode::Paused)
        return;
    sink->Resume();
    mode = Mode::Playing;
    feeder.start();
}

void CdPlayback::Stop()
{
    halt();
}

void CdPlayback::Seek(std::int32_t sector)
{
    halt();
    here = sector;
}

void CdPlayback::halt()
{
    if (mode == Mode::Stopped)
        return;
    if (mode == Mode::Playing)
        here = heardPosition();
    feeder.stop();
    ring.Restart();
    sink->Stop();
    carry.clear();
    mode = Mode::Stopped;
}

void CdPlayback::feed()
{
    if (mode != Mode::Playing)
        return;
    moveToSink();
    const PcmRing::End end = ring.StreamEnd();
    if (end == PcmRing::End::Failed || sink->Failed()) {
        finish(end == PcmRing::End::Failed ? Ending::DiscUnreadable : Ending::OutputBroken);
        return;
    }
    if (end != PcmRing::End::Finished || ring.Available() > 0 || !carry.isEmpty())
        return;
    if (sink->BytesHeard() >= written || padding >= MaxPaddingBytes)
        finish(Ending::ReachedEnd);
    else
        padWithSilence();
}

void CdPlayback::padWithSilence()
{
    const std::int64_t room = std::min(sink->BytesFree(), MaxPaddingBytes - padding);
    if (room <= 0)
        return;
    const QByteArray silence(static_cast<qsizetype>(room), '\0');
    padding += std::max<std::int64_t>(0, sink->Write(silence.constData(), room));
}

void CdPlayback::moveToSink()
{
    std::int64_t room = sink->BytesFree();
    while (room > 0) {
        if (carry.isEmpty()) {
            carry.resize(static_cast<qsizetype>(std::min(room, FeedChunkBytes)));
            carry.resize(static_cast<qsizetype>(ring.Read(carry.data(), static_cast<std::size_t>(carry.size()))));
            if (carry.isEmpty())
                return;
        }
        const std::int64_t taken = sink->Write(carry.constData(), std::min<std::int64_t>(room, carry.size()));
        if (taken <= 0)
            return;
        written += taken;
        room -= taken;
        carry.remove(0, static_cast<qsizetype>(taken));
    }
}

void CdPlayback::finish(Ending ending)
{
    const std::int32_t heard = heardPosition();
    halt();
    here = ending == Ending::ReachedEnd ? playEnd : heard;
    emit Ended(plays, ending);
}
