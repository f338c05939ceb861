// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EMCIDeviceError.h"
#include "MPlayerTypes.h"

#include <QString>

#include <cstdint>

class QObject;
struct MciParms;

// What the media player strip does without its buttons: the media control
// requests to the device, the record of their results, and the rules that
// say which buttons the device's state allows. The strip draws and takes the
// input; this holds everything it asks of the device.
class MPlayerControl
{
public:
    // window: where the device sends the notifications asked for.
    explicit MPlayerControl(QObject *window);

    TMPDeviceTypes deviceType = dtAutoSelect;
    bool autoEnable = true;
    bool autoRewind = true;
    bool shareable = false;
    QString fileName;

    void Open();
    void Close();
    // Closes a device still held, with no notification and no look at the result.
    void Release();
    void Play();
    void Pause();
    void Resume();
    void Stop();
    // Next and Prev: true when they started playback from the new place.
    bool Next();
    bool Prev();
    void Rewind();
    void Step(bool backwards);
    void StartRecording();
    void Eject();
    // Runs a button's command; returns the button it leaves current (Play
    // for Next and Prev during playback).
    TMPBtnType Run(TMPBtnType kind);

    TMPModes Mode();
    std::uint32_t Position();
    std::uint32_t Length();
    std::uint32_t Tracks();
    std::uint32_t TimeFormat();
    std::uint32_t TrackPosition(std::uint32_t track);

    std::uint16_t DeviceID() const { return deviceId; }
    bool IsOpen() const { return opened; }
    std::uint32_t Error() const { return lastError; }
    QString ErrorMessage() const;
    TMPNotifyValues NotifyValue() const { return notifyValue; }
    bool CanPlay() const { return canPlay; }
    bool CanEject() const { return canEject; }
    bool CanRecord() const { return canRecord; }
    bool HasVideo() const { return hasVideo; }
    TButtonSet AutoButtons() const { return autoButtons; }

    // The automatic button states: whether a button is allowed now, the
    // update after a button has been activated, and the one after the
    // device's completion notification.
    bool Allows(TMPBtnType kind) const { return !autoEnable || autoButtons.Contains(kind); }
    void Activated(TMPBtnType current, bool byMouse);
    void Notified(std::uint32_t notifyCode);

private:
    std::uint32_t send(std::uint32_t command, std::uint32_t flags, MciParms &parms) const;
    std::uint32_t status(std::uint32_t item, bool record);
    std::uint32_t capability(std::uint32_t item);
    bool isAudioTrack(std::uint32_t track);
    void command(std::uint32_t request, std::uint32_t flags);
    void checkOpen() const;
    void seekTo(std::uint32_t target);
    void playFromPending(std::uint32_t target);
    bool goTo(std::uint32_t target);
    void autoButtonSet(TMPBtnType kind);

    QObject *window;
    std::uint16_t deviceId = 0;
    bool opened = false;
    std::uint32_t lastError = 0;
    bool canPlay = false;
    bool canEject = false;
    bool canRecord = false;
    bool hasVideo = false;
    TButtonSet autoButtons;
    std::uint32_t pendingFrom = 0;
    bool usePendingFrom = false;
    TMPNotifyValues notifyValue = nvSuccessful;
};
