#pragma once

#include <string>
#include <vector>

#include "store/ContainerWriter.h"
#include "store/StoreContext.h"

namespace orvane {

// A file a pack put into the container: where it was read from and the
// name it is stored under (cp932).
struct PackedFile {
    std::string source;
    std::string storedName;
};
using PackedFiles = std::vector<PackedFile>;

// Writes pet + ".apd" anew from the pet's pieces, each stored under the
// pet's own name: the pet file, its backup, the receive and send folders,
// the friends book and the treasures unless shared (flags 1 and 2) both at
// its swap-in (`status`, which tells whose items lie in place) and now
// (`statusNow`). An item shared then and private now is read from its own
// name only: what lies in place is the shared copy. Otherwise, with
// preferPetNames each piece is read from its own name when that exists (the
// two mail folders together, by the receive folder), else from the host's
// name; without it, from the host's names. Deletes and changes no source.
// Throws FileError (UnstorableName for a name the container cannot hold)
// and then leaves the old container as it was. Returns the files packed,
// in the order of their records.
PackedFiles PackPet(const StoreContext& context, const std::string& pet, int status, bool preferPetNames,
                    int statusNow);

// PackPet for a pet that is not in place: every piece from its own name.
// The host's names hold another pet's pieces then, which must not end up
// in this pet's container.
PackedFiles PackStoredPet(const StoreContext& context, const std::string& pet, int status);

// PackPet from the host's names into a container of any name, such as one
// in a backup folder, with the password given.
PackedFiles PackInPlacePetInto(InstallDir& dir, const FolderNameTable& names, const std::string& password,
                               const std::string& pet, int status, const std::string& container);

// One file as one record. A source that does not exist, or is a folder,
// adds nothing; a file that exists but cannot be opened throws FileError,
// since its pet's plain pieces are deleted after packing.
void AppendFileRecord(ContainerWriter& out, InstallDir& dir, const std::string& source,
                      const std::string& storedName, PackedFiles& packed);

// Every file directly in the folder, stored as storedPrefix + "\" + its
// name. Subfolders are not entered.
void AppendFolderRecords(ContainerWriter& out, InstallDir& dir, const std::string& folder,
                         const std::string& storedPrefix, PackedFiles& packed);

}  // namespace orvane
