#include "store/PetLayout.h"

#include "app/PetRegistry.h"

namespace orvane {

bool sharesPiece(PetPiece piece, int status) {
    switch (piece) {
    case PetPiece::FriendsBook: return (status & PetStatusFlags::ShareFriendsBook) != 0;
    case PetPiece::Treasures: return (status & PetStatusFlags::ShareTreasures) != 0;
    case PetPiece::ReceiveFolder:
    case PetPiece::SendFolder: return (status & PetStatusFlags::ShareLogs) != 0;
    case PetPiece::PetFile:
    case PetPiece::PetBackup: break;
    }
    return false;
}

namespace {
std::string concat(std::string_view a, std::string_view b) {
    std::string joined(a);
    joined += b;
    return joined;
}
}  // namespace

bool isFolderPiece(PetPiece piece) {
    return piece == PetPiece::ReceiveFolder || piece == PetPiece::SendFolder ||
           piece == PetPiece::Treasures;
}

std::string PetLayout::inPlaceName(PetPiece piece) const {
    switch (piece) {
    case PetPiece::PetFile: return concat(names_.settingsName, host::PetFileExtension);
    case PetPiece::PetBackup: return concat(names_.settingsName, host::PetBackupExtension);
    case PetPiece::ReceiveFolder: return names_.receiveFolder;
    case PetPiece::SendFolder: return names_.sendFolder;
    case PetPiece::FriendsBook: return std::string(host::FriendsBook);
    case PetPiece::Treasures: return names_.treasuresFolder;
    }
    return {};
}

std::string PetLayout::ownName(std::string_view pet, PetPiece piece) const {
    switch (piece) {
    case PetPiece::PetFile: return concat(pet, host::PetFileExtension);
    case PetPiece::PetBackup: return concat(pet, host::PetBackupExtension);
    default: return privateItemName(pet, inPlaceName(piece));
    }
}

std::string PetLayout::privateItemName(std::string_view pet, std::string_view item) {
    return concat(concat(pet, "_"), item);
}

std::string PetLayout::sharedItemName(std::string_view item) {
    return concat(host::SharedPrefix, item);
}

std::string PetLayout::containerName(std::string_view pet) {
    return concat(pet, host::ContainerExtension);
}

}  // namespace orvane
