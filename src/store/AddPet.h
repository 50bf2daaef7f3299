#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/PetRegistry.h"
#include "platform/Prompts.h"
#include "store/PetOptions.h"

namespace orvane {

struct AddedPet {
    int number = 0;
    std::string name;  // trimmed
    int status = 0;
};

// The pets a new one must not share a name with.
std::vector<std::string> registeredNames(const PetRegistry& registry);

// Registers a new pet; no file is made. An encrypted pet's password is
// asked here and kept by the prompts as the application's current
// password, for the first packing at the end of the pet's first session.
// nullopt when the name is refused, PetRegistry::MaxPets are registered or
// the password dialog is cancelled: nothing is written then.
// SettingsNotWritten when the registry cannot be written.
std::optional<AddedPet> AddPet(PetRegistry& registry, Prompts& prompts, const std::string& name,
                               const PetOptions& options);

}  // namespace orvane
