#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/HostNames.h"

namespace orvane {

// The six pieces of a pet, in the order a container stores them.
enum class PetPiece { PetFile, PetBackup, ReceiveFolder, SendFolder, FriendsBook, Treasures };

inline constexpr std::array<PetPiece, 6> AllPetPieces = {
    PetPiece::PetFile,    PetPiece::PetBackup,   PetPiece::ReceiveFolder,
    PetPiece::SendFolder, PetPiece::FriendsBook, PetPiece::Treasures,
};

bool isFolderPiece(PetPiece piece);

// Whether a pet with these PetStatusFlags shares the piece with the others;
// the pet file and its backup are never shared.
bool sharesPiece(PetPiece piece, int status);

// The names a pet's pieces carry in the installation directory: the host's
// names while the pet is in place, the pet's own names while it is stored
// plain (which are also the names a container stores), the "共有_" names of
// shared items that are not in place, and the container.
class PetLayout {
public:
    explicit PetLayout(const FolderNameTable& names) : names_(names) {}

    // The host's name: settings name + ".ppc", "おともだち帳", the
    // receive folder and so on. For the four items this is the item name.
    std::string inPlaceName(PetPiece piece) const;
    // pet + ".ppc", pet + ".bak", or pet + "_" + item name.
    std::string ownName(std::string_view pet, PetPiece piece) const;

    static std::string privateItemName(std::string_view pet, std::string_view item);
    static std::string sharedItemName(std::string_view item);
    static std::string containerName(std::string_view pet);

private:
    const FolderNameTable& names_;
};

}  // namespace orvane
