#pragma once

#include <string>

#include "store/StoreContext.h"

namespace orvane {

// After the host has ended with an encrypted pet in place: packs the pieces
// in place into pet + ".apd", then deletes them (shared items in place
// stay). When packing fails, its FileError leaves everything on disk.
void EndEncryptedSession(const StoreContext& context, const std::string& pet, int status);

}  // namespace orvane
