#include "store/DiscardPet.h"

#include "store/PetFiles.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/SettingsNotWritten.h"
#include "store/SettleSession.h"
#include "store/UnlockPet.h"
#include "store/UsablePetNames.h"

namespace orvane {

bool DiscardPet(const StoreContext& context, Prompts& prompts, int number, const std::string& pet,
                int storedStatus) {
    if (refuseUnusablePet(prompts, context.registry, number, pet)) return false;
    const MessageAnswer answer = prompts.showMessage(pet + std::string(petmessage::DiscardQuestion),
                                                     std::string(petmessage::WarningTitle),
                                                     MessageIcon::Warning, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return false;
    // The pet's own unfinished session ends with it; another pet's is
    // finished first, as it may need that pet's password.
    const std::string keep = context.registry.session().plain == pet ? pet : std::string();
    if (!SettleSession(context, askPasswordOf(context, prompts), keep)) return false;

    const bool encrypted = (storedStatus & PetStatusFlags::Encrypted) != 0;
    if (encrypted && context.dir.exists(PetLayout::containerName(pet)) && !UnlockPet(context, prompts, pet, false)) {
        return false;
    }
    // Out of the registry first, in one rewrite with what is left to delete:
    // a pet is either registered whole or gone, and a cut-off deletion is
    // finished later. An encrypted pet has no plain pieces unless a session
    // left some.
    SessionRecord session = context.registry.session();
    session.discard = pet;
    session.discardInPlace = isPetInPlace(context, number, pet);
    if (session.plain == pet) session.plain.clear();
    if (session.packed == pet) session.packed.clear();
    if (!context.registry.remove(number, session)) throw SettingsNotWritten();
    SettleSession(context, askPasswordOf(context, prompts));
    return true;
}

}  // namespace orvane
