#pragma once

#include <string>

#include "app/PetRegistry.h"
#include "platform/FileError.h"
#include "platform/Prompts.h"

// The pet operations act on a pet only when its name keeps the name rules
// (isUsablePetName), both as the registry holds it and as the caller's list
// shows it; a swap-in also stores the pieces in place under the name of the
// pet in place. Every refusal comes before anything is written.
namespace orvane {

enum class PetInPlace { Unchecked, Checked };

// True, after the message that names the pet, when pet `number` (listed as
// `listed`), or the pet in place when asked, has a name that cannot be used.
// A "NowPet" outside the list (-1 among others) names no pet in place.
bool refuseUnusablePet(Prompts& prompts, const PetRegistry& registry, int number, const std::string& listed,
                       PetInPlace inPlace = PetInPlace::Unchecked);

// The refusal of a step that has no one to ask: its message goes to the
// user as the error box of the action.
class UnusablePetName : public FileError {
public:
    explicit UnusablePetName(std::string message) : FileError("Orvane.ini", std::move(message)) {}
};

// The same check, the pet in place included; throws UnusablePetName.
void requireUsablePets(const PetRegistry& registry, int number, const std::string& listed);

}  // namespace orvane
