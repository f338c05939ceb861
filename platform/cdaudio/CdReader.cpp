// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdReader.h"

#include "CdDisc.h"
#include "PcmRing.h"

#include <algorithm>
#include <vector>

namespace {

// A few sectors per read: small enough that a stop is heard at once, large
// enough that a real drive streams.
constexpr int SectorsPerRead = 8;

} // namespace

CdReader::CdReader(CdDisc &cd, PcmRing &pcm) : disc(cd), ring(pcm), thread([this] { run(); })
{
}

CdReader::~CdReader()
{
    {
        std::lock_guard guard(lock);
        quitting = true;
        next.reset();
    }
    wake.notify_all();
    // A read blocked on a full ring belongs to the current generation; a
    // restart turns it away.
    ring.Restart();
    thread.join();
}

void CdReader::Start(std::uint64_t generation, std::int32_t from, std::int32_t to)
{
    {
        std::lock_guard guard(lock);
        next = Job{generation, from, to};
    }
    wake.notify_all();
}

void CdReader::run()
{
    Job job{};
    while (waitForJob(job))
        read(job);
}

bool CdReader::waitForJob(Job &job)
{
    std::unique_lock guard(lock);
    wake.wait(guard, [this] { return quitting || next.has_value(); });
    if (quitting)
        return false;
    job = *next;
    next.reset();
    return true;
}

void CdReader::read(const Job &job)
{
    std::vector<char> buffer(static_cast<std::size_t>(SectorsPerRead) * CdDisc::SectorBytes);
    for (std::int32_t sector = job.from; sector < job.to;) {
        const int count = std::min<std::int32_t>(SectorsPerRead, job.to - sector);
        if (!ring.IsCurrent(job.generation))
            return;
        if (!disc.ReadAudio(sector, count, buffer.data())) {
            ring.Finish(job.generation, false);
            return;
        }
        if (!ring.Write(job.generation, buffer.data(), static_cast<std::size_t>(count) * CdDisc::SectorBytes))
            return;
        sector += count;
    }
    ring.Finish(job.generation, true);
}
