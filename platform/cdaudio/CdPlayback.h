// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CdDisc.h"
#include "IAudioSink.h"
#include "PcmRing.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>

class CdReader;

// The drive at work: plays stretches of the disc through an audio output and
// knows where it is. Its position is what has been heard, so a pause or a
// stop leaves it where the sound stopped. Everything here runs on the
// user-interface thread; the reading of sectors has its own thread, and so
// may the audio output.
class CdPlayback : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Stopped, Playing, Paused };
    // How a play ended by itself.
    enum class Ending { ReachedEnd, DiscUnreadable, OutputBroken };
    Q_ENUM(Ending)

    CdPlayback(std::unique_ptr<CdDisc> disc, AudioSinkFactory sinkFactory, QObject *parent = nullptr);
    ~CdPlayback() override;

    const DiscToc &Toc() const { return disc->Toc(); }
    Mode CurrentMode() const { return mode; }
    // The sector being heard, or where playback would go on from.
    std::int32_t Position() const;

    // Plays sectors [from, to); false when there is no audio output to play through.
    bool Play(std::int32_t from, std::int32_t to);
    // Counts the plays started, so that an ending can be told from a later play.
    std::uint64_t PlayNumber() const { return plays; }
    void Pause();
    void Resume();
    void Stop();
    void Seek(std::int32_t sector);

signals:
    // A play has ended by itself. Sent from the feeding, after it has
    // finished with the play; receivers take it queued.
    void Ended(std::uint64_t play, CdPlayback::Ending ending);

private:
    void feed();
    void moveToSink();
    void padWithSilence();
    void finish(Ending ending);
    void halt();
    std::int32_t heardPosition() const;

    std::unique_ptr<CdDisc> disc;
    PcmRing ring;
    std::unique_ptr<CdReader> reader; // after disc and ring: it stops before they go
    AudioSinkFactory makeSink;
    std::unique_ptr<IAudioSink> sink;
    QTimer feeder;
    QByteArray carry; // read from the ring but not yet taken by the sink
    Mode mode = Mode::Stopped;
    std::uint64_t plays = 0;
    std::int32_t here = 0;
    std::int32_t playStart = 0;
    std::int32_t playEnd = 0;
    std::int64_t written = 0; // bytes of the disc handed to the output in this play
    std::int64_t padding = 0; // bytes of silence written after them
};
