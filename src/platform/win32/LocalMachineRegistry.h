#pragma once

#include <optional>
#include <string>

namespace orvane::win32 {

// A value under HKEY_LOCAL_MACHINE read as text (whatever its type), from
// the 32-bit registry view first and then from the 64-bit one; nullopt when
// neither has it.
std::optional<std::string> readLocalMachineText(const std::string& key, const std::string& value);

}  // namespace orvane::win32
