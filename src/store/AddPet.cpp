#include "store/AddPet.h"

#include <algorithm>

#include "store/PetNames.h"
#include "store/SettingsNotWritten.h"

namespace orvane {

// The append counts a missing "entry" as 1, so pet 0 stays registered
// beside the new one.
std::vector<std::string> registeredNames(const PetRegistry& registry) {
    std::vector<std::string> names;
    const int count = std::max(registry.count(), 1);
    for (int i = 0; i < count; ++i) names.push_back(registry.name(i));
    return names;
}

std::optional<AddedPet> AddPet(PetRegistry& registry, Prompts& prompts, const std::string& name,
                               const PetOptions& options) {
    auto trimmed = ValidatePetName(prompts, name, {NameUse::Add, registeredNames(registry), {}});
    if (!trimmed) return std::nullopt;
    if (options.encrypted && !prompts.askPassword()) return std::nullopt;
    const int status = statusOf(options);
    const int number = registry.append(*trimmed, status);
    if (number < 0) throw SettingsNotWritten();
    return AddedPet{number, std::move(*trimmed), status};
}

}  // namespace orvane
