// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <ctime>

// Every benchmark prints its results as figure lines, which bench/run-all.sh
// gathers into one table:  FIGURE <tab> name <tab> value <tab> unit <tab> target
inline void printFigure(const char *name, double value, const char *unit, const char *target)
{
    std::printf("FIGURE\t%s\t%.3f\t%s\t%s\n", name, value, unit, target);
    std::fflush(stdout);
}

// The processor time the calling thread has used, in milliseconds. On a busy
// machine a thread may wait for a core between two moments; the time it
// worked in between is what a handler of the program costs.
inline double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}
