#include "platform/win32/KeyboardWin32.h"

#include <windows.h>

#include <iterator>

namespace orvane::win32 {

namespace {

INPUT key(WORD virtualKey, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = 0;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void Win32Keyboard::typeControlM() {
    constexpr WORD m = 'M';
    INPUT keys[] = {key(VK_CONTROL, false), key(m, false), key(m, true), key(VK_CONTROL, true)};
    ::SendInput(static_cast<UINT>(std::size(keys)), keys, sizeof(INPUT));
}

}  // namespace orvane::win32
