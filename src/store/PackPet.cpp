#include "store/PackPet.h"

#include "platform/FileError.h"
#include "store/ContainerErrors.h"
#include "store/PetLayout.h"
#include "store/StoredNames.h"

namespace orvane {

void AppendFileRecord(ContainerWriter& out, InstallDir& dir, const std::string& source,
                      const std::string& storedName, PackedFiles& packed) {
    const auto in = dir.openRead(source);
    if (!in) {
        if (dir.fileSize(source)) throw FileError(source, "ファイルを読めません。");
        return;
    }
    std::string encoded;
    try {
        encoded = encodeStoredName(storedName);
    } catch (const UnstorableName& error) {
        // The user has to find the file: name it as it lies, not as stored.
        throw UnstorableName(source, error.reason());
    }
    out.appendRecord(encoded, *in, source);
    packed.push_back({source, std::move(encoded)});
}

void AppendFolderRecords(ContainerWriter& out, InstallDir& dir, const std::string& folder,
                         const std::string& storedPrefix, PackedFiles& packed) {
    for (const DirEntry& entry : dir.list(folder + "\\*.*")) {
        if (entry.isFolder) continue;
        AppendFileRecord(out, dir, folder + "\\" + entry.name, storedPrefix + "\\" + entry.name, packed);
    }
}

namespace {

enum class Sources { HostNames, OwnNamesFirst, OwnNamesOnly };

PackedFiles pack(const StoreContext& context, const std::string& pet, int status, Sources sources) {
    InstallDir& dir = context.dir;
    const PetLayout layout(context.names);
    const auto ownExists = [&](PetPiece piece) { return dir.exists(layout.ownName(pet, piece)); };
    // The mail folders travel as a pair, decided by the receive folder.
    const bool ownMailFolders = sources == Sources::OwnNamesOnly ||
                                (sources == Sources::OwnNamesFirst && ownExists(PetPiece::ReceiveFolder));
    const auto sourceOf = [&](PetPiece piece) {
        const bool fromOwn = piece == PetPiece::ReceiveFolder || piece == PetPiece::SendFolder
                                 ? ownMailFolders
                                 : sources == Sources::OwnNamesOnly ||
                                       (sources == Sources::OwnNamesFirst && ownExists(piece));
        return fromOwn ? layout.ownName(pet, piece) : layout.inPlaceName(piece);
    };

    ContainerWriter out(dir, PetLayout::containerName(pet), DeriveKey(context.password));
    PackedFiles packed;
    for (const PetPiece piece : AllPetPieces) {
        if (piece == PetPiece::FriendsBook && (status & PetStatusFlags::ShareFriendsBook)) continue;
        if (piece == PetPiece::Treasures && (status & PetStatusFlags::ShareTreasures)) continue;
        if (isFolderPiece(piece)) {
            AppendFolderRecords(out, dir, sourceOf(piece), layout.ownName(pet, piece), packed);
        } else {
            AppendFileRecord(out, dir, sourceOf(piece), layout.ownName(pet, piece), packed);
        }
    }
    out.commit();
    return packed;
}

}  // namespace

PackedFiles PackPet(const StoreContext& context, const std::string& pet, int status, bool preferPetNames) {
    return pack(context, pet, status, preferPetNames ? Sources::OwnNamesFirst : Sources::HostNames);
}

PackedFiles PackStoredPet(const StoreContext& context, const std::string& pet, int status) {
    return pack(context, pet, status, Sources::OwnNamesOnly);
}

}  // namespace orvane
