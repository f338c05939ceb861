// SPDX-License-Identifier: GPL-3.0-or-later
#include "MciErrorText.h"

#include "Mci.h"

#include <algorithm>
#include <cstring>

using namespace Mci;

namespace {

struct ErrorText
{
    std::uint32_t code;
    const char *text;
};

constexpr ErrorText Texts[] = {
    {0, "The command was carried out."},
    {MCIERR_INVALID_DEVICE_ID, "No device is open under this device identifier."},
    {MCIERR_UNRECOGNIZED_COMMAND, "The CD audio device does not know this command."},
    {MCIERR_HARDWARE, "The CD drive reported a hardware error."},
    {MCIERR_INVALID_DEVICE_NAME, "This device type is not available; the only device is CD audio."},
    {MCIERR_MISSING_PARAMETER, "The command lacks a parameter that it needs."},
    {MCIERR_UNSUPPORTED_FUNCTION, "The CD audio device cannot carry out this command."},
    {MCIERR_DEVICE_NOT_READY, "The CD drive is not ready: there is no disc, or the disc cannot be read."},
    {MCIERR_OUTOFRANGE, "The position lies outside the disc."},
    {MCIERR_FLAGS_NOT_COMPATIBLE, "The flags of the command cannot be used together."},
    {MCIERR_BAD_CONSTANT, "The command names an item that the CD audio device does not know."},
    {MCIERR_MUST_USE_SHAREABLE, "The CD audio device is already in use; open it as shareable."},
    {MCIERR_MISSING_DEVICE_NAME, "No device type was given."},
    {MCIERR_BAD_TIME_FORMAT, "The CD audio device does not support this time format."},
    {MCIERR_NO_ELEMENT_ALLOWED, "The CD audio device does not open files."},
    {MCIERR_NONAPPLICABLE_FUNCTION, "The command does not apply in the device's present mode."},
    {CDERR_NO_DRIVE, "There is no CD drive on this computer."},
    {CDERR_NO_AUDIO_TRACKS, "The disc in the CD drive has no audio tracks."},
    {CDERR_DATA_TRACK, "That part of the disc holds data, not audio."},
    {CDERR_NO_AUDIO_OUTPUT, "There is no audio output to play the CD through."},
};

} // namespace

const char *MciErrorText(std::uint32_t error)
{
    for (const ErrorText &entry : Texts) {
        if (entry.code == error)
            return entry.text;
    }
    return nullptr;
}

bool CopyMciErrorText(std::uint32_t error, char *buffer, std::uint32_t length)
{
    if (buffer == nullptr || length == 0)
        return false;
    buffer[0] = '\0';
    const char *text = MciErrorText(error);
    if (text == nullptr)
        return false;
    const std::size_t count = std::min<std::size_t>(std::strlen(text), length - 1);
    std::memcpy(buffer, text, count);
    buffer[count] = '\0';
    return true;
}
