#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant ends the fuzz run like a crash, with the reason on stderr.
#define QV_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__,            \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
