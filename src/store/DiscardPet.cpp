#include "store/DiscardPet.h"

#include "store/PetFiles.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/SettingsNotWritten.h"
#include "store/UnlockPet.h"

namespace orvane {

bool DiscardPet(const StoreContext& context, Prompts& prompts, int number, const std::string& pet,
                int storedStatus) {
    const MessageAnswer answer = prompts.showMessage(pet + std::string(petmessage::DiscardQuestion),
                                                     std::string(petmessage::WarningTitle),
                                                     MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return false;

    const bool encrypted = (storedStatus & PetStatusFlags::Encrypted) != 0;
    if (encrypted && context.dir.exists(PetLayout::containerName(pet))) {
        if (!UnlockPet(context, prompts, pet, false)) return false;
        DeleteContainer(context.dir, pet);
    } else {
        DeletePetFiles(context, number, pet);
    }
    if (!context.registry.remove(number)) throw SettingsNotWritten();
    return true;
}

}  // namespace orvane
