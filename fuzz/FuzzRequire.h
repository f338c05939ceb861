// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run at a property that does not hold, naming it and where it was
// checked, so a finding tells which property broke and not only that one did.
#define REQUIRE(condition)                                                                          \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)
