#pragma once

#include <string>

namespace orvane::win32 {

// The full path of the running program's executable, UTF-8.
std::string programPath();

}  // namespace orvane::win32
