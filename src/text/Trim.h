#pragma once

#include <string>
#include <string_view>

namespace orvane::text {

// Strips leading and trailing single-byte white space (codes 9 to 13 and 32).
// A full-width space is not white space here.
std::string trimAsciiWhitespace(std::string_view text);

}  // namespace orvane::text
