#include <algorithm>
#include <stdexcept>

#include "Driver.h"

namespace orvane::e2e {

namespace {

// Read without a message to the window, so that a busy program cannot
// stall the search.
std::wstring classOrCaption(HWND window, bool caption) {
    wchar_t text[512];
    const int length = caption ? GetWindowTextW(window, text, 512) : GetClassNameW(window, text, 512);
    return std::wstring(text, static_cast<std::size_t>(std::max(length, 0)));
}

struct Search {
    DWORD processId;
    const std::wstring& className;
    const std::wstring& caption;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search.processId == 0 || owner == search.processId) && IsWindowVisible(window) &&
        (search.className.empty() || classOrCaption(window, false) == search.className) &&
        (search.caption.empty() || classOrCaption(window, true) == search.caption)) {
        search.found.push_back(window);
    }
    return TRUE;
}

bool isListBox(HWND box) { return lstrcmpiW(classOrCaption(box, false).c_str(), L"ListBox") == 0; }

}  // namespace

std::vector<HWND> findWindows(DWORD processId, const std::wstring& className, const std::wstring& caption) {
    Search search{processId, className, caption, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(DWORD processId, const std::wstring& className, const std::wstring& caption) {
    std::vector<HWND> found;
    waitUntil([&] { return !(found = findWindows(processId, className, caption)).empty(); });
    return found.empty() ? nullptr : found.front();
}

bool waitForNoWindow(DWORD processId, const std::wstring& className, const std::wstring& caption) {
    return waitUntil([&] { return findWindows(processId, className, caption).empty(); });
}

bool isSeen(HWND window) {
    RECT rect{};
    return IsWindowVisible(window) && GetWindowRect(window, &rect) && rect.right > rect.left && rect.bottom > rect.top;
}

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kWait.count(), &result)) {
        throw std::runtime_error("a window did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

// A negative length or count is an error: what was asked for went meanwhile.
std::wstring textOf(HWND window) {
    std::wstring text(std::max<LRESULT>(0, send(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(std::max<LRESULT>(0, send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void setText(HWND control, const std::wstring& text) {
    send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button || !waitUntil([&] { return IsWindowEnabled(button) != FALSE; }) ||
        !PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        throw std::runtime_error("the dialog has no enabled button " + std::to_string(id));
    }
}

bool pressToClose(HWND dialog, int id) {
    press(dialog, id);
    return waitUntil([&] { return !IsWindow(dialog); });
}

std::vector<std::wstring> itemsOf(HWND box) {
    const bool list = isListBox(box);
    std::vector<std::wstring> items(std::max<LRESULT>(0, send(box, list ? LB_GETCOUNT : CB_GETCOUNT)));
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].resize(std::max<LRESULT>(0, send(box, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i)) + 1);
        const LPARAM text = reinterpret_cast<LPARAM>(items[i].data());
        items[i].resize(std::max<LRESULT>(0, send(box, list ? LB_GETTEXT : CB_GETLBTEXT, i, text)));
    }
    return items;
}

// The selection message alone tells the dialog nothing.
void choose(HWND box, int index) {
    static_assert(LBN_SELCHANGE == CBN_SELCHANGE);
    send(box, isListBox(box) ? LB_SETCURSEL : CB_SETCURSEL, index);
    send(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

std::wstring staticTexts(HWND window) {
    std::wstring texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = lstrcmpiW(classOrCaption(child, false).c_str(), L"Static") == 0 ? textOf(child) : L"";
        if (!text.empty()) texts += (texts.empty() ? L"" : L"\n") + text;
    }
    return texts;
}

}  // namespace orvane::e2e
