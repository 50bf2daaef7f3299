#include "store/ChangePet.h"

#include "store/PackPet.h"
#include "store/PetFiles.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/PetNames.h"
#include "store/SettingsNotWritten.h"
#include "store/SwapIn.h"
#include "store/UnlockPet.h"
#include "store/SettleSession.h"
#include "store/UsablePetNames.h"
#include "store/VerifyContainer.h"
#include "text/FileNameCase.h"

namespace orvane {

std::optional<ChangedPet> ChangePet(const StoreContext& context, Prompts& prompts, const PetChange& change) {
    if (refuseUnusablePet(prompts, context.registry, change.number, change.oldName)) return std::nullopt;
    auto newName = ValidatePetName(prompts, change.newName,
                                   {NameUse::Change, change.listedNames, change.oldName});
    if (!newName) return std::nullopt;
    const std::string& oldName = change.oldName;
    PetRegistry& registry = context.registry;
    if (registry.session().plain == oldName) {
        petmessage::showError(prompts, petmessage::quoted(oldName) + std::string(petmessage::UnfinishedSession));
        return std::nullopt;
    }
    if (!SettleSession(context, askPasswordOf(context, prompts))) return std::nullopt;
    // A new spelling of the same name is the same file on Windows.
    const bool renamed = !text::sameFileName(oldName, *newName);
    if (renamed) requireFreePetNames(context.dir, context.names, *newName);

    const int status = statusOf(change.options);
    const bool encrypt = change.options.encrypted;
    const bool wasEncrypted = context.dir.exists(PetLayout::containerName(oldName));
    std::optional<std::string> password;
    if (wasEncrypted) {
        password = UnlockPet(context, prompts, oldName, false);
        if (!password) return std::nullopt;
    } else if (encrypt) {
        password = prompts.askPassword();
        if (!password) return std::nullopt;
    }
    const StoreContext withPassword{context.dir, context.names, registry, password.value_or(std::string())};
    if (wasEncrypted) fillFromContainer(withPassword, oldName);

    // The registry, the renames still to do and what must be packed go to
    // the file together: a crash from here on is finished at the next start.
    SessionRecord session = registry.session();
    session.unpacking.clear();
    if (session.pet == oldName) session.pet = *newName;
    session.plain = encrypt ? *newName : std::string();
    session.moves = planPetRename(context.dir, context.names, oldName, *newName);
    // Its plain pieces are all there: the old container goes once a new
    // one, if any, is packed and read back.
    if (wasEncrypted && (renamed || !encrypt)) session.drop = oldName;
    if (!registry.update(change.number, *newName, status, session)) throw SettingsNotWritten();
    const PasswordFor sessionPassword = [&](const std::string&) { return password; };

    if (encrypt) {
        FinishSwapIn(context);
        const int packStatus = statusOfPieces(context, change.number, *newName, status);
        const PackedFiles packed = isPetInPlace(context, change.number, *newName)
                                       ? PackPet(withPassword, *newName, packStatus, true, status)
                                       : PackStoredPet(withPassword, *newName, packStatus);
        VerifyContainer(withPassword, *newName, packed);
        session = registry.session();
        session.packed = *newName;
        RecordSession(registry, session);
    }
    SettleSession(withPassword, sessionPassword);
    return ChangedPet{std::move(*newName), status};
}

}  // namespace orvane
