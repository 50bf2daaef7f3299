#pragma once

#include <string>

#include "platform/Prompts.h"
#include "store/StoreContext.h"

namespace orvane {

// Throws pet `number` named `pet` away after the user has said Yes: an
// encrypted pet (by its stored status) only after its password, by deleting
// its container; a plain one by deleting its pieces, those in the host's
// names only when it is the pet in place. Then the registry forgets it.
// False when the pet's name cannot be used (refuseUnusablePet), the user
// says No, cancels or types a wrong password: nothing is changed then. An encrypted pet that has no container yet holds
// nothing to protect and goes as a plain one. FileError when the container
// cannot be read or deleted, SettingsNotWritten when the registry cannot
// be written.
bool DiscardPet(const StoreContext& context, Prompts& prompts, int number, const std::string& pet,
                int storedStatus);

}  // namespace orvane
