// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The readable text of an MCI error code known to the CD audio device, or
// nullptr for a code it does not know.
const char *MciErrorText(std::uint32_t error);

// Copies the text of an error code into a caller's buffer the way
// mciGetErrorStringA does: zero-terminated and cut to fit. Returns false, and
// leaves an empty string, for an unknown code or a buffer of no size.
bool CopyMciErrorText(std::uint32_t error, char *buffer, std::uint32_t length);
