// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <functional>

// Runs a piece of work in a child process of its own and collects what it
// writes. A crash, a hang or a runaway allocation in the work ends only the
// child: the program gets a failed outcome and goes on. Run forks a copy of
// the program, which suits only work that needs no lock another thread may
// hold; the metafile decoder, a large third-party library run over arbitrary
// files, runs as a helper program of its own through RunProgram.
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

    // Runs one of the program's own helper executables as a new process
    // (never a copy of this one, whose other threads may hold locks), with
    // input as its standard input, and collects its standard output. Its
    // errors go nowhere. The helper caps its own address space with
    // LimitThisProcess; the time-out and the output bound are kept here.
    static Outcome RunProgram(const QString &program, const QStringList &arguments, const QByteArray &input,
                              int timeoutMs, std::int64_t maxOutputBytes, QByteArray &output);

    // In a helper, before it reads anything: no core file, and an address
    // space capped at what the process holds now plus extraAddressSpace.
    static void LimitThisProcess(std::int64_t extraAddressSpace);

    // Writes all of data to fd; false when the reader went away.
    static bool WriteAll(int fd, const void *data, std::size_t size);
};
