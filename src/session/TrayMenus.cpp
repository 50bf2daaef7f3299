#include "session/TrayMenus.h"

#include "platform/win32/CheckedWide.h"
#include "platform/win32/WinHandle.h"
#include "resource.h"
#include "session/TrayCommands.h"

namespace orvane {

namespace {

// A menu caption shows "&" as the underline of the next letter; a pet's
// name is shown as it is.
std::wstring menuCaption(const std::string& name) {
    std::wstring caption;
    for (wchar_t c : win32::wideText(name)) {
        if (c == L'&') caption += L'&';
        caption += c;
    }
    return caption;
}

// Opens the popup with its top-right corner at the cursor. The window must
// be in front, or the menu would not close when the user clicks elsewhere;
// the message posted afterwards lets the system finish with the menu.
void track(HMENU popup, HWND mainWindow) {
    // Under Wine, the window system's word that the main window lost the
    // focus when the launch hid it reaches the program only when it next
    // waits for input. Taken inside the menu, with the main window in
    // front again, it would close the menu at once. A wait that ends at
    // once lets it through first; elsewhere it changes nothing.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(mainWindow);
    ::TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, mainWindow, nullptr);
    ::PostMessageW(mainWindow, WM_USER, 0, 0);
}

}  // namespace

void showPetMenu(HWND mainWindow, const std::vector<std::string>& pets, int selected) {
    const win32::OwnedMenu menu(::CreatePopupMenu());
    if (!menu) return;
    for (std::size_t i = 0; i < pets.size(); ++i) {
        const int index = static_cast<int>(i);
        const UINT state = index == selected ? MF_CHECKED : MF_UNCHECKED;
        ::AppendMenuW(menu.get(), MF_STRING | state, static_cast<UINT_PTR>(PetMenuFirstId + index),
                      menuCaption(pets[i]).c_str());
    }
    track(menu.get(), mainWindow);
}

void showActionMenu(HWND mainWindow) {
    const win32::OwnedMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_ACTION)));
    if (!menu) return;
    track(::GetSubMenu(menu.get(), 0), mainWindow);
}

}  // namespace orvane
