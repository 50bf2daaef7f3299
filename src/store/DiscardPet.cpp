#include "store/DiscardPet.h"

#include "store/PetFiles.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/SettingsNotWritten.h"
#include "store/SettleSession.h"
#include "store/UnlockPet.h"

namespace orvane {

bool DiscardPet(const StoreContext& context, Prompts& prompts, int number, const std::string& pet,
                int storedStatus) {
    const MessageAnswer answer = prompts.showMessage(pet + std::string(petmessage::DiscardQuestion),
                                                     std::string(petmessage::WarningTitle),
                                                     MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return false;
    // The pet's own unfinished session ends with it; another pet's is
    // finished first, as it may need that pet's password.
    const std::string keep = context.registry.session().plain == pet ? pet : std::string();
    if (!SettleSession(context, askPasswordOf(context, prompts), keep)) return false;

    const bool encrypted = (storedStatus & PetStatusFlags::Encrypted) != 0;
    const bool hasContainer = encrypted && context.dir.exists(PetLayout::containerName(pet));
    if (hasContainer && !UnlockPet(context, prompts, pet, false)) return false;
    // An encrypted pet has no plain pieces unless a session left some.
    DeletePetFiles(context, number, pet);
    if (hasContainer) DeleteContainer(context.dir, pet);
    if (!context.registry.remove(number)) throw SettingsNotWritten();
    return true;
}

}  // namespace orvane
