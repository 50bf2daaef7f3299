#pragma once

#include <string>

#include "app/HostNames.h"
#include "platform/InstallDir.h"
#include "store/UnpackPet.h"

namespace orvane {

// Writes the container of pet `from`, found at `source` (it may lie in a
// folder, a backup's), anew as to + ".apd" with every stored name changed
// from from's own to to's own, and the same password. A wrong password
// writes nothing. The whole container is read and every new name made
// before anything is written: DamagedContainer when a stored name is not
// one of from's own, UnstorableName when a new one cannot be stored. The
// new container is written whole or not at all; it replaces a container
// of that name, so the caller makes sure there is none.
UnpackResult CopyPetContainer(InstallDir& dir, const FolderNameTable& names, const std::string& password,
                              const std::string& source, const std::string& from, const std::string& to);

}  // namespace orvane
