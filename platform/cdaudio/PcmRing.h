// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// The bytes of digital audio on their way from the reader thread to the
// audio output. Each playback is one generation: restarting drops what is
// buffered, and a writer still busy with an older generation is turned away,
// so a stop or a seek is never followed by sound from before it.
class PcmRing
{
public:
    enum class End { Open, Finished, Failed };

    explicit PcmRing(std::size_t capacity);

    // Reader side. Blocks while the ring is full; returns false, having
    // written nothing more, once the generation is no longer the current one.
    bool Write(std::uint64_t generation, const char *data, std::size_t size);
    // Marks the end of the generation's stream, read whole or failed.
    void Finish(std::uint64_t generation, bool succeeded);
    bool IsCurrent(std::uint64_t generation) const;

    // Output side: never blocks.
    std::uint64_t Restart();
    std::size_t Read(char *data, std::size_t maximum);
    std::size_t Available() const;
    End StreamEnd() const;

private:
    mutable std::mutex lock;
    std::condition_variable space;
    std::vector<char> bytes;
    std::size_t head = 0; // next byte to read
    std::size_t count = 0;
    std::uint64_t current = 0;
    End end = End::Open;
};
