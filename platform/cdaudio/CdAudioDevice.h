// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IAudioSink.h"
#include "IMci.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class CdPlayback;

// The CD audio device behind the media control requests, on libcdio and an
// audio output. Each open gives a new device identifier with its own time
// format (MSF until set); all identifiers share the one drive.
//
// Every open reads the disc's table of contents again, so a disc changed
// while the device was closed is the one reported. The drive goes on playing
// across a close that is followed at once by an open of the same disc, as the
// strip's reopen after every setup change does; once no identifier holds it
// when the program is back in its event loop, the drive stops and lets go of
// the disc.
//
// A drive is destroyed only by the device's own release timer or its
// destructor, never in the middle of a request, and never while a pointer of
// the device still leads to it: Qt's audio output may run events while it
// goes, and those may bring requests or notifications here.
//
// The length of the disc, in any time format, is the position that the device
// reports when playback has reached the end of the disc, so the two can be
// compared.
class CdAudioDevice : public QObject, public IMci
{
    Q_OBJECT
public:
    // source: empty for the computer's default CD drive, else the drive or
    // the BIN/CUE disc image to open.
    CdAudioDevice(QString source, AudioSinkFactory sinkFactory, QObject *parent = nullptr);
    ~CdAudioDevice() override;

    std::uint32_t SendCommand(std::uint16_t deviceId, std::uint32_t command, std::uint32_t flags,
                              MciParms &parms) override;
    bool GetErrorString(std::uint32_t error, char *buffer, std::uint32_t length) override;

private:
    struct Session
    {
        std::uint16_t id;
        std::uint32_t timeFormat;
        bool shareable;
    };
    struct Waiting
    {
        QPointer<QObject> target;
        std::uint16_t device = 0;
        std::uint64_t play = 0;
    };

    Session *session(std::uint16_t id);
    std::uint32_t dispatch(Session &session, std::uint32_t command, std::uint32_t flags, MciParms &parms);
    std::uint32_t open(std::uint32_t flags, MciParms &parms);
    std::uint32_t loadDisc();
    void retireDrive();
    std::uint32_t close(std::uint16_t id);
    std::uint32_t capability(std::uint32_t flags, MciParms &parms);
    std::uint32_t set(Session &session, std::uint32_t flags, const MciParms &parms);
    std::uint32_t status(const Session &session, std::uint32_t flags, MciParms &parms);
    std::uint32_t trackStatus(const Session &session, MciParms &parms);
    std::uint32_t play(const Session &session, std::uint32_t flags, const MciParms &parms);
    std::uint32_t pause();
    std::uint32_t resume();
    std::uint32_t stop();
    std::uint32_t seek(const Session &session, std::uint32_t flags, const MciParms &parms);

    std::uint16_t newId() const;
    void awaitCompletion(std::uint16_t id, std::uint32_t flags, const MciParms &parms);
    void settleWaiting(std::uint32_t notifyCode);
    void playbackEnded(const CdPlayback *playback, std::uint64_t play, bool reachedEnd);
    void release();
    void destroyRetired();

    QString source;
    AudioSinkFactory makeSink;
    std::vector<Session> sessions;
    std::unique_ptr<CdPlayback> drive;
    std::vector<std::unique_ptr<CdPlayback>> retired; // stopped, waiting for the release timer
    QTimer releaseTimer;
    Waiting waiting;
    std::uint16_t lastId = 0;
};
