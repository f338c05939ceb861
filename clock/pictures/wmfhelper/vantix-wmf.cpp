// SPDX-License-Identifier: GPL-3.0-or-later
// The program's metafile helper: draws one Windows metafile and ends.
// Started afresh for each picture (never forked from the program, whose other
// threads may hold locks at that moment), so ImageMagick runs in a process
// of a single thread that a hostile file can crash, hang or exhaust alone.
//
//   vantix-wmf WIDTH HEIGHT EXTRA_ADDRESS_SPACE < framed.wmf > header+pixels
//
// WIDTH x HEIGHT is the area in device pixels (0 x 0: the picture's own
// size); the process caps its address space at what it holds at start plus
// EXTRA_ADDRESS_SPACE bytes before it reads anything. Exits 0 when the
// picture was written whole.
#include "pictures/IsolatedCall.h"
#include "pictures/PictureLimits.h"
#include "pictures/WmfDrawing.h"

#include <QByteArray>

#include <cerrno>
#include <cstdlib>

#include <unistd.h>

namespace {

// The metafile from standard input; empty when it is larger than any advert.
QByteArray readInput()
{
    QByteArray data;
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        if (got == 0)
            return data;
        if (data.size() + got > PictureLimits::MaxWmfFileBytes)
            return {};
        data.append(chunk, got);
    }
}

bool drawInput(const QSize &fit)
{
    const QByteArray metafile = readInput();
    try {
        return !metafile.isEmpty() && WmfDrawing::Draw(metafile, fit, STDOUT_FILENO);
    } catch (...) {
        return false;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const QSize fit(std::atoi(argv[1]), std::atoi(argv[2]));
    IsolatedCall::LimitThisProcess(std::atoll(argv[3]));
    // The output went straight to the descriptor. _exit: ImageMagick's
    // caches die with the process, and no exit handler (a leak checker's,
    // in a checked build) may turn a drawn picture into a failure.
    _exit(drawInput(fit) ? 0 : 1);
}
