#include "store/UsablePetNames.h"

#include <optional>

#include "store/PetMessages.h"
#include "store/PetNames.h"

namespace orvane {

namespace {

// The message that refuses the first unusable name; nullopt when all can be used.
std::optional<std::string> refusal(const PetRegistry& registry, int number, const std::string& listed,
                                   PetInPlace inPlace) {
    std::vector<std::string> names = {registry.name(number), listed};
    if (inPlace == PetInPlace::Checked) {
        const int inPlaceNumber = registry.petInPlace();
        if (inPlaceNumber >= 0 && inPlaceNumber < registry.count()) names.push_back(registry.name(inPlaceNumber));
    }
    for (const std::string& name : names) {
        if (!isUsablePetName(name)) return petmessage::unusablePetName(shownPetName(name));
    }
    return std::nullopt;
}

}  // namespace

bool refuseUnusablePet(Prompts& prompts, const PetRegistry& registry, int number, const std::string& listed,
                       PetInPlace inPlace) {
    const auto message = refusal(registry, number, listed, inPlace);
    if (message) petmessage::showError(prompts, *message);
    return message.has_value();
}

void requireUsablePets(const PetRegistry& registry, int number, const std::string& listed) {
    if (auto message = refusal(registry, number, listed, PetInPlace::Checked)) {
        throw UnusablePetName(std::move(*message));
    }
}

}  // namespace orvane
