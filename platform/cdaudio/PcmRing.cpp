// SPDX-License-Identifier: GPL-3.0-or-later
#include "PcmRing.h"

#include <algorithm>
#include <cstring>

PcmRing::PcmRing(std::size_t capacity) : bytes(capacity)
{
}

bool PcmRing::Write(std::uint64_t generation, const char *data, std::size_t size)
{
    std::unique_lock guard(lock);
    while (size > 0) {
        space.wait(guard, [&] { return generation != current || count < bytes.size(); });
        if (generation != current)
            return false;
        const std::size_t tail = (head + count) % bytes.size();
        const std::size_t chunk = std::min({size, bytes.size() - count, bytes.size() - tail});
        std::memcpy(bytes.data() + tail, data, chunk);
        count += chunk;
        data += chunk;
        size -= chunk;
    }
    return true;
}

void PcmRing::Finish(std::uint64_t generation, bool succeeded)
{
    std::lock_guard guard(lock);
    if (generation == current)
        end = succeeded ? End::Finished : End::Failed;
}

bool PcmRing::IsCurrent(std::uint64_t generation) const
{
    std::lock_guard guard(lock);
    return generation == current;
}

std::uint64_t PcmRing::Restart()
{
    std::uint64_t generation;
    {
        std::lock_guard guard(lock);
        head = 0;
        count = 0;
        end = End::Open;
        generation = ++current;
    }
    space.notify_all();
    return generation;
}

std::size_t PcmRing::Read(char *data, std::size_t maximum)
{
    std::size_t taken = 0;
    {
        std::lock_guard guard(lock);
        while (taken < maximum && count > 0) {
            const std::size_t chunk = std::min({maximum - taken, count, bytes.size() - head});
            std::memcpy(data + taken, bytes.data() + head, chunk);
            head = (head + chunk) % bytes.size();
            count -= chunk;
            taken += chunk;
        }
    }
    if (taken > 0)
        space.notify_all();
    return taken;
}

std::size_t PcmRing::Available() const
{
    std::lock_guard guard(lock);
    return count;
}

PcmRing::End PcmRing::StreamEnd() const
{
    std::lock_guard guard(lock);
    return end;
}
