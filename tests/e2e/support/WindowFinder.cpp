#include "WindowFinder.h"

namespace orvane::e2e {

bool isSeen(HWND window) {
    RECT rect{};
    return IsWindowVisible(window) && GetWindowRect(window, &rect) && rect.right > rect.left &&
           rect.bottom > rect.top;
}

namespace {

std::wstring classNameOf(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring captionOf(HWND window) {
    // GetWindowTextW reads another process's caption without a message to
    // its thread, so a busy program cannot stall the search. Asking for the
    // length first would send one.
    wchar_t text[512];
    const int length = GetWindowTextW(window, text, 512);
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

bool matches(HWND window, const WindowQuery& query) {
    if (query.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query.processId) return false;
    }
    if (query.visibleOnly && !IsWindowVisible(window)) return false;
    if (!query.className.empty() && classNameOf(window) != query.className) return false;
    return query.caption.empty() || captionOf(window) == query.caption;
}

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (matches(window, *search->query)) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> findWindows(const WindowQuery& query) {
    Search search{&query, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(const WindowQuery& query, milliseconds limit) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            const auto windows = findWindows(query);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        limit);
    return found;
}

bool waitForNoWindow(const WindowQuery& query, milliseconds limit) {
    return waitUntil([&] { return findWindows(query).empty(); }, limit);
}

}  // namespace orvane::e2e
