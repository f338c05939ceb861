// SPDX-License-Identifier: GPL-3.0-or-later
#include "IsolatedCall.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::size_t ReadChunk = 256 * 1024;

std::int64_t currentAddressSpace()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const qint64 pages = statm.readLine().split(' ').value(0).toLongLong();
    return pages * sysconf(_SC_PAGESIZE);
}

// The address space the process holds now plus extra; 0, no cap, without extra.
std::int64_t addressLimitFrom(std::int64_t extra)
{
    return extra > 0 ? currentAddressSpace() + extra : 0;
}

// A crash leaves nothing on disk, and a runaway allocation fails here.
void applyLimits(std::int64_t addressLimit)
{
    const rlimit noCoreFile{0, 0};
    setrlimit(RLIMIT_CORE, &noCoreFile);
    if (addressLimit > 0) {
        const rlimit limit{rlim_t(addressLimit), rlim_t(addressLimit)};
        setrlimit(RLIMIT_AS, &limit);
    }
}

// In the child: nothing it prints reaches the program's output, a crash
// writes no core file, and its address space is capped so a runaway
// allocation fails there.
[[noreturn]] void runChild(const std::function<bool(int)> &work, int fd, std::int64_t addressLimit)
{
    // A crash here is the child's alone: none of the parent's crash handlers runs for it.
    for (int fatal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS})
        std::signal(fatal, SIG_DFL);
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) {
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
    }
    applyLimits(addressLimit);
    bool ok = false;
    try {
        ok = work(fd);
    } catch (...) {
        ok = false;
    }
    // _exit: the parent's exit handlers and buffers are not the child's to run.
    _exit(ok ? 0 : 1);
}

IsolatedCall::Outcome outcomeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == 0 ? IsolatedCall::Outcome::Finished : IsolatedCall::Outcome::Failed;
    return IsolatedCall::Outcome::Crashed;
}

// Ends the child, whatever it is doing, and reaps it.
void endChild(pid_t child)
{
    kill(child, SIGKILL);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Reads until the child closes its end, the deadline passes or the output
// grows too large. Returns Finished when the pipe reached its end.
IsolatedCall::Outcome collect(int fd, const QDeadlineTimer &deadline, std::int64_t maxBytes, QByteArray &output)
{
    QByteArray chunk(ReadChunk, Qt::Uninitialized);
    for (;;) {
        pollfd watch{fd, POLLIN, 0};
        const int ready = poll(&watch, 1, int(qMax<qint64>(0, deadline.remainingTime())));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return IsolatedCall::Outcome::TimedOut;
        const ssize_t got = read(fd, chunk.data(), ReadChunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return IsolatedCall::Outcome::Finished;
        if (output.size() + got > maxBytes)
            return IsolatedCall::Outcome::TooMuchOutput;
        output.append(chunk.constData(), got);
    }
}

// Waits for a child that has closed its output to exit, within the deadline.
IsolatedCall::Outcome reap(pid_t child, const QDeadlineTimer &deadline)
{
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            return outcomeOf(status);
        if (done < 0 && errno != EINTR)
            return IsolatedCall::Outcome::Crashed;
        if (deadline.hasExpired()) {
            endChild(child);
            return IsolatedCall::Outcome::TimedOut;
        }
        usleep(1000);
    }
}

// Collects a started child's output and reaps it, within the deadline.
IsolatedCall::Outcome finish(pid_t child, int fd, const QDeadlineTimer &deadline, std::int64_t maxBytes,
                             QByteArray &output)
{
    IsolatedCall::Outcome outcome = collect(fd, deadline, maxBytes, output);
    close(fd);
    if (outcome == IsolatedCall::Outcome::Finished)
        outcome = reap(child, deadline);
    else
        endChild(child);
    if (outcome != IsolatedCall::Outcome::Finished)
        output.clear();
    return outcome;
}

// The input as a file in memory, read from its start: the helper reads it at
// its own pace and nothing here waits on a full pipe.
int inputFile(const QByteArray &input)
{
    const int fd = memfd_create("vantix-input", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    if (!IsolatedCall::WriteAll(fd, input.constData(), std::size_t(input.size())) || lseek(fd, 0, SEEK_SET) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// posix_spawn starts the program without copying this process, so no lock
// another thread holds can stop the child before it runs the program.
pid_t spawn(const QString &program, const QStringList &arguments, int input, int output)
{
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    pid_t child = -1;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

} // namespace

IsolatedCall::Outcome IsolatedCall::RunProgram(const QString &program, const QStringList &arguments,
                                               const QByteArray &input, int timeoutMs, std::int64_t maxOutputBytes,
                                               QByteArray &output)
{
    output.clear();
    const QDeadlineTimer deadline(timeoutMs);
    const int in = inputFile(input);
    int pipeEnds[2];
    if (in < 0 || pipe2(pipeEnds, O_CLOEXEC) != 0) {
        if (in >= 0)
            close(in);
        return Outcome::NotStarted;
    }
    const pid_t child = spawn(program, arguments, in, pipeEnds[1]);
    close(in);
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return Outcome::NotStarted;
    }
    return finish(child, pipeEnds[0], deadline, maxOutputBytes, output);
}

void IsolatedCall::LimitThisProcess(std::int64_t extraAddressSpace)
{
    applyLimits(addressLimitFrom(extraAddressSpace));
}

IsolatedCall::Outcome IsolatedCall::Run(const std::function<bool(int)> &work, const Limits &limits, QByteArray &output)
{
    output.clear();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return Outcome::NotStarted;
    const std::int64_t addressLimit = addressLimitFrom(limits.extraAddressSpace);
    std::fflush(nullptr); // or the child would inherit, and repeat, unwritten output
    const QDeadlineTimer deadline(limits.timeoutMs);
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return Outcome::NotStarted;
    }
    if (child == 0) {
        close(pipeEnds[0]);
        runChild(work, pipeEnds[1], addressLimit);
    }
    close(pipeEnds[1]);
    return finish(child, pipeEnds[0], deadline, limits.maxOutputBytes, output);
}

bool IsolatedCall::WriteAll(int fd, const void *data, std::size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}
