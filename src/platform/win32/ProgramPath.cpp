#include "platform/win32/ProgramPath.h"

#include <windows.h>

#include <stdexcept>

#include "platform/win32/CheckedWide.h"
#include "platform/win32/WinErrorText.h"

namespace orvane::win32 {

std::string programPath() {
    // The path may be longer than MAX_PATH; grow until it fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) throw std::runtime_error("GetModuleFileNameW: " + winErrorText(::GetLastError()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return utf8Text(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace orvane::win32
