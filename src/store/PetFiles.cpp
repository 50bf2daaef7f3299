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

int statusOfPieces(const StoreContext& context, int number, const std::string& pet, int status) {
    const SessionRecord session = context.registry.session();
    if (!isPetInPlace(context, number, pet) || session.pet != pet) return status;
    return session.status.value_or(status);
}

std::vector<PlannedMove> planPetRename(InstallDir& dir, const FolderNameTable& names, const std::string& oldName,
                                       const std::string& newName) {
    std::vector<PlannedMove> moves;
    if (oldName == newName) return moves;
    const PetLayout layout(names);
    for (const PetPiece piece : {PetPiece::PetFile, PetPiece::PetBackup, PetPiece::ReceiveFolder,
                                 PetPiece::SendFolder, PetPiece::Treasures, PetPiece::FriendsBook}) {
        const std::string from = layout.ownName(oldName, piece);
        if (dir.exists(from)) moves.push_back({from, layout.ownName(newName, piece)});
    }
    return moves;
}

void requireFreePetNames(InstallDir& dir, const FolderNameTable& names, const std::string& pet) {
    const PetLayout layout(names);
    std::vector<std::string> taken;
    for (const PetPiece piece : AllPetPieces) taken.push_back(layout.ownName(pet, piece));
    taken.push_back(PetLayout::containerName(pet));
    for (const std::string& name : taken) {
        if (dir.exists(name)) throw FileError(name, "同じ名前のファイルがすでにあります。");
    }
}

namespace {

// The pet's plain pieces: single files and folders whose files go with them.
struct PetPieceNames {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

PetPieceNames pieceNamesOf(const StoreContext& context, const std::string& pet, bool inPlace) {
    const PetLayout layout(context.names);
    PetPieceNames names;
    names.files = {layout.ownName(pet, PetPiece::PetFile), layout.ownName(pet, PetPiece::PetBackup),
                   layout.ownName(pet, PetPiece::FriendsBook)};
    names.folders = {layout.ownName(pet, PetPiece::ReceiveFolder), layout.ownName(pet, PetPiece::SendFolder),
                     layout.ownName(pet, PetPiece::Treasures)};
    if (!inPlace) return names;
    names.files.push_back(layout.inPlaceName(PetPiece::PetFile));
    names.files.push_back(layout.inPlaceName(PetPiece::PetBackup));
    // An item in place is the pet's own only while its shared copy lies
    // outside; a shared item in place belongs to every sharing pet.
    const SessionRecord session = context.registry.session();
    // The flags at its swap-in; -1 when no record tells.
    const int swappedWith = session.pet == pet ? session.status.value_or(-1) : -1;
    const auto ownItem = [&](PetPiece piece, int flag) {
        return context.dir.exists(PetLayout::sharedItemName(layout.inPlaceName(piece))) ||
               (swappedWith >= 0 && (swappedWith & flag) == 0);
    };
    if (ownItem(PetPiece::FriendsBook, PetStatusFlags::ShareFriendsBook)) {
        names.files.push_back(layout.inPlaceName(PetPiece::FriendsBook));
    }
    if (ownItem(PetPiece::Treasures, PetStatusFlags::ShareTreasures)) {
        names.folders.push_back(layout.inPlaceName(PetPiece::Treasures));
    }
    if (ownItem(PetPiece::ReceiveFolder, PetStatusFlags::ShareLogs)) {
        names.folders.push_back(layout.inPlaceName(PetPiece::ReceiveFolder));
        names.folders.push_back(layout.inPlaceName(PetPiece::SendFolder));
    }
    return names;
}

}  // namespace

void DeletePetFiles(const StoreContext& context, const std::string& pet, bool inPlace) {
    InstallDir& dir = context.dir;
    const PetPieceNames names = pieceNamesOf(context, pet, inPlace);
    const BestEffort step(dir);
    for (const std::string& file : names.files) step.deleteFile(file);
    for (const std::string& folder : names.folders) RemoveFolder(dir, folder);
    // What could not go stays the pet's, and is tried again: left behind, it
    // would be taken for nobody's, and a pet in place may even be shared.
    const auto refuse = [](const std::string& name) { throw FileError(name, "ファイルを削除できません。"); };
    for (const std::string& file : names.files) {
        if (dir.exists(file)) refuse(file);
    }
    for (const std::string& folder : names.folders) {
        for (const DirEntry& entry : dir.list(folder + "\\*.*")) {
            if (!entry.isFolder) refuse(folder + "\\" + entry.name);
        }
    }
}

void DeleteContainer(InstallDir& dir, const std::string& pet) {
    const std::string container = PetLayout::containerName(pet);
    if (!dir.deleteFile(container)) throw FileError(container, "ファイルを削除できません。");
}

}  // namespace orvane
