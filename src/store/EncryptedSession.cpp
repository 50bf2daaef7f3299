#include "store/EncryptedSession.h"

#include "store/BestEffort.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"

namespace orvane {

void EndEncryptedSession(const StoreContext& context, const std::string& pet, int status) {
    PackPet(context, pet, status, false);

    const PetLayout layout(context.names);
    const BestEffort step(context.dir);
    step.deleteFile(layout.inPlaceName(PetPiece::PetFile));
    step.deleteFile(layout.inPlaceName(PetPiece::PetBackup));
    step.deleteFile(layout.ownName(pet, PetPiece::PetBackup));
    RemoveFolder(context.dir, layout.inPlaceName(PetPiece::ReceiveFolder));
    RemoveFolder(context.dir, layout.inPlaceName(PetPiece::SendFolder));
    // A shared item in place belongs to every sharing pet and stays.
    const bool sharesBook = (status & PetStatusFlags::ShareFriendsBook) != 0;
    step.deleteFile(sharesBook ? layout.ownName(pet, PetPiece::FriendsBook)
                               : layout.inPlaceName(PetPiece::FriendsBook));
    const bool sharesTreasures = (status & PetStatusFlags::ShareTreasures) != 0;
    RemoveFolder(context.dir, sharesTreasures ? layout.ownName(pet, PetPiece::Treasures)
                                              : layout.inPlaceName(PetPiece::Treasures));
}

}  // namespace orvane
