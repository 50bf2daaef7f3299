#pragma once

#include <string>

namespace orvane::e2e {

// Paths that the build hands in as they are on the build machine. Under
// Wine a Unix path "/a/b" is the Windows path "Z:\a\b".
std::wstring windowsPathOf(const std::string& buildPath);

}  // namespace orvane::e2e
