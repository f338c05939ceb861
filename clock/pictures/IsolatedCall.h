#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>

// Runs a piece of work in a child process of its own and collects what it
// writes. A crash, a hang or a runaway allocation in the work ends only the
// child: the program gets a failed outcome and goes on. Used for the one
// decoder that runs a large third-party library over arbitrary files.
class IsolatedCall
{
public:
    struct Limits
    {
        int timeoutMs;                     // the child is killed after this
        std::int64_t maxOutputBytes;       // more output than this ends the child
        std::int64_t extraAddressSpace;    // beyond the parent's address space at the fork
    };
    enum class Outcome { Finished, Failed, Crashed, TimedOut, TooMuchOutput, NotStarted };

    // work runs in the child, writes its result to the file descriptor it is
    // given and returns whether it succeeded. Finished means it returned true
    // and its output was collected whole.
    static Outcome Run(const std::function<bool(int fd)> &work, const Limits &limits, QByteArray &output);

    // Writes all of data to fd; false when the reader went away.
    static bool WriteAll(int fd, const void *data, std::size_t size);
};
