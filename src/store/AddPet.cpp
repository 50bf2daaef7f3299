#include "store/AddPet.h"

#include "store/PetMessages.h"
#include "store/PetNames.h"
#include "store/SettingsNotWritten.h"

namespace orvane {

// The append counts a missing "entry" as 1, so pet 0 stays registered
// beside the new one.
std::vector<std::string> registeredNames(const PetRegistry& registry) {
    std::vector<std::string> names = registry.names();
    if (names.empty()) names.push_back(registry.name(0));
    return names;
}

std::optional<AddedPet> AddPet(PetRegistry& registry, Prompts& prompts, const std::string& name,
                               const PetOptions& options) {
    const std::vector<std::string> registered = registeredNames(registry);
    if (registered.size() >= PetRegistry::MaxPets) {
        petmessage::showError(prompts, petmessage::TooManyPets);
        return std::nullopt;
    }
    auto trimmed = ValidatePetName(prompts, name, {NameUse::Add, registered, {}});
    if (!trimmed) return std::nullopt;
    if (options.encrypted && !prompts.askPassword()) return std::nullopt;
    const int status = statusOf(options);
    const int number = registry.append(*trimmed, status);
    if (number < 0) throw SettingsNotWritten();
    return AddedPet{number, std::move(*trimmed), status};
}

}  // namespace orvane
