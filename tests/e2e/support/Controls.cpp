#include "Controls.h"

#include <stdexcept>

#include "Wait.h"

namespace orvane::e2e {

namespace {

// A program busy for a while on a slow machine still answers: only a
// window that does not answer within the generous limit fails the test.
LRESULT sendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(kWindowWait.count()),
                             &result)) {
        throw std::runtime_error("a window did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

// The items of a combo or list box through its own length and text messages.
std::vector<std::wstring> itemsOf(HWND box, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::wstring> items;
    const auto count = sendBounded(box, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = sendBounded(box, lengthMessage, static_cast<WPARAM>(i), 0);
        if (length < 0) break;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const auto copied = sendBounded(box, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        items.push_back(text);
    }
    return items;
}

}  // namespace

HWND controlOf(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::wstring textOf(HWND control) {
    const auto length = sendBounded(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = sendBounded(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void setText(HWND control, const std::wstring& text) {
    sendBounded(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {

// The enabled button of the dialog with that id.
HWND enabledButton(HWND dialog, int id) {
    HWND button = controlOf(dialog, id);
    if (!button || !waitUntil([&] { return IsWindowEnabled(button) != FALSE; })) {
        throw std::runtime_error("the dialog has no enabled button " + std::to_string(id));
    }
    return button;
}

void postClicked(HWND dialog, int id, HWND button) {
    if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        throw std::runtime_error("the dialog takes no command " + std::to_string(id));
    }
}

}  // namespace

void press(HWND dialog, int id) { postClicked(dialog, id, enabledButton(dialog, id)); }

void setCheckBox(HWND dialog, int id, bool checked) {
    HWND box = enabledButton(dialog, id);
    sendBounded(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    postClicked(dialog, id, box);
}

std::vector<std::wstring> comboItems(HWND combo) {
    return itemsOf(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int comboSelection(HWND combo) { return static_cast<int>(sendBounded(combo, CB_GETCURSEL, 0, 0)); }

void selectComboItem(HWND combo, int index) { sendBounded(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

std::vector<std::wstring> listItems(HWND list) { return itemsOf(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

void chooseListItem(HWND list, int index) {
    sendBounded(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    sendBounded(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(list));
}

std::wstring staticTexts(HWND window) {
    std::wstring texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32];
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, L"Static") != 0) continue;
        const std::wstring text = textOf(child);
        if (text.empty()) continue;
        if (!texts.empty()) texts += L"\n";
        texts += text;
    }
    return texts;
}

}  // namespace orvane::e2e
