#include "session/PetPreparation.h"

#include "store/ContainerErrors.h"
#include "store/PetLayout.h"
#include "store/SwapIn.h"
#include "store/UnpackPet.h"

namespace orvane {

std::optional<int> preparePetForLaunch(const StoreContext& context, Prompts& prompts, int number,
                                       const std::string& pet) {
    if (context.dir.exists(PetLayout::containerName(pet))) {
        if (!prompts.askPassword()) return std::nullopt;
        try {
            if (UnpackPet(context, pet, true) == UnpackResult::WrongPassword) {
                prompts.showMessage(WrongPasswordMessage, ErrorTitle, MessageIcon::Error);
                return std::nullopt;
            }
        } catch (const DamagedContainer&) {
            prompts.showMessage(DamagedContainerMessage, ErrorTitle, MessageIcon::Error);
            return std::nullopt;
        }
    }
    return SwapIn(context, number, pet);
}

}  // namespace orvane
