#pragma once

#include <windows.h>

#include "platform/HostWindows.h"

namespace orvane::win32 {

inline HWND toHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }

// The host's windows through the Win32 window functions.
class Win32HostWindows : public HostWindows {
public:
    WindowId findTopLevel(std::string_view className) override;
    std::size_t titleLength(WindowId window) override;
    bool bringToForeground(WindowId window) override;
    WindowId firstChild(WindowId window) override;
    WindowId nextSibling(WindowId window) override;
    std::string text(WindowId window) override;
};

}  // namespace orvane::win32
