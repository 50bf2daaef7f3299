#pragma once

#include <string>

#include "store/StoreContext.h"

namespace orvane {

// After the host has ended with an encrypted pet in place: packs the pieces
// in place into pet + ".apd", reads the container back, then deletes the
// files it holds (shared items in place stay). When packing or the reading
// fails, its FileError leaves every plain piece on disk.
void EndEncryptedSession(const StoreContext& context, const std::string& pet, int status);

// Its second half, after the container is complete and read back; it may
// run as often as needed: it deletes what the container holds and the
// copies the pet does not keep.
void ClearEncryptedSession(const StoreContext& context, const std::string& pet, int status);

}  // namespace orvane
