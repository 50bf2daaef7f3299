#include "store/SettleSession.h"

#include "store/BestEffort.h"
#include "store/EncryptedSession.h"
#include "store/PackPet.h"
#include "store/PetFiles.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"
#include "store/SwapIn.h"
#include "store/UnpackPet.h"
#include "store/VerifyContainer.h"

namespace orvane {

namespace {

// Unpacking writes only where none of the pet's own pieces lay, so what
// lies there now came from the container, which still holds it.
void deleteUnpackedCopies(const StoreContext& context, const std::string& pet) {
    const PetLayout layout(context.names);
    const BestEffort step(context.dir);
    for (const PetPiece piece : AllPetPieces) {
        const std::string name = layout.ownName(pet, piece);
        if (isFolderPiece(piece)) {
            RemoveFolder(context.dir, name);
        } else {
            step.deleteFile(name);
        }
    }
}

void deleteContainerIfAny(InstallDir& dir, const std::string& pet) {
    if (dir.exists(PetLayout::containerName(pet))) DeleteContainer(dir, pet);
}

std::optional<int> numberOf(const PetRegistry& registry, const std::string& pet) {
    const auto names = registry.names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == pet) return static_cast<int>(i);
    }
    return std::nullopt;
}

// Packs the plain pieces once, then deletes what the container holds; a
// second run after a crash only deletes, since some pieces may be gone.
void packPlainPet(const StoreContext& context, SessionRecord& session, int number) {
    const std::string& pet = session.plain;
    PetRegistry& registry = context.registry;
    const bool inPlace = isPetInPlace(context, number, pet);
    const int status = statusOfPieces(context, number, pet, registry.status(number));
    if (session.packed != pet) {
        if (inPlace) {
            // A host session leaves the pieces under the host's names; a
            // change that was cut off may have unpacked them under the
            // pet's own, which come first then, as in the change.
            VerifyContainer(context, pet, PackPet(context, pet, status, !session.open, registry.status(number)));
        } else {
            // What its container holds and the plain pieces lack comes back first.
            if (context.dir.exists(PetLayout::containerName(pet))) UnpackPet(context, pet, true, true);
            VerifyContainer(context, pet, PackStoredPet(context, pet, status));
        }
        session.packed = pet;
        RecordSession(registry, session);
    }
    DeleteHeldPieces(context, pet, registry.status(number), false);
    if (inPlace) ClearEncryptedSession(context, pet, status);
}

}  // namespace

void fillFromContainer(const StoreContext& context, const std::string& pet) {
    SessionRecord session = context.registry.session();
    if (hasOwnPieces(context, pet)) {
        session.plain = pet;
    } else {
        session.unpacking = pet;
    }
    RecordSession(context.registry, session);
    UnpackPet(context, pet, true, true);
}

bool hasOwnPieces(const StoreContext& context, const std::string& pet) {
    const PetLayout layout(context.names);
    for (const PetPiece piece : AllPetPieces) {
        if (context.dir.exists(layout.ownName(pet, piece))) return true;
    }
    return false;
}

bool SettleSession(const StoreContext& context, const PasswordFor& passwordFor, const std::string& keepPlain) {
    PetRegistry& registry = context.registry;
    SessionRecord session = registry.session();
    if (!session.unpacking.empty()) {
        deleteUnpackedCopies(context, session.unpacking);
        session.unpacking.clear();
        RecordSession(registry, session);
    }
    if (!session.moves.empty()) {
        FinishSwapIn(context);
        session = registry.session();
    }
    if (!session.discard.empty()) {
        DeletePetFiles(context, session.discard, session.discardInPlace);
        deleteContainerIfAny(context.dir, session.discard);
        if (session.pet == session.discard) {
            session.pet.clear();
            session.status.reset();
        }
        session.discard.clear();
        session.discardInPlace = false;
        RecordSession(registry, session);
    }
    if (!session.plain.empty() && session.plain != keepPlain) {
        // A pet that is no longer registered has nobody to pack it for.
        if (const auto number = numberOf(registry, session.plain)) {
            const auto password = passwordFor(session.plain);
            if (!password) return false;
            const StoreContext withPassword{context.dir, context.names, registry, *password};
            packPlainPet(withPassword, session, *number);
        }
        session.plain.clear();
        session.packed.clear();
    }
    // A renamed pet's old container is its only sealed copy until the new
    // one is packed and read back.
    if (!session.drop.empty() && session.plain.empty()) {
        deleteContainerIfAny(context.dir, session.drop);
        session.drop.clear();
    }
    session.open = false;
    RecordSession(registry, session);
    return true;
}

}  // namespace orvane
