#include "session/PetPreparation.h"

#include "store/ContainerErrors.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/SwapIn.h"
#include "store/UnlockPet.h"
#include "store/UsablePetNames.h"

namespace orvane {

namespace {

// The password of the encrypted pet, and its pieces under its own names.
std::optional<std::string> unlock(const StoreContext& context, Prompts& prompts, const std::string& pet,
                                  bool inPlace) {
    const auto password = UnlockPet(context, prompts, pet, false);
    if (!password || inPlace) return password;
    fillFromContainer(StoreContext{context.dir, context.names, context.registry, *password}, pet);
    return password;
}

}  // namespace

std::optional<PreparedPet> preparePetForLaunch(const StoreContext& context, Prompts& prompts, int number,
                                               const std::string& pet, const PasswordFor& passwordFor,
                                               const std::optional<std::string>& givenPassword) {
    if (refuseUnusablePet(prompts, context.registry, number, pet, PetInPlace::Checked)) return std::nullopt;
    if (!SettleSession(context, passwordFor, pet)) return std::nullopt;

    const bool hasContainer = context.dir.exists(PetLayout::containerName(pet));
    // Left plain by a session that could not be packed, or in place from
    // before the session record existed: newer than the container.
    const PetLayout layout(context.names);
    const bool plainInPlace = context.registry.session().plain == pet ||
                              (hasContainer && context.registry.petInPlace() == number &&
                               context.dir.exists(layout.inPlaceName(PetPiece::PetFile)));
    const bool encrypted = hasContainer || plainInPlace ||
                           (context.registry.status(number) & PetStatusFlags::Encrypted) != 0;
    PreparedPet prepared;
    if (hasContainer) {
        try {
            prepared.password = unlock(context, prompts, pet, plainInPlace);
        } catch (const DamagedContainer&) {
            petmessage::showError(prompts, DamagedContainerMessage);
            return std::nullopt;
        }
    } else if (encrypted) {
        prepared.password = givenPassword ? givenPassword : prompts.askPassword();
    }
    if (encrypted && !prepared.password) return std::nullopt;

    SessionRecord session;
    session.open = true;
    if (encrypted) session.plain = pet;
    try {
        prepared.status = SwapIn(context, number, pet, session);
    } catch (const FileError&) {
        if (encrypted) {
            // The launch has failed and is reported; the pet must not stay
            // plain meanwhile. Whatever cannot be packed now stays in the
            // session record and is finished at the next start.
            try {
                SettleSession(context, [&](const std::string&) { return prepared.password; });
            } catch (const FileError&) {
            }
        }
        throw;
    }
    return prepared;
}

}  // namespace orvane
