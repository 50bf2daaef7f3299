#pragma once

#include <string>

#include "app/HostNames.h"
#include "app/PetRegistry.h"
#include "platform/InstallDir.h"

namespace orvane {

// What the pet-storage operations work on, handed in by the application:
// nothing here is read from a global.
struct StoreContext {
    InstallDir& dir;
    const FolderNameTable& names;
    PetRegistry& registry;
    // The application's current password, UTF-8. Every container operation
    // derives its key from the value it holds at the moment of the call.
    const std::string& password;
};

}  // namespace orvane
