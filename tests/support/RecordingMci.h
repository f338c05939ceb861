// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IMci.h"

#include <QList>

#include <functional>
#include <optional>

// Stands between the player strip and a CD audio device: records every
// request and passes it on. A test may answer a request itself (answer
// returns a result) instead of passing it on, to play a refusing device.
class RecordingMci : public IMci
{
public:
    struct Request
    {
        std::uint16_t deviceId;
        std::uint32_t command;
        std::uint32_t flags;
        MciParms parms; // as sent
        std::uint32_t result;
    };

    explicit RecordingMci(IMci *inner = nullptr) : device(inner) {}

    QList<Request> requests;
    std::function<std::optional<std::uint32_t>(const Request &)> answer;

    std::uint32_t SendCommand(std::uint16_t deviceId, std::uint32_t command, std::uint32_t flags,
                              MciParms &parms) override
    {
        Request request{deviceId, command, flags, parms, 0};
        std::optional<std::uint32_t> result;
        if (answer)
            result = answer(request);
        if (!result)
            result = device ? device->SendCommand(deviceId, command, flags, parms) : Mci::MCIERR_INVALID_DEVICE_ID;
        request.result = *result;
        requests.append(request);
        return *result;
    }

    bool GetErrorString(std::uint32_t error, char *buffer, std::uint32_t length) override
    {
        return device != nullptr && device->GetErrorString(error, buffer, length);
    }

    QList<Request> withCommand(std::uint32_t command) const
    {
        QList<Request> found;
        for (const Request &request : requests)
            if (request.command == command)
                found.append(request);
        return found;
    }
    bool sent(std::uint32_t command) const { return !withCommand(command).isEmpty(); }

private:
    IMci *device;
};
