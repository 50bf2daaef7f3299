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

// What a pack reads and where it writes.
struct PackJob {
    InstallDir& dir;
    const FolderNameTable& names;
    const std::string& password;
    const std::string& pet;
    int status;
    int statusNow;
    Sources sources;
    const std::string& container;
};

PackedFiles pack(const PackJob& job) {
    InstallDir& dir = job.dir;
    const std::string& pet = job.pet;
    const PetLayout layout(job.names);
    const auto ownExists = [&](PetPiece piece) { return dir.exists(layout.ownName(pet, piece)); };
    // The mail folders travel as a pair, decided by the receive folder.
    const bool ownMailFolders = job.sources == Sources::OwnNamesOnly ||
                                (job.sources == Sources::OwnNamesFirst && ownExists(PetPiece::ReceiveFolder));
    const auto isMail = [](PetPiece piece) {
        return piece == PetPiece::ReceiveFolder || piece == PetPiece::SendFolder;
    };
    const auto sourceOf = [&](PetPiece piece) {
        // Shared at the swap-in and private now: what lies in place is the
        // shared copy, and the pet's own lies under its own name.
        if (sharesPiece(piece, job.status) && !sharesPiece(piece, job.statusNow)) return layout.ownName(pet, piece);
        const bool fromOwn = isMail(piece) ? ownMailFolders
                                           : job.sources == Sources::OwnNamesOnly ||
                                                 (job.sources == Sources::OwnNamesFirst && ownExists(piece));
        return fromOwn ? layout.ownName(pet, piece) : layout.inPlaceName(piece);
    };

    ContainerWriter out(dir, job.container, DeriveKey(job.password));
    PackedFiles packed;
    for (const PetPiece piece : AllPetPieces) {
        // The mail folders are packed even while shared.
        if (!isMail(piece) && sharesPiece(piece, job.status) && sharesPiece(piece, job.statusNow)) continue;
        const std::string source = sourceOf(piece);
        if (isFolderPiece(piece)) {
            AppendFolderRecords(out, dir, source, layout.ownName(pet, piece), packed);
        } else {
            AppendFileRecord(out, dir, source, layout.ownName(pet, piece), packed);
        }
    }
    out.commit();
    return packed;
}

PackedFiles packOwnContainer(const StoreContext& context, const std::string& pet, int status, int statusNow,
                             Sources sources) {
    return pack({context.dir, context.names, context.password, pet, status, statusNow, sources,
                 PetLayout::containerName(pet)});
}

}  // namespace

PackedFiles PackPet(const StoreContext& context, const std::string& pet, int status, bool preferPetNames,
                    int statusNow) {
    return packOwnContainer(context, pet, status, statusNow,
                            preferPetNames ? Sources::OwnNamesFirst : Sources::HostNames);
}

PackedFiles PackStoredPet(const StoreContext& context, const std::string& pet, int status) {
    return packOwnContainer(context, pet, status, status, Sources::OwnNamesOnly);
}

PackedFiles PackInPlacePetInto(InstallDir& dir, const FolderNameTable& names, const std::string& password,
                               const std::string& pet, int status, const std::string& container) {
    return pack({dir, names, password, pet, status, status, Sources::HostNames, container});
}

}  // namespace orvane
