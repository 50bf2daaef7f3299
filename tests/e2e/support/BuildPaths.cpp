#include "BuildPaths.h"

#include <algorithm>

#include "platform/win32/WideString.h"

namespace orvane::e2e {

std::wstring windowsPathOf(const std::string& buildPath) {
    std::wstring path = win32::toWide(buildPath).value_or(L"");
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (!path.empty() && path.front() == L'\\') path.insert(0, L"Z:");
    return path;
}

}  // namespace orvane::e2e
