#pragma once

#include <optional>
#include <string>

#include "app/HostNames.h"
#include "app/PetRegistry.h"
#include "platform/InstallDir.h"
#include "platform/Prompts.h"
#include "session/BackupFolders.h"
#include "store/AddPet.h"

namespace orvane {

struct RestoreRequest {
    std::string folder;   // the backup folder
    BackupPet pet;        // as that backup registers it
    std::string newName;  // as the user typed it
};

// Brings a pet back from a backup as a new pet, registered last with the
// options the backup has for it. The pet's own pieces are copied from the
// backup under the new pet's own names, from the host's names for the pet
// that was in place then; shared items are not restored. A pet the backup
// holds as a container is encrypted: its password is asked and the
// container is written anew under the new name, never in plain form.
//
// Nothing that exists is overwritten: every name the new pet would own is
// checked before the first write, and one that exists is named. When a
// step fails, everything written is removed again; the registry is
// written last, in one rewrite. The user is told the outcome. nullopt when
// the new name is refused, a name is taken, the password is cancelled or
// wrong, or a step failed.
std::optional<AddedPet> RestorePet(InstallDir& dir, const FolderNameTable& names, PetRegistry& registry,
                                   Prompts& prompts, const RestoreRequest& request);

}  // namespace orvane
