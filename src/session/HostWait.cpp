#include "session/HostWait.h"

#include "app/HostNames.h"

namespace orvane {

WindowId waitForHostMainWindow(HostWindows& windows, HostProcess& process, HostWindowWait wait) {
    const long long looks = wait.step.count() > 0 ? wait.limit / wait.step : 1;
    for (long long i = 0; i < looks; ++i) {
        if (const WindowId found = windows.findTopLevel(host::MainWindowClass)) return found;
        // Waiting on the process is the pause between looks: it ends early
        // when the host quits without ever showing its window.
        if (process.waitForEnd(wait.step)) return windows.findTopLevel(host::MainWindowClass);
    }
    return windows.findTopLevel(host::MainWindowClass);
}

}  // namespace orvane
