#pragma once

#include <string>

#include "store/StoreContext.h"

namespace orvane {

// Whether pet `number` named `pet` is the one whose pieces carry the
// host's names: it has no pet file of its own and "NowPet" names it. A pet
// without a pet file that is not named there has nothing in place; the
// host's names then belong to another pet.
bool isPetInPlace(const StoreContext& context, int number, const std::string& pet);

// Gives the stored pieces of oldName newName's names: the pet file, its
// backup, the receive, send and treasures folders and the friends book, in
// that order. A piece that is missing, or whose new name is taken, stays.
// Pieces in place carry the host's names and are not touched.
void RenamePetFiles(InstallDir& dir, const FolderNameTable& names, const std::string& oldName,
                    const std::string& newName);

// Deletes the plain pieces of pet `number` named `pet`. For the pet in
// place this includes its pieces under the host's names, though never a
// shared item in place. Every deletion that fails is passed over.
void DeletePetFiles(const StoreContext& context, int number, const std::string& pet);

// Deletes pet + ".apd". Unlike the plain pieces its failure matters: a
// container left behind would be unpacked over the pet at its next launch,
// or would hold a discarded pet's data where no pet names it. FileError
// when it cannot be deleted.
void DeleteContainer(InstallDir& dir, const std::string& pet);

}  // namespace orvane
