#include "store/ChangePet.h"

#include "store/PackPet.h"
#include "store/PetFiles.h"
#include "store/PetLayout.h"
#include "store/PetNames.h"
#include "store/SettingsNotWritten.h"
#include "store/UnlockPet.h"
#include "text/FileNameCase.h"

namespace orvane {

std::optional<ChangedPet> ChangePet(const StoreContext& context, Prompts& prompts, const PetChange& change) {
    auto newName = ValidatePetName(prompts, change.newName,
                                   {NameUse::Change, change.listedNames, change.oldName});
    if (!newName) return std::nullopt;
    const int status = statusOf(change.options);
    const bool encrypt = change.options.encrypted;

    const bool wasEncrypted = context.dir.exists(PetLayout::containerName(change.oldName));
    std::optional<std::string> password;
    if (wasEncrypted) {
        password = UnlockPet(context, prompts, change.oldName, true);
        if (!password) return std::nullopt;
        if (!encrypt) DeleteContainer(context.dir, change.oldName);
    } else if (encrypt) {
        password = prompts.askPassword();
        if (!password) return std::nullopt;
    }

    if (!context.registry.update(change.number, *newName, status)) throw SettingsNotWritten();
    RenamePetFiles(context.dir, context.names, change.oldName, *newName);

    if (encrypt) {
        const StoreContext withPassword{context.dir, context.names, context.registry, *password};
        if (isPetInPlace(context, change.number, *newName)) {
            PackPet(withPassword, *newName, status, true);
        } else {
            PackStoredPet(withPassword, *newName, status);
        }
        // A new spelling of the same name is the same file on Windows: the
        // container just written.
        if (wasEncrypted && !text::sameFileName(change.oldName, *newName)) {
            DeleteContainer(context.dir, change.oldName);
        }
        DeletePetFiles(context, change.number, *newName);
    }
    return ChangedPet{std::move(*newName), status};
}

}  // namespace orvane
