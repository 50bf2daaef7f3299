#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/Utf16.h"

// UTF-8 inside, UTF-16 at the Win32 call (wchar_t is 16 bits on Windows).
namespace orvane::win32 {

inline std::optional<std::wstring> toWide(std::string_view utf8) {
    const auto utf16 = text::utf8ToUtf16(utf8);
    if (!utf16) return std::nullopt;
    return std::wstring(utf16->begin(), utf16->end());
}

inline std::optional<std::string> fromWide(std::wstring_view wide) {
    return text::utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace orvane::win32
