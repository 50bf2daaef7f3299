#pragma once

#include <string>
#include <vector>

#include "app/SessionRecord.h"

#include "store/StoreContext.h"

namespace orvane {

// Whether pet `number` named `pet` is the one whose pieces carry the
// host's names: it has no pet file of its own and "NowPet" names it. A pet
// without a pet file that is not named there has nothing in place; the
// host's names then belong to another pet.
bool isPetInPlace(const StoreContext& context, int number, const std::string& pet);

// The flags that say which of the pet's items are its own: for the pet in
// place its flags at its swap-in, since its options may have changed since
// while its items stayed where that swap-in put them; otherwise `status`.
int statusOfPieces(const StoreContext& context, int number, const std::string& pet, int status);

// The renames that give the stored pieces of oldName newName's names: the
// pet file, its backup, the receive, send and treasures folders and the
// friends book, in that order, for the pieces that exist. Pieces in place
// carry the host's names and are not touched.
std::vector<PlannedMove> planPetRename(InstallDir& dir, const FolderNameTable& names, const std::string& oldName,
                                       const std::string& newName);

// FileError naming the first of pet's own names (its pieces and its
// container) that is taken: a pet about to get that name would otherwise
// end up mixed with what lies there.
void requireFreePetNames(InstallDir& dir, const FolderNameTable& names, const std::string& pet);

// Deletes the plain pieces of the pet. For the pet in
// place this includes its pieces under the host's names, though never a
// shared item in place: an item in place is the pet's own when a shared
// copy lies outside, or when the pet did not share it at its swap-in.
// inPlace: whether isPetInPlace held for it before it was unregistered.
// Every deletion is tried; then FileError names the first file of the pet
// that is still there.
void DeletePetFiles(const StoreContext& context, const std::string& pet, bool inPlace);

// Deletes pet + ".apd". Unlike the plain pieces its failure matters: a
// container left behind would be unpacked over the pet at its next launch,
// or would hold a discarded pet's data where no pet names it. FileError
// when it cannot be deleted.
void DeleteContainer(InstallDir& dir, const std::string& pet);

}  // namespace orvane
