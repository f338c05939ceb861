#pragma once

#include <cstdio>

// Every benchmark prints its results as figure lines, which bench/run-all.sh
// gathers into one table:  FIGURE <tab> name <tab> value <tab> unit <tab> target
inline void printFigure(const char *name, double value, const char *unit, const char *target)
{
    std::printf("FIGURE\t%s\t%.3f\t%s\t%s\n", name, value, unit, target);
    std::fflush(stdout);
}
