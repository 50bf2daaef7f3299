#pragma once

#include <optional>
#include <string>
#include <string_view>

// The platform's own converters behind Cp932.h. Input is already checked to
// be well-formed; they report failure when the platform finds no mapping.
namespace orvane::text::platform {

std::optional<std::string> encodeCp932(std::string_view validUtf8);
std::optional<std::string> decodeCp932(std::string_view validCp932);

}  // namespace orvane::text::platform
