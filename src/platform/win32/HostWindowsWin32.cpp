#include "platform/win32/HostWindowsWin32.h"

#include <algorithm>

#include "platform/win32/CheckedWide.h"

namespace orvane::win32 {

WindowId Win32HostWindows::findTopLevel(std::string_view className) {
    return reinterpret_cast<WindowId>(::FindWindowW(wideText(className).c_str(), nullptr));
}

std::size_t Win32HostWindows::titleLength(WindowId window) {
    // 0 for a handle that names no window any more.
    const int length = ::GetWindowTextLengthW(toHwnd(window));
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

bool Win32HostWindows::bringToForeground(WindowId window) {
    return ::SetForegroundWindow(toHwnd(window)) != FALSE;
}

WindowId Win32HostWindows::firstChild(WindowId window) {
    return reinterpret_cast<WindowId>(::GetWindow(toHwnd(window), GW_CHILD));
}

WindowId Win32HostWindows::nextSibling(WindowId window) {
    return reinterpret_cast<WindowId>(::GetWindow(toHwnd(window), GW_HWNDNEXT));
}

std::string Win32HostWindows::text(WindowId window) {
    // Asked of the host's own thread, with a limit: a hung host must not
    // hang this program too.
    constexpr UINT limitMs = 1000;
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(toHwnd(window), WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, limitMs, &length) ||
        length == 0) {
        return {};
    }
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(toHwnd(window), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                               SMTO_ABORTIFHUNG, limitMs, &copied)) {
        return {};
    }
    buffer.resize(std::min<std::size_t>(copied, length));
    return fromWide(buffer).value_or(std::string());
}

}  // namespace orvane::win32
