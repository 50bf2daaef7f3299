#pragma once

#include <cstddef>
#include <string_view>

namespace orvane {

inline constexpr std::size_t MinPasswordBytes = 4;

// Whether the text is long enough to be confirmed: at least 4 cp932 bytes.
bool passwordLongEnough(std::string_view text);

}  // namespace orvane
