// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdAudioDevice.h"

#include "CdPlayback.h"
#include "MciErrorText.h"
#include "MciNotifyEvent.h"

#include <QCoreApplication>

#include <algorithm>

using namespace Mci;

namespace {

void post(QObject *target, std::uint32_t notifyCode, std::uint16_t deviceId)
{
    if (target != nullptr)
        QCoreApplication::postEvent(target, new MciNotifyEvent(notifyCode, deviceId));
}

std::uint32_t modeOf(const CdPlayback &drive)
{
    switch (drive.CurrentMode()) {
    case CdPlayback::Mode::Playing:
        return MCI_MODE_PLAY;
    case CdPlayback::Mode::Paused:
        return MCI_MODE_PAUSE;
    case CdPlayback::Mode::Stopped:
        break;
    }
    return MCI_MODE_STOP;
}

} // namespace

CdAudioDevice::CdAudioDevice(QString discSource, AudioSinkFactory sinkFactory, QObject *parent)
    : QObject(parent), source(std::move(discSource)), makeSink(std::move(sinkFactory))
{
    // A close lets go of the drive only once the program is back in its
    // event loop, so that the open that follows a setup change finds it.
    releaseTimer.setSingleShot(true);
    releaseTimer.setInterval(0);
    connect(&releaseTimer, &QTimer::timeout, this, &CdAudioDevice::release);
}

CdAudioDevice::~CdAudioDevice()
{
    releaseTimer.stop();
    waiting = {};
    if (drive)
        retired.push_back(std::move(drive));
    destroyRetired();
}

bool CdAudioDevice::GetErrorString(std::uint32_t error, char *buffer, std::uint32_t length)
{
    return CopyMciErrorText(error, buffer, length);
}

std::uint32_t CdAudioDevice::SendCommand(std::uint16_t deviceId, std::uint32_t command, std::uint32_t flags,
                                         MciParms &parms)
{
    std::uint32_t result = 0;
    if (command == MCI_OPEN) {
        result = open(flags, parms);
        deviceId = parms.wDeviceID;
    } else if (command == MCI_CLOSE) {
        result = close(deviceId);
    } else if (Session *found = session(deviceId)) {
        result = dispatch(*found, command, flags, parms);
    } else {
        result = MCIERR_INVALID_DEVICE_ID;
    }
    // Commands that complete at once notify at once; play and resume notify
    // when the sound has ended.
    const bool completesLater = command == MCI_PLAY || command == MCI_RESUME;
    if (result == 0 && (flags & MCI_NOTIFY) != 0 && !completesLater)
        post(parms.dwCallback, MCI_NOTIFY_SUCCESSFUL, deviceId);
    return result;
}

CdAudioDevice::Session *CdAudioDevice::session(std::uint16_t id)
{
    auto found = std::find_if(sessions.begin(), sessions.end(), [id](const Session &s) { return s.id == id; });
    return found == sessions.end() ? nullptr : &*found;
}

std::uint32_t CdAudioDevice::dispatch(Session &current, std::uint32_t command, std::uint32_t flags, MciParms &parms)
{
    switch (command) {
    case MCI_GETDEVCAPS:
        return capability(flags, parms);
    case MCI_SET:
        return set(current, flags, parms);
    case MCI_STATUS:
        return status(current, flags, parms);
    case MCI_PLAY: {
        const std::uint32_t result = play(current, flags, parms);
        if (result == 0)
            awaitCompletion(current.id, flags, parms);
        return result;
    }
    case MCI_RESUME: {
        const std::uint32_t result = resume();
        if (result == 0)
            awaitCompletion(current.id, flags, parms);
        return result;
    }
    case MCI_PAUSE:
        return pause();
    case MCI_STOP:
        return stop();
    case MCI_SEEK:
        return seek(current, flags, parms);
    default:
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
}

std::uint32_t CdAudioDevice::open(std::uint32_t flags, MciParms &parms)
{
    if ((flags & MCI_OPEN_ELEMENT) != 0 && !parms.lpstrElementName.isEmpty())
        return MCIERR_NO_ELEMENT_ALLOWED;
    if ((flags & MCI_OPEN_TYPE) == 0)
        return MCIERR_MISSING_DEVICE_NAME;
    if (parms.lpstrDeviceType.compare("cdaudio", Qt::CaseInsensitive) != 0)
        return MCIERR_INVALID_DEVICE_NAME;
    const bool shareable = (flags & MCI_OPEN_SHAREABLE) != 0;
    const bool othersShare = std::all_of(sessions.begin(), sessions.end(), [](const Session &s) { return s.shareable; });
    if (!sessions.empty() && !(shareable && othersShare))
        return MCIERR_MUST_USE_SHAREABLE;
    const std::uint32_t error = loadDisc();
    if (error != 0)
        return error;
    const std::uint16_t id = newId();
    sessions.push_back({id, MCI_FORMAT_MSF, shareable});
    lastId = id;
    parms.wDeviceID = id;
    return 0;
}

std::uint32_t CdAudioDevice::loadDisc()
{
    std::uint32_t error = 0;
    std::unique_ptr<CdDisc> disc = CdDisc::Open(source, error);
    if (!disc)
        return error;
    // The same disc still in the drive plays on; another one starts afresh.
    if (drive && drive->Toc() == disc->Toc())
        return 0;
    retireDrive();
    drive = std::make_unique<CdPlayback>(std::move(disc), makeSink);
    // Queued on the drive itself: an ending still on its way goes with the drive.
    const CdPlayback *playback = drive.get();
    connect(drive.get(), &CdPlayback::Ended, drive.get(),
            [this, playback](std::uint64_t play, CdPlayback::Ending ending) {
                playbackEnded(playback, play, ending == CdPlayback::Ending::ReachedEnd);
            }, Qt::QueuedConnection);
    return 0;
}

// Stops the drive in hand and keeps it for the release timer to destroy.
void CdAudioDevice::retireDrive()
{
    if (!drive)
        return;
    settleWaiting(MCI_NOTIFY_ABORTED);
    drive->Stop();
    retired.push_back(std::move(drive));
    releaseTimer.start();
}

std::uint16_t CdAudioDevice::newId() const
{
    std::uint16_t id = lastId;
    do {
        ++id;
    } while (id == 0 || std::any_of(sessions.begin(), sessions.end(), [id](const Session &s) { return s.id == id; }));
    return id;
}

std::uint32_t CdAudioDevice::close(std::uint16_t id)
{
    auto found = std::find_if(sessions.begin(), sessions.end(), [id](const Session &s) { return s.id == id; });
    if (found == sessions.end())
        return MCIERR_INVALID_DEVICE_ID;
    sessions.erase(found);
    // The window that asked for the notification is letting go of the device.
    if (waiting.device == id)
        waiting = {};
    if (sessions.empty())
        releaseTimer.start();
    return 0;
}

void CdAudioDevice::release()
{
    if (sessions.empty())
        retireDrive();
    destroyRetired();
}

void CdAudioDevice::destroyRetired()
{
    // Each leaves the list before it goes.
    while (!retired.empty()) {
        std::unique_ptr<CdPlayback> going = std::move(retired.back());
        retired.pop_back();
        going.reset();
    }
}

std::uint32_t CdAudioDevice::capability(std::uint32_t flags, MciParms &parms)
{
    if ((flags & MCI_GETDEVCAPS_ITEM) == 0)
        return MCIERR_MISSING_PARAMETER;
    switch (parms.dwItem) {
    case MCI_GETDEVCAPS_CAN_PLAY:
    case MCI_GETDEVCAPS_HAS_AUDIO:
        parms.dwReturn = MCI_TRUE;
        return 0;
    case MCI_GETDEVCAPS_CAN_RECORD:
    case MCI_GETDEVCAPS_HAS_VIDEO:
    case MCI_GETDEVCAPS_USES_FILES:
    case MCI_GETDEVCAPS_COMPOUND_DEVICE:
    case MCI_GETDEVCAPS_CAN_EJECT:
    case MCI_GETDEVCAPS_CAN_SAVE:
        parms.dwReturn = MCI_FALSE;
        return 0;
    case MCI_GETDEVCAPS_DEVICE_TYPE:
        parms.dwReturn = MCI_DEVTYPE_CD_AUDIO;
        return 0;
    default:
        return MCIERR_BAD_CONSTANT;
    }
}

std::uint32_t CdAudioDevice::set(Session &current, std::uint32_t flags, const MciParms &parms)
{
    const std::uint32_t known = MCI_NOTIFY | MCI_WAIT | MCI_SET_TIME_FORMAT;
    if ((flags & ~known) != 0)
        return MCIERR_UNSUPPORTED_FUNCTION;
    if ((flags & MCI_SET_TIME_FORMAT) == 0)
        return MCIERR_MISSING_PARAMETER;
    if (!DiscToc::IsTimeFormat(parms.dwTimeFormat))
        return MCIERR_BAD_TIME_FORMAT;
    current.timeFormat = parms.dwTimeFormat;
    return 0;
}

std::uint32_t CdAudioDevice::status(const Session &current, std::uint32_t flags, MciParms &parms)
{
    if ((flags & MCI_STATUS_ITEM) == 0)
        return MCIERR_MISSING_PARAMETER;
    if ((flags & MCI_TRACK) != 0)
        return trackStatus(current, parms);
    const DiscToc &toc = drive->Toc();
    switch (parms.dwItem) {
    case MCI_STATUS_MODE:
        parms.dwReturn = modeOf(*drive);
        return 0;
    case MCI_STATUS_POSITION:
        parms.dwReturn = toc.Encode(drive->Position(), current.timeFormat);
        return 0;
    case MCI_STATUS_LENGTH:
        parms.dwReturn = toc.Encode(toc.MediaEnd(), current.timeFormat);
        return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS:
        parms.dwReturn = static_cast<std::uint32_t>(toc.TrackCount());
        return 0;
    case MCI_STATUS_TIME_FORMAT:
        parms.dwReturn = current.timeFormat;
        return 0;
    case MCI_STATUS_CURRENT_TRACK:
        parms.dwReturn = static_cast<std::uint32_t>(toc.TrackAt(drive->Position()));
        return 0;
    case MCI_STATUS_READY:
    case MCI_STATUS_MEDIA_PRESENT:
        parms.dwReturn = MCI_TRUE;
        return 0;
    default:
        return MCIERR_BAD_CONSTANT;
    }
}

std::uint32_t CdAudioDevice::trackStatus(const Session &current, MciParms &parms)
{
    const DiscToc &toc = drive->Toc();
    const DiscTrack *track = toc.Track(static_cast<int>(parms.dwTrack));
    if (track == nullptr)
        return MCIERR_OUTOFRANGE;
    switch (parms.dwItem) {
    case MCI_STATUS_POSITION:
        parms.dwReturn = toc.Encode(track->start, current.timeFormat);
        return 0;
    case MCI_STATUS_LENGTH:
        parms.dwReturn = toc.EncodeDuration(track->end - track->start, current.timeFormat);
        return 0;
    case MCI_CDA_STATUS_TYPE_TRACK:
        parms.dwReturn = track->audio ? MCI_CDA_TRACK_AUDIO : MCI_CDA_TRACK_OTHER;
        return 0;
    default:
        return MCIERR_BAD_CONSTANT;
    }
}

std::uint32_t CdAudioDevice::play(const Session &current, std::uint32_t flags, const MciParms &parms)
{
    // A waiting play would hold the window for the length of the music.
    if ((flags & MCI_WAIT) != 0)
        return MCIERR_UNSUPPORTED_FUNCTION;
    const DiscToc &toc = drive->Toc();
    const std::optional<std::int32_t> from =
        (flags & MCI_FROM) != 0 ? toc.Decode(parms.dwFrom, current.timeFormat) : drive->Position();
    const std::optional<std::int32_t> to =
        (flags & MCI_TO) != 0 ? toc.Decode(parms.dwTo, current.timeFormat) : toc.MediaEnd();
    if (!from || !to || *to < *from)
        return MCIERR_OUTOFRANGE;
    if (drive->CurrentMode() == CdPlayback::Mode::Paused && (flags & (MCI_FROM | MCI_TO)) == 0) {
        drive->Resume();
        return 0;
    }
    if (*from < *to && !toc.IsAudioAt(*from))
        return CDERR_DATA_TRACK;
    return drive->Play(*from, std::min(*to, toc.AudioRunEnd(*from))) ? 0 : CDERR_NO_AUDIO_OUTPUT;
}

std::uint32_t CdAudioDevice::pause()
{
    if (drive->CurrentMode() == CdPlayback::Mode::Playing) {
        drive->Pause();
        settleWaiting(MCI_NOTIFY_ABORTED);
    }
    return 0;
}

std::uint32_t CdAudioDevice::resume()
{
    switch (drive->CurrentMode()) {
    case CdPlayback::Mode::Paused:
        drive->Resume();
        return 0;
    case CdPlayback::Mode::Playing:
        return 0;
    case CdPlayback::Mode::Stopped:
        break;
    }
    return MCIERR_NONAPPLICABLE_FUNCTION;
}

std::uint32_t CdAudioDevice::stop()
{
    drive->Stop();
    settleWaiting(MCI_NOTIFY_ABORTED);
    return 0;
}

std::uint32_t CdAudioDevice::seek(const Session &current, std::uint32_t flags, const MciParms &parms)
{
    const std::uint32_t targets = flags & (MCI_TO | MCI_SEEK_TO_START | MCI_SEEK_TO_END);
    if (targets == 0)
        return MCIERR_MISSING_PARAMETER;
    if (targets != MCI_TO && targets != MCI_SEEK_TO_START && targets != MCI_SEEK_TO_END)
        return MCIERR_FLAGS_NOT_COMPATIBLE;
    const DiscToc &toc = drive->Toc();
    std::optional<std::int32_t> target = toc.MediaStart();
    if (targets == MCI_SEEK_TO_END)
        target = toc.MediaEnd();
    else if (targets == MCI_TO)
        target = toc.Decode(parms.dwTo, current.timeFormat);
    if (!target)
        return MCIERR_OUTOFRANGE;
    drive->Seek(*target);
    settleWaiting(MCI_NOTIFY_ABORTED);
    return 0;
}

void CdAudioDevice::awaitCompletion(std::uint16_t id, std::uint32_t flags, const MciParms &parms)
{
    const bool notify = (flags & MCI_NOTIFY) != 0;
    settleWaiting(notify ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED);
    if (notify)
        waiting = {parms.dwCallback, id, drive->PlayNumber()};
}

void CdAudioDevice::settleWaiting(std::uint32_t notifyCode)
{
    if (waiting.target)
        post(waiting.target, notifyCode, waiting.device);
    waiting = {};
}

void CdAudioDevice::playbackEnded(const CdPlayback *playback, std::uint64_t play, bool reachedEnd)
{
    // An ending of a drive already let go, or of a play since replaced, concerns nobody.
    if (playback != drive.get() || play != waiting.play)
        return;
    settleWaiting(reachedEnd ? MCI_NOTIFY_SUCCESSFUL : MCI_NOTIFY_FAILURE);
}
