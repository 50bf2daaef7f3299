#pragma once

#include <string>

#include "store/ContainerWriter.h"
#include "store/StoreContext.h"

namespace orvane {

// Writes pet + ".apd" anew from the pet's pieces, each stored under the
// pet's own name: the pet file, its backup, the receive and send folders,
// the friends book unless shared (flag 1) and the treasures unless shared
// (flag 2). With preferPetNames each piece is read from its own name when
// that exists (the two mail folders together, by the receive folder), else
// from the host's name; without it, from the host's names. Deletes and
// changes no source. Throws FileError (UnstorableName for a name the
// container cannot hold) and then leaves the old container as it was.
void PackPet(const StoreContext& context, const std::string& pet, int status, bool preferPetNames);

// PackPet for a pet that is not in place: every piece from its own name.
// The host's names hold another pet's pieces then, which must not end up
// in this pet's container.
void PackStoredPet(const StoreContext& context, const std::string& pet, int status);

// One file as one record. A source that does not exist, or is a folder,
// adds nothing; a file that exists but cannot be opened throws FileError,
// since its pet's plain pieces are deleted after packing.
void AppendFileRecord(ContainerWriter& out, InstallDir& dir, const std::string& source,
                      const std::string& storedName);

// Every file directly in the folder, stored as storedPrefix + "\" + its
// name. Subfolders are not entered.
void AppendFolderRecords(ContainerWriter& out, InstallDir& dir, const std::string& folder,
                         const std::string& storedPrefix);

}  // namespace orvane
