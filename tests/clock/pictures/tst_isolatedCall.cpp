// SPDX-License-Identifier: GPL-3.0-or-later
// Work run in a child process: what comes back, and what a crash, a hang,
// a flood of output or a runaway allocation in the child leave behind.
#include "pictures/IsolatedCall.h"

#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <new>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(IsolatedCall::Outcome)

namespace {

using Work = std::function<bool(int)>;

const IsolatedCall::Limits Limits{3000, 64 * 1024, 256LL * 1024 * 1024};

bool writeText(int fd) { return IsolatedCall::WriteAll(fd, "picture", 7); }

bool allocateGigabytes(int fd)
{
    std::vector<char> huge(std::size_t(4) << 30, 'x'); // beyond the child's address space
    return IsolatedCall::WriteAll(fd, huge.data(), 1);
}

bool flood(int fd)
{
    const std::vector<char> block(1 << 20, 'x');
    return IsolatedCall::WriteAll(fd, block.data(), block.size());
}

} // namespace

class tst_isolatedCall : public QObject
{
    Q_OBJECT
private slots:
    void outcomes_data();
    void outcomes();
    void parentGoesOnAfterwards();
    void programs_data();
    void programs();
};

void tst_isolatedCall::outcomes_data()
{
    QTest::addColumn<Work>("work");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<IsolatedCall::Outcome>("expected");
    QTest::addColumn<QByteArray>("output");
    using O = IsolatedCall::Outcome;
    QTest::newRow("writes and succeeds") << Work(writeText) << 3000 << O::Finished << QByteArray("picture");
    QTest::newRow("writes, then fails") << Work([](int fd) { return !writeText(fd); }) << 3000 << O::Failed << QByteArray();
    QTest::newRow("crashes") << Work([](int) -> bool { std::raise(SIGSEGV); return true; }) << 3000 << O::Crashed
                             << QByteArray();
    QTest::newRow("aborts") << Work([](int) -> bool { std::abort(); }) << 3000 << O::Crashed << QByteArray();
    QTest::newRow("hangs") << Work([](int) -> bool { for (;;) pause(); }) << 200 << O::TimedOut << QByteArray();
    QTest::newRow("floods its output") << Work(flood) << 3000 << O::TooMuchOutput << QByteArray();
#if defined(__SANITIZE_ADDRESS__)
    const O outOfMemory = O::Crashed; // AddressSanitizer ends a process whose allocation fails
#else
    const O outOfMemory = O::Failed;  // the allocation throws, and the work fails
#endif
    QTest::newRow("allocates gigabytes") << Work(allocateGigabytes) << 3000 << outOfMemory << QByteArray();
    QTest::newRow("throws") << Work([](int) -> bool { throw std::bad_alloc(); }) << 3000 << O::Failed << QByteArray();
}

void tst_isolatedCall::outcomes()
{
    QFETCH(Work, work);
    QFETCH(int, timeoutMs);
    QFETCH(IsolatedCall::Outcome, expected);
    QFETCH(QByteArray, output);
    IsolatedCall::Limits limits = Limits;
    limits.timeoutMs = timeoutMs;
    QByteArray got("left over");
    QCOMPARE(IsolatedCall::Run(work, limits, got), expected);
    QCOMPARE(got, output);
}

void tst_isolatedCall::parentGoesOnAfterwards()
{
    QByteArray got;
    IsolatedCall::Limits tight = Limits;
    tight.extraAddressSpace = 32LL * 1024 * 1024;
    IsolatedCall::Run([](int) -> bool { std::abort(); }, tight, got);
    std::vector<char> fine(std::size_t(128) << 20, 'x'); // the child's cap was its own
    QCOMPARE(fine.back(), 'x');
    QCOMPARE(IsolatedCall::Run(writeText, tight, got), IsolatedCall::Outcome::Finished);
    // No child is left behind.
    QCOMPARE(waitpid(-1, nullptr, WNOHANG), -1);
}

// A program started afresh: its input, its output and how it ended.
void tst_isolatedCall::programs_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<IsolatedCall::Outcome>("expected");
    QTest::addColumn<QByteArray>("output");
    using O = IsolatedCall::Outcome;
    const QString shell = QStringLiteral("/bin/sh");
    QTest::newRow("reads its input, errors unseen") << shell << "echo noise >&2; cat" << 3000 << O::Finished
                                                   << QByteArray("picture");
    QTest::newRow("fails") << shell << "cat; exit 3" << 3000 << O::Failed << QByteArray();
    QTest::newRow("crashes") << shell << "kill -SEGV $$" << 3000 << O::Crashed << QByteArray();
    QTest::newRow("hangs") << shell << "exec sleep 30" << 200 << O::TimedOut << QByteArray();
    QTest::newRow("floods its output") << shell << "exec yes" << 3000 << O::TooMuchOutput << QByteArray();
    QTest::newRow("missing") << "/nonexistent/vantix-helper" << "" << 3000 << O::NotStarted << QByteArray();
}

void tst_isolatedCall::programs()
{
    QFETCH(QString, program);
    QFETCH(QString, script);
    QFETCH(int, timeoutMs);
    QFETCH(IsolatedCall::Outcome, expected);
    QFETCH(QByteArray, output);
    QByteArray got("left over");
    QCOMPARE(IsolatedCall::RunProgram(program, {QStringLiteral("-c"), script}, "picture", timeoutMs, 64 * 1024, got),
             expected);
    QCOMPARE(got, output);
    QCOMPARE(waitpid(-1, nullptr, WNOHANG), -1); // reaped, whatever the outcome
}

QTEST_MAIN(tst_isolatedCall)
#include "tst_isolatedCall.moc"
