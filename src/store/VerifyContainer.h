#pragma once

#include <string>

#include "store/PackPet.h"
#include "store/StoreContext.h"

namespace orvane {

// Reads pet + ".apd" back before any plain piece is deleted: its check block
// for the context's password, and every record's name, length and data
// against the file it was packed from, in the order they were packed.
// FileError naming the first file the container does not hold intact.
void VerifyContainer(const StoreContext& context, const std::string& pet, const PackedFiles& packed);

}  // namespace orvane
