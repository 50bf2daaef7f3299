#include "ui/Dialog.h"

#include <exception>
#include <stdexcept>

#include "platform/win32/CheckedWide.h"
#include "ui/MessageBoxes.h"

namespace orvane::ui {

Dialog::~Dialog() {
    // The window of a modeless dialog must not outlive its object.
    if (window_ && !modal_) ::DestroyWindow(window_);
}

INT_PTR Dialog::runModal(HWND owner) {
    modal_ = true;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &Dialog::procedure,
                             reinterpret_cast<LPARAM>(this));
}

bool Dialog::create(HWND owner) {
    modal_ = false;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                                &Dialog::procedure, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK Dialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
    }
    auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    // Messages before WM_INITDIALOG (fonts, sizes) get the default processing.
    if (!dialog) return FALSE;
    // A window being destroyed makes a poor owner for the error box.
    const HWND owner = message == WM_DESTROY || message == WM_NCDESTROY ? nullptr : window;
    try {
        return dialog->dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        showErrorBox(owner, error);
    } catch (...) {
        showErrorBox(owner, std::runtime_error("unknown error"));
    }
    return TRUE;
}

INT_PTR Dialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // Centred rather than at the screen's corner where the template puts
        // it; a dialog that keeps its own position moves itself from here.
        centre();
        return onInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        if (id == IDOK && notification == BN_CLICKED) {
            onOk();
        } else if (id == IDCANCEL && notification == BN_CLICKED) {
            onCancel();
        } else {
            onCommand(id, notification);
        }
        return TRUE;
    }
    case WM_TIMER:
        onTimer(wParam);
        // Timers also get the default processing.
        return FALSE;
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        return FALSE;
    default:
        if (const auto result = onMessage(message, wParam, lParam)) return *result;
        return FALSE;
    }
}

void Dialog::centre() {
    RECT area;
    const HWND owner = ::GetWindow(window_, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own;
    ::GetWindowRect(window_, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::end(INT_PTR result) {
    if (modal_) {
        ::EndDialog(window_, result);
    } else {
        ::DestroyWindow(window_);
    }
}

HWND Dialog::item(int id) const {
    return ::GetDlgItem(window_, id);
}

std::string Dialog::itemText(int id) const {
    const HWND control = item(id);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return win32::utf8Text(text);
}

void Dialog::setItemText(int id, std::string_view text) {
    ::SetDlgItemTextW(window_, id, win32::wideText(text).c_str());
}

bool Dialog::isChecked(int id) const {
    return ::IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

void Dialog::setChecked(int id, bool checked) {
    ::CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Dialog::enableItem(int id, bool enabled) {
    ::EnableWindow(item(id), enabled ? TRUE : FALSE);
}

LRESULT Dialog::sendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageW(window_, id, message, wParam, lParam);
}

bool Dialog::isComboBox(int id) const {
    wchar_t className[16] = {};
    ::GetClassNameW(item(id), className, 16);
    return ::lstrcmpiW(className, L"ComboBox") == 0;
}

void Dialog::clearItems(int id) {
    sendItem(id, isComboBox(id) ? CB_RESETCONTENT : LB_RESETCONTENT);
}

void Dialog::addItem(int id, std::string_view text) {
    const std::wstring wide = win32::wideText(text);
    sendItem(id, isComboBox(id) ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int Dialog::itemCount(int id) const {
    return static_cast<int>(sendItem(id, isComboBox(id) ? CB_GETCOUNT : LB_GETCOUNT));
}

std::string Dialog::itemTextAt(int id, int index) const {
    const bool combo = isComboBox(id);
    const LRESULT length = sendItem(id, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = sendItem(id, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return win32::utf8Text(text);
}

int Dialog::selection(int id) const {
    return static_cast<int>(sendItem(id, isComboBox(id) ? CB_GETCURSEL : LB_GETCURSEL));
}

void Dialog::select(int id, int index) {
    sendItem(id, isComboBox(id) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index));
}

}  // namespace orvane::ui
