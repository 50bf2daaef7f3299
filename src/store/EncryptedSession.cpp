#include "store/EncryptedSession.h"

#include "store/BestEffort.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"
#include "store/VerifyContainer.h"

namespace orvane {

void ClearEncryptedSession(const StoreContext& context, const std::string& pet, int status) {
    DeleteHeldPieces(context, pet, status, true);
    const PetLayout layout(context.names);
    const BestEffort step(context.dir);
    step.deleteFile(layout.ownName(pet, PetPiece::PetBackup));
    // A shared item in place belongs to every sharing pet and stays; the
    // pet's own copy of it is not kept while it shares.
    if (status & PetStatusFlags::ShareFriendsBook) step.deleteFile(layout.ownName(pet, PetPiece::FriendsBook));
    if (status & PetStatusFlags::ShareTreasures) RemoveFolder(context.dir, layout.ownName(pet, PetPiece::Treasures));
}

void EndEncryptedSession(const StoreContext& context, const std::string& pet, int status) {
    VerifyContainer(context, pet, PackPet(context, pet, status, false, status));
    ClearEncryptedSession(context, pet, status);
}

}  // namespace orvane
