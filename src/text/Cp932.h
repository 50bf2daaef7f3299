#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversion between the program's UTF-8 and the Japanese code page cp932,
// in which the settings file, container names and passwords are stored.
// Natively it uses iconv, on Windows the system's code page 932; both give
// the same bytes. Nothing is ever substituted: text that has no exact form
// on the other side is refused.
namespace orvane::text {

// nullopt when the input is not valid UTF-8 or a character has no cp932 form.
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// nullopt when the input is not valid cp932.
std::optional<std::string> cp932ToUtf8(std::string_view cp932);

// Bytes the text takes in cp932; nullopt when it cannot be represented.
std::optional<std::size_t> cp932Length(std::string_view utf8);

// True when every byte sequence is a cp932 character: single bytes 00-7F and
// A1-DF, lead bytes 81-9F and E0-FC followed by a trail byte 40-7E or 80-FC.
bool isValidCp932(std::string_view bytes);

// True for well-formed UTF-8 without surrogates or overlong forms.
bool isValidUtf8(std::string_view bytes);

}  // namespace orvane::text
