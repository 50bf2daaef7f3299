#pragma once

#include <windows.h>

// The popup menus a process shows, as a user sees them on the screen.
namespace orvane::e2e {

inline constexpr wchar_t kMenuClass[] = L"#32768";

// The process's visible popup menu; null when none came.
HWND waitForPopupMenu(DWORD processId);
// The process's visible popup menu at this moment; null when there is none.
HWND shownPopupMenu(DWORD processId);
// Esc, as a user closes a menu without choosing.
void dismissPopupMenu(HWND menu);

}  // namespace orvane::e2e
