#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/win32/WideString.h"

// Conversions for text the program itself made or read from its own
// controls: a failure is a fault, reported as an exception.
namespace orvane::win32 {

inline std::wstring wideText(std::string_view utf8) {
    auto wide = toWide(utf8);
    if (!wide) throw std::invalid_argument("text is not valid UTF-8");
    return std::move(*wide);
}

inline std::string utf8Text(std::wstring_view wide) {
    auto utf8 = fromWide(wide);
    if (!utf8) throw std::invalid_argument("text is not valid UTF-16");
    return std::move(*utf8);
}

}  // namespace orvane::win32
