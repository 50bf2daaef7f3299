#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Wait.h"

namespace orvane::e2e {

// What a sought top-level window looks like. Empty fields match anything;
// processId 0 matches every process.
struct WindowQuery {
    DWORD processId = 0;
    std::wstring className;
    std::wstring caption;
    bool visibleOnly = true;
};

// Dialogs and message boxes share this class.
inline constexpr wchar_t kDialogClass[] = L"#32770";

std::vector<HWND> findWindows(const WindowQuery& query);
// The first matching window to appear within the limit; null when none did.
HWND waitForWindow(const WindowQuery& query, milliseconds limit = kWindowWait);
// True when no matching window is left within the limit.
bool waitForNoWindow(const WindowQuery& query, milliseconds limit = kWindowWait);

// Visible and with an area: a window parked at size 0 is not seen.
bool isSeen(HWND window);

}  // namespace orvane::e2e
