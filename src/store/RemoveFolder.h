#pragma once

#include <string>

#include "platform/InstallDir.h"

namespace orvane {

// Deletes a folder of the installation directory with the files directly in
// it. Subfolders are not entered; a folder that still holds one stays. Every
// failure is passed over.
void RemoveFolder(InstallDir& dir, const std::string& folder);

}  // namespace orvane
