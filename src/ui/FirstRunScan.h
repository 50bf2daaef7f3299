#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/InstallDir.h"

// What the first-run setup finds without asking the user: the host's
// installation directory from its uninstall entry, and the pets already
// lying in that directory.
namespace orvane {

// The directory named in an "UninstallString" value: the text from 15
// characters after the marker "IsUn0411.exe" (one more past a double quote),
// cut at its last backslash. Empty when the marker or a backslash is missing.
std::string installDirFromUninstallString(std::string_view value);

// The pets of an installation: the titles of the "*.ppc" files (the host's
// own pet as "default", its old copies left out) and then of the "*.apd"
// containers, in listing order. A name found both ways is listed twice.
std::vector<std::string> scanExistingPets(InstallDir& dir);

}  // namespace orvane
