#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane::text {

// Code points of well-formed UTF-8; nullopt for malformed input, overlong
// forms, surrogates and values beyond U+10FFFF.
std::optional<std::u32string> utf8ToCodePoints(std::string_view utf8);

void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace orvane::text
