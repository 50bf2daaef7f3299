#include "platform/win32/HostWindowsWin32.h"

#include <algorithm>

#include "platform/win32/CheckedWide.h"

namespace orvane::win32 {

std::optional<LRESULT> sendToHost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, HostAnswerLimitMs, &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

void enableHostWindow(HWND window, bool enabled) {
    if (sendToHost(window, WM_NULL)) ::EnableWindow(window, enabled ? TRUE : FALSE);
}

WindowId Win32HostWindows::findTopLevel(std::string_view className) {
    return reinterpret_cast<WindowId>(::FindWindowW(wideText(className).c_str(), nullptr));
}

std::optional<std::size_t> Win32HostWindows::titleLength(WindowId window) {
    const HWND hwnd = toHwnd(window);
    if (const auto length = sendToHost(hwnd, WM_GETTEXTLENGTH)) {
        return *length > 0 ? static_cast<std::size_t>(*length) : 0;
    }
    // A window that is gone has no title; one that did not answer may
    // answer again.
    if (!::IsWindow(hwnd)) return 0;
    return std::nullopt;
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
    const HWND hwnd = toHwnd(window);
    const auto length = sendToHost(hwnd, WM_GETTEXTLENGTH);
    if (!length || *length <= 0) return {};
    std::wstring buffer(static_cast<std::size_t>(*length) + 1, L'\0');
    const auto copied = sendToHost(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (!copied || *copied < 0) return {};
    buffer.resize(std::min(static_cast<std::size_t>(*copied), static_cast<std::size_t>(*length)));
    return fromWide(buffer).value_or(std::string());
}

}  // namespace orvane::win32
