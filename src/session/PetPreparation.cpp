#include "session/PetPreparation.h"

#include "store/ContainerErrors.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/SwapIn.h"
#include "store/UnlockPet.h"

namespace orvane {

std::optional<int> preparePetForLaunch(const StoreContext& context, Prompts& prompts, int number,
                                       const std::string& pet) {
    if (context.dir.exists(PetLayout::containerName(pet))) {
        try {
            if (!UnlockPet(context, prompts, pet, true)) return std::nullopt;
        } catch (const DamagedContainer&) {
            petmessage::showError(prompts, DamagedContainerMessage);
            return std::nullopt;
        }
    } else if ((context.registry.status(number) & PetStatusFlags::Encrypted) && context.password.empty()) {
        // Packed with no password at the end of the session, the pet could
        // never be opened again: the password dialog takes no empty one.
        if (!prompts.askPassword()) return std::nullopt;
    }
    return SwapIn(context, number, pet);
}

}  // namespace orvane
