#include "store/VerifyContainer.h"

#include <algorithm>
#include <vector>

#include "platform/FileError.h"
#include "store/BestEffort.h"
#include "store/ContainerErrors.h"
#include "store/ContainerReader.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"
#include "store/StoredNames.h"
#include "app/PetRegistry.h"

namespace orvane {

namespace {

constexpr const char* NotHeld = "暗号化ペットのファイルに正しく入っていません。";

// Reads the record's data to its end; whether it equals the source's bytes.
bool sameData(ContainerReader& reader, ReadStream* source, std::uint32_t size, const PetKey& key) {
    bool same = source && source->size() == size;
    const ScramblePattern pattern(key);
    std::vector<unsigned char> stored(StreamChunkSize);
    std::vector<unsigned char> plain(StreamChunkSize);
    for (std::uint32_t done = 0; done < size;) {
        const std::size_t want = std::min<std::size_t>(stored.size(), size - done);
        reader.read(stored.data(), want);
        done += static_cast<std::uint32_t>(want);
        if (!same) continue;
        pattern.unscramble(stored.data(), want);
        for (std::size_t got = 0; same && got < want;) {
            const std::size_t n = source->read(plain.data() + got, want - got);
            same = n != 0;
            got += n;
        }
        same = same && std::equal(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(want), plain.begin());
    }
    return same;
}

// The container opened with the context's password, past its check block.
struct OpenedContainer {
    std::unique_ptr<ReadStream> file;
    std::unique_ptr<ContainerReader> reader;
};

OpenedContainer openChecked(InstallDir& dir, const std::string& name, const PetKey& key) {
    OpenedContainer opened{dir.openRead(name), nullptr};
    if (!opened.file) throw FileError(name, NotHeld);
    opened.reader = std::make_unique<ContainerReader>(*opened.file, name);
    ContainerReader& reader = *opened.reader;
    if (reader.size() < CheckBlockSize || reader.readCheckBlock() != makeCheckBlock(key, reader.size())) {
        throw FileError(name, NotHeld);
    }
    return opened;
}

// The name a stored file lies under while its pet is in place; empty when
// it lies in an item the pet shared, which is not its own to delete.
std::string hostNameOf(const PetLayout& layout, const std::string& pet, const std::string& ownName, int status) {
    for (const PetPiece piece : AllPetPieces) {
        const std::string own = layout.ownName(pet, piece);
        const bool inside = ownName.rfind(own + "\\", 0) == 0;
        if (ownName != own && !inside) continue;
        if (sharesPiece(piece, status)) return {};
        return inside ? layout.inPlaceName(piece) + ownName.substr(own.size()) : layout.inPlaceName(piece);
    }
    return {};
}

}  // namespace

void VerifyContainer(const StoreContext& context, const std::string& pet, const PackedFiles& packed) {
    VerifyContainerAt(context.dir, PetLayout::containerName(pet), context.password, packed);
}

void VerifyContainerAt(InstallDir& dir, const std::string& container, const std::string& password,
                       const PackedFiles& packed) {
    const PetKey key = DeriveKey(password);
    try {
        const OpenedContainer opened = openChecked(dir, container, key);
        for (const PackedFile& file : packed) {
            const auto record = opened.reader->nextRecord();
            if (!record || record->storedName != file.storedName) throw FileError(file.source, NotHeld);
            const auto source = dir.openRead(file.source);
            if (!sameData(*opened.reader, source.get(), record->dataSize, key)) throw FileError(file.source, NotHeld);
        }
        if (opened.reader->nextRecord()) throw FileError(container, NotHeld);
    } catch (const DamagedContainer&) {
        throw FileError(container, NotHeld);
    }
}

void DeleteHeldPieces(const StoreContext& context, const std::string& pet, int status, bool inPlace) {
    const PetKey key = DeriveKey(context.password);
    const PetLayout layout(context.names);
    std::vector<std::string> held;
    try {
        const OpenedContainer opened = openChecked(context.dir, PetLayout::containerName(pet), key);
        while (const auto record = opened.reader->nextRecord()) {
            const auto own = ownFileOfStoredName(layout, pet, record->storedName);
            const std::string source =
                !own ? std::string() : inPlace ? hostNameOf(layout, pet, *own, status) : *own;
            const auto file = source.empty() ? nullptr : context.dir.openRead(source);
            if (sameData(*opened.reader, file.get(), record->dataSize, key)) held.push_back(source);
        }
    } catch (const DamagedContainer&) {
        throw FileError(PetLayout::containerName(pet), NotHeld);
    }
    const BestEffort step(context.dir);
    for (const std::string& file : held) step.deleteFile(file);
    // Treasures in place go only when they held the pet's files: an empty
    // folder of the host's may be the Kids host's own.
    const std::string treasures = inPlace ? layout.inPlaceName(PetPiece::Treasures) : layout.ownName(pet, PetPiece::Treasures);
    const bool heldTreasures = std::any_of(held.begin(), held.end(), [&](const std::string& file) {
        return file.rfind(treasures + "\\", 0) == 0;
    });
    for (const PetPiece piece : {PetPiece::ReceiveFolder, PetPiece::SendFolder}) {
        if (!inPlace) {
            step.removeFolder(layout.ownName(pet, piece));
        } else if (!sharesPiece(piece, status)) {
            step.removeFolder(layout.inPlaceName(piece));
        }
    }
    if (!inPlace || heldTreasures) step.removeFolder(treasures);
    if (!inPlace) {
        // Sharing an item, the pet keeps no copy of its own.
        if (sharesPiece(PetPiece::FriendsBook, status)) step.deleteFile(layout.ownName(pet, PetPiece::FriendsBook));
        if (sharesPiece(PetPiece::Treasures, status)) RemoveFolder(context.dir, treasures);
    }

    // Whatever of the pet's own is left, the pet is still plain: say what.
    for (const PetPiece piece : AllPetPieces) {
        const std::string name = inPlace ? layout.inPlaceName(piece) : layout.ownName(pet, piece);
        const bool own = !sharesPiece(piece, status);
        if (!own || !context.dir.exists(name)) continue;
        const bool holdsNothing = isFolderPiece(piece) && context.dir.list(name + "\\*").empty();
        if (!holdsNothing) throw FileError(name, "ファイルを削除できません。");
    }
}

}  // namespace orvane
