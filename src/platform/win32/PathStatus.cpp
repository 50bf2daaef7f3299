#include "platform/win32/PathStatus.h"

#include <windows.h>

#include "platform/win32/WideString.h"

namespace orvane::win32 {

namespace {

std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributes(const std::string& fullPath) {
    const auto wide = toWide(fullPath);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!wide || !::GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return data;
}

}  // namespace

bool isFolder(const std::string& fullPath) {
    const auto data = attributes(fullPath);
    return data && (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::uint64_t> fileSize(const std::string& fullPath) {
    const auto data = attributes(fullPath);
    if (!data || (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
    return (static_cast<std::uint64_t>(data->nFileSizeHigh) << 32) | data->nFileSizeLow;
}

}  // namespace orvane::win32
