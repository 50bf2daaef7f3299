#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Prompts.h"
#include "store/PetOptions.h"
#include "store/StoreContext.h"

namespace orvane {

// What the settings dialog's Apply hands over for its selected pet.
struct PetChange {
    int number = 0;
    std::string oldName;   // the list's text
    std::string newName;   // as typed
    PetOptions options;    // as shown
    std::vector<std::string> listedNames;  // every entry of the dialog's list
};

struct ChangedPet {
    std::string name;  // trimmed
    int status = 0;
};

// Gives the pet its new name and options, on disk and in the registry. An
// encrypted pet is unpacked with its password first; a pet encrypted
// afterwards is packed into its new container and its plain pieces are
// deleted only then. nullopt when the name is refused, the pet's own name
// cannot be used (refuseUnusablePet), the password dialog is cancelled or
// the password is wrong: nothing is written then.
// FileError when a container cannot be read, written or deleted, and
// SettingsNotWritten when the registry cannot be written: the steps done
// before stay, and no piece that the new container does not hold has been
// deleted.
std::optional<ChangedPet> ChangePet(const StoreContext& context, Prompts& prompts, const PetChange& change);

}  // namespace orvane
