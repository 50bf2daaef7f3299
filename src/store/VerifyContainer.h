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

// The same for a container of any name, such as one in a backup folder,
// and the password it was packed with.
void VerifyContainerAt(InstallDir& dir, const std::string& container, const std::string& password,
                       const PackedFiles& packed);

// Deletes each plain file of the pet that pet + ".apd" holds with the same
// bytes, then its folders that have become empty: under the host's names
// when it is in place, else under its own. status: its flags (at its
// swap-in, when in place). An item it shares in place belongs to every
// sharing pet and stays; its own copy of an item it shares is not kept.
// A file that differs from its record, or that the container lacks, stays.
// Safe to run again after it was cut off. FileError when the container
// does not open with the context's password, or naming what is left.
void DeleteHeldPieces(const StoreContext& context, const std::string& pet, int status, bool inPlace);

}  // namespace orvane
