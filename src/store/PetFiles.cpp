#include "store/PetFiles.h"

#include "platform/FileError.h"
#include "store/BestEffort.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"

namespace orvane {

bool isPetInPlace(const StoreContext& context, int number, const std::string& pet) {
    const PetLayout layout(context.names);
    return !context.dir.exists(layout.ownName(pet, PetPiece::PetFile)) &&
           context.registry.petInPlace() == number;
}

void RenamePetFiles(InstallDir& dir, const FolderNameTable& names, const std::string& oldName,
                    const std::string& newName) {
    if (oldName == newName) return;
    const PetLayout layout(names);
    const BestEffort step(dir);
    for (const PetPiece piece : {PetPiece::PetFile, PetPiece::PetBackup, PetPiece::ReceiveFolder,
                                 PetPiece::SendFolder, PetPiece::Treasures, PetPiece::FriendsBook}) {
        step.rename(layout.ownName(oldName, piece), layout.ownName(newName, piece));
    }
}

void DeletePetFiles(const StoreContext& context, int number, const std::string& pet) {
    InstallDir& dir = context.dir;
    const PetLayout layout(context.names);
    const BestEffort step(dir);
    const bool inPlace = isPetInPlace(context, number, pet);
    step.deleteFile(layout.ownName(pet, PetPiece::PetFile));
    if (inPlace) {
        step.deleteFile(layout.inPlaceName(PetPiece::PetFile));
        step.deleteFile(layout.inPlaceName(PetPiece::PetBackup));
        // An item in place is the pet's own only while its shared copy lies
        // outside; a shared item in place belongs to every sharing pet.
        const auto sharedCopyOutside = [&](PetPiece piece) {
            return dir.exists(PetLayout::sharedItemName(layout.inPlaceName(piece)));
        };
        if (sharedCopyOutside(PetPiece::FriendsBook)) step.deleteFile(layout.inPlaceName(PetPiece::FriendsBook));
        if (sharedCopyOutside(PetPiece::Treasures)) RemoveFolder(dir, layout.inPlaceName(PetPiece::Treasures));
        if (sharedCopyOutside(PetPiece::ReceiveFolder)) {
            RemoveFolder(dir, layout.inPlaceName(PetPiece::ReceiveFolder));
            RemoveFolder(dir, layout.inPlaceName(PetPiece::SendFolder));
        }
    }
    step.deleteFile(layout.ownName(pet, PetPiece::PetBackup));
    step.deleteFile(layout.ownName(pet, PetPiece::FriendsBook));
    RemoveFolder(dir, layout.ownName(pet, PetPiece::ReceiveFolder));
    RemoveFolder(dir, layout.ownName(pet, PetPiece::SendFolder));
    RemoveFolder(dir, layout.ownName(pet, PetPiece::Treasures));
}

void DeleteContainer(InstallDir& dir, const std::string& pet) {
    const std::string container = PetLayout::containerName(pet);
    if (!dir.deleteFile(container)) throw FileError(container, "ファイルを削除できません。");
}

}  // namespace orvane
