#include "store/UnlockPet.h"

#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/UnpackPet.h"

namespace orvane {

std::optional<std::string> UnlockPet(const StoreContext& context, Prompts& prompts, const std::string& pet,
                                     bool extract) {
    auto password = prompts.askPassword();
    if (!password) return std::nullopt;
    const StoreContext withPassword{context.dir, context.names, context.registry, *password};
    if (UnpackPet(withPassword, pet, extract) == UnpackResult::WrongPassword) {
        petmessage::showError(prompts, petmessage::WrongPassword);
        return std::nullopt;
    }
    return password;
}

PasswordFor askPasswordOf(const StoreContext& context, Prompts& prompts) {
    return [&context, &prompts](const std::string& pet) -> std::optional<std::string> {
        prompts.showMessage(petmessage::quoted(pet) + std::string(petmessage::PasswordToPack),
                            std::string(petmessage::InformationTitle), MessageIcon::Information);
        if (!context.dir.exists(PetLayout::containerName(pet))) return prompts.askPassword();
        return UnlockPet(context, prompts, pet, false);
    };
}

}  // namespace orvane
