#include "PopupMenu.h"

#include "WindowFinder.h"

namespace orvane::e2e {

HWND waitForPopupMenu(DWORD processId) { return waitForWindow({processId, kMenuClass, {}}); }

HWND shownPopupMenu(DWORD processId) {
    const auto menus = findWindows({processId, kMenuClass, {}});
    return menus.empty() ? nullptr : menus.front();
}

// The menu's own loop reads the key from its thread's queue.
void dismissPopupMenu(HWND menu) {
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0);
}

}  // namespace orvane::e2e
