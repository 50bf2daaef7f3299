#include "store/CopyPetContainer.h"

#include <optional>
#include <vector>

#include "platform/FileError.h"
#include "store/ContainerReader.h"
#include "store/ContainerWriter.h"
#include "store/PetLayout.h"
#include "store/StoredNames.h"

namespace orvane {

namespace {

// The name a stored name of `from` takes for `to`: the same piece, and in
// a folder the same file. nullopt when it is not one of from's own.
std::optional<std::string> renamed(const PetLayout& layout, const std::string& from, const std::string& to,
                                   const std::string& storedName) {
    const auto own = ownFileOfStoredName(layout, from, storedName);
    if (!own) return std::nullopt;
    const std::size_t slash = own->find('\\');
    const std::string top = own->substr(0, slash);
    for (const PetPiece piece : AllPetPieces) {
        if (top != layout.ownName(from, piece)) continue;
        std::string name = layout.ownName(to, piece);
        if (slash != std::string::npos) name += own->substr(slash);
        return name;
    }
    return std::nullopt;
}

}  // namespace

UnpackResult CopyPetContainer(InstallDir& dir, const FolderNameTable& names, const std::string& password,
                              const std::string& source, const std::string& from, const std::string& to) {
    const PetKey key = DeriveKey(password);
    const PetLayout layout(names);
    const auto in = dir.openRead(source);
    if (!in) throw FileError(source, "ファイルを開けません。");
    ContainerReader reader(*in, source);
    const auto passesCheck = [&] {
        if (reader.size() < CheckBlockSize) reader.damaged();
        return reader.readCheckBlock() == makeCheckBlock(key, reader.size());
    };
    if (!passesCheck()) return UnpackResult::WrongPassword;

    // Every name first, as cp932: nothing is written for a container that
    // cannot be copied whole.
    struct Copied {
        std::string storedName;
        std::string newName;
    };
    std::vector<Copied> copies;
    while (const auto record = reader.nextRecord()) {
        const auto name = renamed(layout, from, to, record->storedName);
        if (!name) reader.damaged();
        copies.push_back({record->storedName, encodeStoredName(*name)});
        reader.skip(record->dataSize);
    }

    reader.rewind();
    if (!passesCheck()) reader.damaged();
    ContainerWriter out(dir, PetLayout::containerName(to), key);
    // The second pass must meet the records of the first: a container
    // that changed in between is not copied in part.
    for (const Copied& copy : copies) {
        const auto record = reader.nextRecord();
        if (!record || record->storedName != copy.storedName) reader.damaged();
        out.appendScrambledRecord(copy.newName, reader, record->dataSize);
    }
    if (reader.nextRecord()) reader.damaged();
    out.commit();
    return UnpackResult::Done;
}

}  // namespace orvane
