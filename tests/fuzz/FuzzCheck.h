#pragma once

#include <cstdio>
#include <cstdlib>

// What a fuzz target found wrong: printed, then the run ends as a crash, so
// that libFuzzer keeps the input.
namespace orvane::fuzz {

inline void require(bool condition, const char* broken) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", broken);
    std::abort();
}

}  // namespace orvane::fuzz
