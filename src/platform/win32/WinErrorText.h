#pragma once

#include <windows.h>

#include <string>

namespace orvane::win32 {

// The system's message for a Win32 error code, in UTF-8, without the
// trailing line break; "Windows error N" when the system has none.
std::string winErrorText(DWORD code);

}  // namespace orvane::win32
