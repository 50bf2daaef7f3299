#include "Wait.h"

#include <thread>

namespace orvane::e2e {

bool waitUntil(const std::function<bool()>& condition, milliseconds limit, milliseconds step) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(step);
    }
    return true;
}

}  // namespace orvane::e2e
