#include "session/TrayIcon.h"

#include <cwchar>
#include <iterator>

namespace orvane {

TrayIcon::TrayIcon(HWND owner, HICON icon) {
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = CallbackMessage;
    data_.hIcon = icon;
    std::wcsncpy(data_.szTip, L"オルヴェイン", std::size(data_.szTip) - 1);
}

TrayIcon::~TrayIcon() {
    remove();
}

void TrayIcon::add() {
    // Kept wanted even when there is no taskbar yet: restore() adds it then.
    wanted_ = true;
    ::Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::remove() {
    if (wanted_) ::Shell_NotifyIconW(NIM_DELETE, &data_);
    wanted_ = false;
}

void TrayIcon::restore() {
    if (wanted_) ::Shell_NotifyIconW(NIM_ADD, &data_);
}

}  // namespace orvane
