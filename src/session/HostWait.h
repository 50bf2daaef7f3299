#pragma once

#include <chrono>

#include "platform/HostProcess.h"
#include "platform/HostWindows.h"

namespace orvane {

// How long a launch waits for the host's main window, and how often it
// looks. A host that shows no window within the limit is taken as not
// started, so the program never hides for ever.
struct HostWindowWait {
    std::chrono::milliseconds limit{30'000};
    std::chrono::milliseconds step{100};
};

// Looks for the host's main window (class "TMainWnd", any title) until it
// shows up, the started process has ended without one, or the limit has
// passed. A window that exists already is found at once, whoever made it.
// Returns 0 when none showed up.
WindowId waitForHostMainWindow(HostWindows& windows, HostProcess& process, HostWindowWait wait = {});

}  // namespace orvane
