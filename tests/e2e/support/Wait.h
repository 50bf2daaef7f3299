#pragma once

#include <chrono>
#include <functional>

namespace orvane::e2e {

using std::chrono::milliseconds;

// Long enough for a first Wine start on a slow machine; a test that waits
// this long has failed anyway.
inline constexpr milliseconds kWindowWait{30000};
inline constexpr milliseconds kProcessEndWait{30000};

// Polls until the condition holds or the limit has passed; the result is
// the condition's last value.
bool waitUntil(const std::function<bool()>& condition, milliseconds limit = kWindowWait,
               milliseconds step = milliseconds{50});

}  // namespace orvane::e2e
