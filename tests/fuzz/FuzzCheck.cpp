#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace orvane::fuzz {

void require(bool condition, const char* broken) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", broken);
    std::abort();
}

}  // namespace orvane::fuzz
