// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>

// The kinds of button of the media player strip, left to right.
enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
inline constexpr int MPButtonKinds = 9;

// What the device is doing, as its mode status gives it.
enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

// How the last notification ended.
enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

// The device type that the open asks for; dtAutoSelect names none.
enum TMPDeviceTypes {
    dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther,
    dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio
};

// A set of button kinds.
class TButtonSet
{
public:
    constexpr TButtonSet() = default;
    constexpr TButtonSet(std::initializer_list<TMPBtnType> kinds)
    {
        for (TMPBtnType kind : kinds)
            Include(kind);
    }
    static constexpr TButtonSet All()
    {
        return {btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject};
    }

    constexpr bool Contains(TMPBtnType kind) const { return (bits & bit(kind)) != 0; }
    constexpr void Include(TMPBtnType kind) { bits = static_cast<std::uint16_t>(bits | bit(kind)); }
    constexpr void Exclude(TMPBtnType kind) { bits = static_cast<std::uint16_t>(bits & ~bit(kind)); }
    constexpr bool Empty() const { return bits == 0; }
    constexpr bool operator==(const TButtonSet &other) const = default;

private:
    static constexpr std::uint16_t bit(TMPBtnType kind) { return static_cast<std::uint16_t>(1u << kind); }
    std::uint16_t bits = 0;
};
