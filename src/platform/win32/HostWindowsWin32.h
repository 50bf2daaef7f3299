#pragma once

#include <windows.h>

#include <optional>

#include "platform/HostWindows.h"

namespace orvane::win32 {

inline HWND toHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }

// How long a call into a host window waits for the host's answer. The host
// answers in far less; one that does not is hung or stuck, and this
// program goes on without the answer rather than hang with it.
inline constexpr UINT HostAnswerLimitMs = 500;

// Sends the message to a window of the host and waits at most the limit
// for its answer, not at all once the system takes the host for hung.
// nullopt when no answer came.
std::optional<LRESULT> sendToHost(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Enables or disables a window of the host. That waits for the host's own
// thread, so only a host that has just answered is asked.
void enableHostWindow(HWND window, bool enabled);

// The host's windows through the Win32 window functions.
class Win32HostWindows : public HostWindows {
public:
    WindowId findTopLevel(std::string_view className) override;
    std::optional<std::size_t> titleLength(WindowId window) override;
    bool bringToForeground(WindowId window) override;
    WindowId firstChild(WindowId window) override;
    WindowId nextSibling(WindowId window) override;
    std::string text(WindowId window) override;
};

}  // namespace orvane::win32
