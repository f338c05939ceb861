// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Mci.h"
#include "Seam.h"

#include <cstdint>

// Stand-in for mciSendCommandA and mciGetErrorStringA: the narrow door through
// which the CD player strip drives the CD audio device. Requests run on the
// user-interface thread and return at once; a notification asked for with
// MCI_NOTIFY arrives later as an MciNotifyEvent posted to parms.dwCallback.
class IMci
{
public:
    virtual ~IMci() = default;
    // Carries out one request; returns 0 or an MCIERR_/CDERR_ code.
    virtual std::uint32_t SendCommand(std::uint16_t deviceId, std::uint32_t command, std::uint32_t flags,
                                      MciParms &parms) = 0;
    // Writes the readable text of an error code into buffer, zero-terminated
    // and cut to length bytes; returns false for a code it does not know.
    virtual bool GetErrorString(std::uint32_t error, char *buffer, std::uint32_t length) = 0;
};

using MciDevices = Seam<IMci>;
