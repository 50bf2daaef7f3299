#pragma once

#include <cstddef>
#include <string>

#include "app/HostNames.h"
#include "platform/InstallDir.h"

namespace orvane {

// The Kids edition's host needs a treasures folder holding its two plug-in
// files. When none is in place and the standard host's executable is absent,
// makes one with copies from the shared treasures and patches tzl001.pac.
// FileError when the patch cannot open that file.
void SupplyKidsTreasures(InstallDir& dir, const FolderNameTable& names);

// How many leading bytes of tzl001.pac the patch reads and writes back.
inline constexpr std::size_t PlugInPatchSpan = 4144;

// Clears the byte 16 after every "NONE" that starts at 0 to 4139, scanning
// forward so that earlier changes are seen. The size never changes.
void clearNoneMarkers(std::string& head);

// Reads the first bytes of the file, clears its markers and writes them
// back in place, never lengthening it. FileError when it cannot be opened.
void PatchPlugInFile(InstallDir& dir, const std::string& name);

}  // namespace orvane
