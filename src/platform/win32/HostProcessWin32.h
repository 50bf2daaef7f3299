#pragma once

#include <memory>
#include <string>

#include "platform/HostProcess.h"

namespace orvane::win32 {

// Starts the host executable of the installation directory with that
// directory as its current directory, its file name alone as the command
// line and a normal window. nullptr when the process cannot be created.
std::unique_ptr<HostProcess> startHostProcess(const std::string& installDir, const std::string& executable);

}  // namespace orvane::win32
