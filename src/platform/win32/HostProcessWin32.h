#pragma once

#include <memory>
#include <string>

#include "platform/HostProcess.h"
#include "platform/HostWindows.h"

namespace orvane::win32 {

// Starts the host executable of the installation directory with that
// directory as its current directory, its file name alone as the command
// line and a normal window. nullptr when the process cannot be created.
std::unique_ptr<HostProcess> startHostProcess(const std::string& installDir, const std::string& executable);

// The process that owns the window, for a host a previous run of this
// program started; nullptr when it cannot be opened.
std::unique_ptr<HostProcess> hostProcessOfWindow(WindowId window);

}  // namespace orvane::win32
