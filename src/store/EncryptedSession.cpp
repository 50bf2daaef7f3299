#include "store/EncryptedSession.h"

#include "store/BestEffort.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"
#include "store/VerifyContainer.h"

namespace orvane {

void EndEncryptedSession(const StoreContext& context, const std::string& pet, int status) {
    const PackedFiles packed = PackPet(context, pet, status, false);
    VerifyContainer(context, pet, packed);

    // Only what the container was seen to hold goes; a folder that keeps
    // anything else keeps it.
    const PetLayout layout(context.names);
    const BestEffort step(context.dir);
    for (const PackedFile& file : packed) step.deleteFile(file.source);
    step.removeFolder(layout.inPlaceName(PetPiece::ReceiveFolder));
    step.removeFolder(layout.inPlaceName(PetPiece::SendFolder));
    if (!(status & PetStatusFlags::ShareTreasures)) step.removeFolder(layout.inPlaceName(PetPiece::Treasures));
    step.deleteFile(layout.ownName(pet, PetPiece::PetBackup));
    // A shared item in place belongs to every sharing pet and stays; the
    // pet's own copy of it is not kept while it shares.
    if (status & PetStatusFlags::ShareFriendsBook) step.deleteFile(layout.ownName(pet, PetPiece::FriendsBook));
    if (status & PetStatusFlags::ShareTreasures) RemoveFolder(context.dir, layout.ownName(pet, PetPiece::Treasures));
}

}  // namespace orvane
