// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

class CdDisc;
class PcmRing;

// The thread that reads a stretch of the disc's digital audio into the ring,
// so that a slow drive never holds up the user-interface thread. It reads one
// job at a time; a new job, or a restart of the ring, ends the one before.
class CdReader
{
public:
    CdReader(CdDisc &disc, PcmRing &ring);
    ~CdReader();
    CdReader(const CdReader &) = delete;
    CdReader &operator=(const CdReader &) = delete;

    // Reads sectors [from, to) into the ring under the given generation.
    void Start(std::uint64_t generation, std::int32_t from, std::int32_t to);

private:
    struct Job
    {
        std::uint64_t generation;
        std::int32_t from;
        std::int32_t to;
    };
    void run();
    bool waitForJob(Job &job);
    void read(const Job &job);

    CdDisc &disc;
    PcmRing &ring;
    std::mutex lock;
    std::condition_variable wake;
    std::optional<Job> next;
    bool quitting = false;
    std::thread thread;
};
