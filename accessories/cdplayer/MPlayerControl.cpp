// SPDX-License-Identifier: GPL-3.0-or-later
#include "MPlayerControl.h"

#include "Cp1252.h"
#include "IMci.h"

#include <array>
#include <vector>

using namespace Mci;

namespace {

constexpr std::array<const char *, 13> DeviceTypeNames = {
    "",         "AVIVideo", "CDAudio",   "DAT", "DigitalVideo", "MMMovie",  "Other",
    "Overlay",  "Scanner",  "Sequencer", "VCR", "Videodisc",    "WaveAudio",
};

constexpr std::uint32_t ErrorTextLength = 4096;

TMPNotifyValues notifyValueOf(std::uint32_t notifyCode)
{
    switch (notifyCode) {
    case MCI_NOTIFY_SUPERSEDED:
        return nvSuperseded;
    case MCI_NOTIFY_ABORTED:
        return nvAborted;
    case MCI_NOTIFY_FAILURE:
        return nvFailure;
    default:
        return nvSuccessful;
    }
}

} // namespace

MPlayerControl::MPlayerControl(QObject *notifyWindow) : window(notifyWindow)
{
}

// ---- Requests --------------------------------------------------------------

std::uint32_t MPlayerControl::send(std::uint32_t command, std::uint32_t flags, MciParms &parms) const
{
    return MciDevices::get().SendCommand(deviceId, command, flags, parms);
}

std::uint32_t MPlayerControl::status(std::uint32_t item, bool record)
{
    MciParms parms;
    parms.dwItem = item;
    const std::uint32_t result = send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, parms);
    if (record)
        lastError = result;
    return parms.dwReturn;
}

std::uint32_t MPlayerControl::capability(std::uint32_t item)
{
    MciParms parms;
    parms.dwItem = item;
    send(MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, parms);
    return parms.dwReturn;
}

TMPModes MPlayerControl::Mode()
{
    const std::int64_t mode = static_cast<std::int64_t>(status(MCI_STATUS_MODE, true)) - MCI_MODE_NOT_READY;
    // A mode the device could not give reads as not ready.
    if (mode < mpNotReady || mode > mpOpen)
        return mpNotReady;
    return static_cast<TMPModes>(mode);
}

std::uint32_t MPlayerControl::Position()
{
    return status(MCI_STATUS_POSITION, true);
}

std::uint32_t MPlayerControl::Length()
{
    return status(MCI_STATUS_LENGTH, true);
}

std::uint32_t MPlayerControl::Tracks()
{
    return status(MCI_STATUS_NUMBER_OF_TRACKS, true);
}

std::uint32_t MPlayerControl::TimeFormat()
{
    return status(MCI_STATUS_TIME_FORMAT, true);
}

std::uint32_t MPlayerControl::TrackPosition(std::uint32_t track)
{
    MciParms parms;
    parms.dwItem = MCI_STATUS_POSITION;
    parms.dwTrack = track;
    send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM | MCI_TRACK, parms);
    return parms.dwReturn;
}

// A track that the device does not say is data counts as audio.
bool MPlayerControl::isAudioTrack(std::uint32_t track)
{
    MciParms parms;
    parms.dwItem = MCI_CDA_STATUS_TYPE_TRACK;
    parms.dwTrack = track;
    return send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM | MCI_TRACK, parms) != 0
           || parms.dwReturn != MCI_CDA_TRACK_OTHER;
}

QString MPlayerControl::ErrorMessage() const
{
    std::vector<char> buffer(ErrorTextLength, '\0');
    if (!MciDevices::installed() || !MciDevices::get().GetErrorString(lastError, buffer.data(), ErrorTextLength))
        return QStringLiteral("Unknown error code");
    buffer.back() = '\0';
    return Cp1252::decode(QByteArray(buffer.data()));
}

// A request of an open device without parameters, its result recorded.
void MPlayerControl::command(std::uint32_t request, std::uint32_t flags)
{
    checkOpen();
    MciParms parms;
    if ((flags & MCI_NOTIFY) != 0)
        parms.dwCallback = window;
    lastError = send(request, flags, parms);
}

void MPlayerControl::checkOpen() const
{
    if (!opened)
        throw EMCIDeviceError(QStringLiteral("No MCI device open"));
}

// ---- Operations ------------------------------------------------------------

void MPlayerControl::Open()
{
    if (opened)
        Close();
    MciParms parms;
    parms.dwCallback = window;
    std::uint32_t flags = MCI_WAIT;
    if (deviceType != dtAutoSelect) {
        flags |= MCI_OPEN_TYPE;
        parms.lpstrDeviceType = DeviceTypeNames[deviceType];
    }
    if (!fileName.isEmpty()) {
        flags |= MCI_OPEN_ELEMENT;
        parms.lpstrElementName = Cp1252::encode(fileName);
    }
    if (shareable)
        flags |= MCI_OPEN_SHAREABLE;
    // Without a media control service there is no device of any type to
    // open, as on a computer with no CD audio driver.
    lastError = MciDevices::installed() ? MciDevices::get().SendCommand(0, MCI_OPEN, flags, parms)
                                        : MCIERR_INVALID_DEVICE_NAME;
    if (lastError != 0)
        throw EMCIDeviceError(ErrorMessage());

    opened = true;
    deviceId = parms.wDeviceID;
    canPlay = capability(MCI_GETDEVCAPS_CAN_PLAY) != 0;
    canEject = capability(MCI_GETDEVCAPS_CAN_EJECT) != 0;
    canRecord = capability(MCI_GETDEVCAPS_CAN_RECORD) != 0;
    hasVideo = capability(MCI_GETDEVCAPS_HAS_VIDEO) != 0;
    capability(MCI_GETDEVCAPS_DEVICE_TYPE);
    if (deviceType == dtCDAudio) {
        MciParms set;
        set.dwTimeFormat = MCI_FORMAT_TMSF;
        lastError = send(MCI_SET, MCI_SET_TIME_FORMAT, set);
    }
    Length();

    autoButtons = {btNext, btPrev};
    if (canPlay)
        autoButtons.Include(btPlay);
    if (Mode() == mpPlaying)
        autoButtonSet(btPlay);
}

void MPlayerControl::Close()
{
    if (deviceId == 0)
        return;
    MciParms parms;
    lastError = send(MCI_CLOSE, MCI_WAIT, parms);
    if (lastError != 0)
        return;
    opened = false;
    deviceId = 0;
    autoButtons = {};
}

void MPlayerControl::Release()
{
    if (deviceId != 0 && MciDevices::installed()) {
        MciParms parms;
        send(MCI_CLOSE, MCI_WAIT, parms);
    }
}

void MPlayerControl::Play()
{
    checkOpen();
    if (autoRewind && !usePendingFrom && Position() == Length())
        Rewind();
    MciParms parms;
    parms.dwCallback = window;
    std::uint32_t flags = MCI_NOTIFY;
    if (usePendingFrom) {
        flags |= MCI_FROM;
        parms.dwFrom = pendingFrom;
        usePendingFrom = false;
    }
    lastError = send(MCI_PLAY, flags, parms);
}

void MPlayerControl::Pause()
{
    checkOpen();
    const TMPModes mode = Mode();
    if (mode == mpPlaying) {
        MciParms parms;
        lastError = send(MCI_PAUSE, MCI_WAIT, parms);
    } else if (mode == mpPaused) {
        Resume();
        if (lastError != 0)
            Play();
    }
}

void MPlayerControl::Resume()
{
    command(MCI_RESUME, MCI_NOTIFY);
}

void MPlayerControl::Stop()
{
    command(MCI_STOP, MCI_WAIT);
}

// On a disc with data tracks, the first and the last track in these rules
// are the first and the last audio track: Prev never goes back onto data
// before the music, Next never goes on onto data after it.
bool MPlayerControl::Next()
{
    checkOpen();
    if (TimeFormat() != MCI_FORMAT_TMSF) {
        MciParms parms;
        lastError = send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_END, parms);
        return false;
    }
    const std::uint32_t track = TmsfTrack(Position());
    const std::uint32_t tracks = Tracks();
    std::uint32_t next = track < tracks ? track + 1 : tracks;
    if (next != track && !isAudioTrack(next))
        next = track;
    return goTo(TrackPosition(next));
}

bool MPlayerControl::Prev()
{
    checkOpen();
    if (TimeFormat() != MCI_FORMAT_TMSF) {
        MciParms parms;
        lastError = send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, parms);
        return false;
    }
    const std::uint32_t position = Position();
    const std::uint32_t track = TmsfTrack(position);
    std::uint32_t target = TrackPosition(track);
    const bool firstSecond = TmsfMinutes(position) == TmsfMinutes(target) && TmsfSeconds(position) == TmsfSeconds(target);
    if (firstSecond && track != 1 && isAudioTrack(track - 1))
        target = TrackPosition(track - 1);
    return goTo(target);
}

bool MPlayerControl::goTo(std::uint32_t target)
{
    if (Mode() != mpPlaying) {
        seekTo(target);
        return false;
    }
    playFromPending(target);
    return true;
}

void MPlayerControl::Rewind()
{
    checkOpen();
    MciParms parms;
    send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, parms);
}

void MPlayerControl::Step(bool backwards)
{
    command(MCI_STEP, MCI_WAIT | (backwards ? MCI_STEP_REVERSE : 0));
}

void MPlayerControl::StartRecording()
{
    command(MCI_RECORD, MCI_NOTIFY);
}

void MPlayerControl::Eject()
{
    command(MCI_SET, MCI_WAIT | MCI_SET_DOOR_OPEN);
}

void MPlayerControl::seekTo(std::uint32_t target)
{
    MciParms parms;
    parms.dwTo = target;
    lastError = send(MCI_SEEK, MCI_WAIT | MCI_TO, parms);
}

void MPlayerControl::playFromPending(std::uint32_t target)
{
    pendingFrom = target;
    usePendingFrom = true;
    Play();
}

TMPBtnType MPlayerControl::Run(TMPBtnType kind)
{
    switch (kind) {
    case btPlay:
        Play();
        break;
    case btPause:
        Pause();
        break;
    case btStop:
        Stop();
        break;
    case btNext:
        return Next() ? btPlay : kind;
    case btPrev:
        return Prev() ? btPlay : kind;
    case btStep:
        Step(false);
        break;
    case btBack:
        Step(true);
        break;
    case btRecord:
        StartRecording();
        break;
    case btEject:
        Eject();
        break;
    }
    return kind;
}

// ---- Automatic button states -----------------------------------------------

void MPlayerControl::Activated(TMPBtnType current, bool byMouse)
{
    // A mouse press that failed leaves the buttons as they were.
    if (autoEnable && (!byMouse || (lastError == 0 && opened)))
        autoButtonSet(current);
}

void MPlayerControl::autoButtonSet(TMPBtnType kind)
{
    switch (kind) {
    case btPlay:
        autoButtons.Include(btPause);
        autoButtons.Include(btStop);
        autoButtons.Exclude(btPlay);
        break;
    case btPause:
        if (canPlay)
            autoButtons.Include(btPlay);
        break;
    case btStop:
    case btNext:
    case btPrev:
        if (canPlay)
            autoButtons.Include(btPlay);
        autoButtons.Exclude(btPause);
        autoButtons.Exclude(btStop);
        break;
    default:
        break;
    }
}

void MPlayerControl::Notified(std::uint32_t notifyCode)
{
    if (autoEnable && Mode() == mpStopped) {
        if (canPlay)
            autoButtons.Include(btPlay);
        autoButtons.Exclude(btPause);
        autoButtons.Exclude(btStop);
    }
    notifyValue = notifyValueOf(notifyCode);
}
