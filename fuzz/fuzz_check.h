#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of a fuzz target: a violation prints where and aborts, which the fuzzer (and the
// corpus replay under CTest) reports as a finding.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
