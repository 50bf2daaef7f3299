#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 <-> UTF-16 for the Win32 calls. Invalid input is refused, not patched.
namespace orvane::text {

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);
std::optional<std::string> utf16ToUtf8(std::u16string_view utf16);

}  // namespace orvane::text
