#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The status of a file or folder named by its full path.
namespace orvane::win32 {

bool isFolder(const std::string& fullPath);

// The size of a file; nullopt when it is missing, a folder or unreadable.
std::optional<std::uint64_t> fileSize(const std::string& fullPath);

}  // namespace orvane::win32
