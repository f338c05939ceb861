// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>

#include <cstdint>

// The requests, flags, items and results of the media control interface that
// the CD player strip speaks, with the numbers of the Windows multimedia API
// so a Windows build can hand them to mciSendCommandA unchanged.
namespace Mci {

// Commands.
inline constexpr std::uint32_t MCI_OPEN = 0x0803;
inline constexpr std::uint32_t MCI_CLOSE = 0x0804;
inline constexpr std::uint32_t MCI_PLAY = 0x0806;
inline constexpr std::uint32_t MCI_SEEK = 0x0807;
inline constexpr std::uint32_t MCI_STOP = 0x0808;
inline constexpr std::uint32_t MCI_PAUSE = 0x0809;
inline constexpr std::uint32_t MCI_GETDEVCAPS = 0x080B;
inline constexpr std::uint32_t MCI_SET = 0x080D;
inline constexpr std::uint32_t MCI_STEP = 0x080E;
inline constexpr std::uint32_t MCI_RECORD = 0x080F;
inline constexpr std::uint32_t MCI_STATUS = 0x0814;
inline constexpr std::uint32_t MCI_RESUME = 0x0855;

// Flags common to every command.
inline constexpr std::uint32_t MCI_NOTIFY = 0x0001;
inline constexpr std::uint32_t MCI_WAIT = 0x0002;
inline constexpr std::uint32_t MCI_FROM = 0x0004;
inline constexpr std::uint32_t MCI_TO = 0x0008;
inline constexpr std::uint32_t MCI_TRACK = 0x0010;

// Flags of single commands.
inline constexpr std::uint32_t MCI_OPEN_SHAREABLE = 0x0100;
inline constexpr std::uint32_t MCI_OPEN_ELEMENT = 0x0200;
inline constexpr std::uint32_t MCI_OPEN_TYPE = 0x2000;
inline constexpr std::uint32_t MCI_SEEK_TO_START = 0x0100;
inline constexpr std::uint32_t MCI_SEEK_TO_END = 0x0200;
inline constexpr std::uint32_t MCI_STATUS_ITEM = 0x0100;
inline constexpr std::uint32_t MCI_GETDEVCAPS_ITEM = 0x0100;
inline constexpr std::uint32_t MCI_SET_TIME_FORMAT = 0x0400;
inline constexpr std::uint32_t MCI_SET_DOOR_OPEN = 0x0100;
inline constexpr std::uint32_t MCI_STEP_REVERSE = 0x00010000;

// Status items.
inline constexpr std::uint32_t MCI_STATUS_LENGTH = 1;
inline constexpr std::uint32_t MCI_STATUS_POSITION = 2;
inline constexpr std::uint32_t MCI_STATUS_NUMBER_OF_TRACKS = 3;
inline constexpr std::uint32_t MCI_STATUS_MODE = 4;
inline constexpr std::uint32_t MCI_STATUS_MEDIA_PRESENT = 5;
inline constexpr std::uint32_t MCI_STATUS_TIME_FORMAT = 6;
inline constexpr std::uint32_t MCI_STATUS_READY = 7;
inline constexpr std::uint32_t MCI_STATUS_CURRENT_TRACK = 8;
// The CD audio driver's own status item: the kind of a track (with MCI_TRACK).
inline constexpr std::uint32_t MCI_CDA_STATUS_TYPE_TRACK = 0x4001;
inline constexpr std::uint32_t MCI_CDA_TRACK_AUDIO = 1088;
inline constexpr std::uint32_t MCI_CDA_TRACK_OTHER = 1089;

// Capability items.
inline constexpr std::uint32_t MCI_GETDEVCAPS_CAN_RECORD = 1;
inline constexpr std::uint32_t MCI_GETDEVCAPS_HAS_AUDIO = 2;
inline constexpr std::uint32_t MCI_GETDEVCAPS_HAS_VIDEO = 3;
inline constexpr std::uint32_t MCI_GETDEVCAPS_DEVICE_TYPE = 4;
inline constexpr std::uint32_t MCI_GETDEVCAPS_USES_FILES = 5;
inline constexpr std::uint32_t MCI_GETDEVCAPS_COMPOUND_DEVICE = 6;
inline constexpr std::uint32_t MCI_GETDEVCAPS_CAN_EJECT = 7;
inline constexpr std::uint32_t MCI_GETDEVCAPS_CAN_PLAY = 8;
inline constexpr std::uint32_t MCI_GETDEVCAPS_CAN_SAVE = 9;
inline constexpr std::uint32_t MCI_DEVTYPE_CD_AUDIO = 516;

// Time formats.
inline constexpr std::uint32_t MCI_FORMAT_MILLISECONDS = 0;
inline constexpr std::uint32_t MCI_FORMAT_MSF = 2;
inline constexpr std::uint32_t MCI_FORMAT_TMSF = 10;

// Modes, as the status item MCI_STATUS_MODE returns them.
inline constexpr std::uint32_t MCI_MODE_NOT_READY = 524;
inline constexpr std::uint32_t MCI_MODE_STOP = 525;
inline constexpr std::uint32_t MCI_MODE_PLAY = 526;
inline constexpr std::uint32_t MCI_MODE_RECORD = 527;
inline constexpr std::uint32_t MCI_MODE_SEEK = 528;
inline constexpr std::uint32_t MCI_MODE_PAUSE = 529;
inline constexpr std::uint32_t MCI_MODE_OPEN = 530;

// Completion codes of the MM_MCINOTIFY message.
inline constexpr std::uint32_t MCI_NOTIFY_SUCCESSFUL = 1;
inline constexpr std::uint32_t MCI_NOTIFY_SUPERSEDED = 2;
inline constexpr std::uint32_t MCI_NOTIFY_ABORTED = 4;
inline constexpr std::uint32_t MCI_NOTIFY_FAILURE = 8;

// Error codes. Zero is success.
inline constexpr std::uint32_t MCIERR_BASE = 256;
inline constexpr std::uint32_t MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
inline constexpr std::uint32_t MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
inline constexpr std::uint32_t MCIERR_HARDWARE = MCIERR_BASE + 6;
inline constexpr std::uint32_t MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
inline constexpr std::uint32_t MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
inline constexpr std::uint32_t MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
inline constexpr std::uint32_t MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;
inline constexpr std::uint32_t MCIERR_OUTOFRANGE = MCIERR_BASE + 26;
inline constexpr std::uint32_t MCIERR_FLAGS_NOT_COMPATIBLE = MCIERR_BASE + 28;
inline constexpr std::uint32_t MCIERR_BAD_CONSTANT = MCIERR_BASE + 34;
inline constexpr std::uint32_t MCIERR_MUST_USE_SHAREABLE = MCIERR_BASE + 35;
inline constexpr std::uint32_t MCIERR_MISSING_DEVICE_NAME = MCIERR_BASE + 36;
inline constexpr std::uint32_t MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37;
inline constexpr std::uint32_t MCIERR_NO_ELEMENT_ALLOWED = MCIERR_BASE + 45;
inline constexpr std::uint32_t MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46;
// Errors of this CD audio driver, above the driver base as MCI reserves it.
inline constexpr std::uint32_t MCIERR_CUSTOM_DRIVER_BASE = MCIERR_BASE + 256;
inline constexpr std::uint32_t CDERR_NO_DRIVE = MCIERR_CUSTOM_DRIVER_BASE + 1;
inline constexpr std::uint32_t CDERR_NO_AUDIO_TRACKS = MCIERR_CUSTOM_DRIVER_BASE + 2;
inline constexpr std::uint32_t CDERR_DATA_TRACK = MCIERR_CUSTOM_DRIVER_BASE + 3;
inline constexpr std::uint32_t CDERR_NO_AUDIO_OUTPUT = MCIERR_CUSTOM_DRIVER_BASE + 4;

inline constexpr std::uint32_t MCI_TRUE = 1;
inline constexpr std::uint32_t MCI_FALSE = 0;

// Positions in the TMSF format: track in the lowest byte, then minutes,
// seconds and frames (75 frames a second).
constexpr std::uint32_t MakeTmsf(std::uint32_t track, std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames)
{
    return (track & 0xFF) | (minutes & 0xFF) << 8 | (seconds & 0xFF) << 16 | (frames & 0xFF) << 24;
}
constexpr std::uint32_t TmsfTrack(std::uint32_t tmsf) { return tmsf & 0xFF; }
constexpr std::uint32_t TmsfMinutes(std::uint32_t tmsf) { return (tmsf >> 8) & 0xFF; }
constexpr std::uint32_t TmsfSeconds(std::uint32_t tmsf) { return (tmsf >> 16) & 0xFF; }
constexpr std::uint32_t TmsfFrames(std::uint32_t tmsf) { return (tmsf >> 24) & 0xFF; }

// Positions in the MSF format: minutes in the lowest byte, then seconds and frames.
constexpr std::uint32_t MakeMsf(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames)
{
    return (minutes & 0xFF) | (seconds & 0xFF) << 8 | (frames & 0xFF) << 16;
}
constexpr std::uint32_t MsfMinutes(std::uint32_t msf) { return msf & 0xFF; }
constexpr std::uint32_t MsfSeconds(std::uint32_t msf) { return (msf >> 8) & 0xFF; }
constexpr std::uint32_t MsfFrames(std::uint32_t msf) { return (msf >> 16) & 0xFF; }

} // namespace Mci

// The parameter block of one request. Each command reads and writes only its
// own fields, as the separate parameter structures of the Windows API do.
struct MciParms
{
    // The object that receives the MM_MCINOTIFY message (MciNotifyEvent) when
    // the request asks for a notification.
    QObject *dwCallback = nullptr;
    // Open: the identifier of the opened device (out), the device type and
    // the element (8-bit strings).
    std::uint16_t wDeviceID = 0;
    QByteArray lpstrDeviceType;
    QByteArray lpstrElementName;
    // Status and capabilities: the item asked for, the track with MCI_TRACK,
    // and the answer (out).
    std::uint32_t dwItem = 0;
    std::uint32_t dwTrack = 0;
    std::uint32_t dwReturn = 0;
    // Play and seek.
    std::uint32_t dwFrom = 0;
    std::uint32_t dwTo = 0;
    // Set.
    std::uint32_t dwTimeFormat = 0;
};
