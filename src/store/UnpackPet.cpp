#include "store/UnpackPet.h"

#include <algorithm>
#include <vector>

#include "platform/FileError.h"
#include "store/BestEffort.h"
#include "store/ContainerReader.h"
#include "store/PetKey.h"
#include "store/PetLayout.h"
#include "store/StoredNames.h"

namespace orvane {

namespace {

std::unique_ptr<ReadStream> openContainer(InstallDir& dir, const std::string& name) {
    auto in = dir.openRead(name);
    if (!in) throw FileError(name, "ファイルを開けません。");
    return in;
}

// Reads the check block: whether it was made with this key for the file's size.
bool passesCheck(ContainerReader& reader, const PetKey& key) {
    if (reader.size() < CheckBlockSize) reader.damaged();
    return reader.readCheckBlock() == makeCheckBlock(key, reader.size());
}

// The file a record writes; DamagedContainer unless it is one of the pet's own.
std::string targetOf(ContainerReader& reader, const PetLayout& layout, const std::string& pet,
                     const ContainerReader::RecordHeader& record) {
    auto target = ownFileOfStoredName(layout, pet, record.storedName);
    if (!target) reader.damaged();
    return std::move(*target);
}

class Extractor {
public:
    Extractor(InstallDir& dir, const PetKey& key) : dir_(dir), pattern_(key), chunk_(StreamChunkSize) {}

    void extract(ContainerReader& reader, const std::string& target, std::uint32_t size) {
        const BestEffort step(dir_);
        const std::size_t slash = target.find('\\');
        if (slash != std::string::npos) {
            const std::string folder = target.substr(0, slash);
            if (folder != lastFolder_) step.makeFolder(folder);
            lastFolder_ = folder;
        }
        // An empty file that cannot be made is as much a failure as any
        // other: a caller deletes the container once the pet is unpacked.
        const auto out = dir_.openWrite(target, OpenForWrite::CreateOrTruncate);
        for (std::uint32_t done = 0; done < size;) {
            const std::size_t want = std::min<std::size_t>(chunk_.size(), size - done);
            reader.read(chunk_.data(), want);
            pattern_.unscramble(chunk_.data(), want);
            out->write(chunk_.data(), want);
            done += static_cast<std::uint32_t>(want);
        }
    }

private:
    InstallDir& dir_;
    ScramblePattern pattern_;
    std::vector<unsigned char> chunk_;
    std::string lastFolder_;
};

}  // namespace

UnpackResult UnpackPet(const StoreContext& context, const std::string& pet, bool extract, bool keepExisting) {
    InstallDir& dir = context.dir;
    const PetKey key = DeriveKey(context.password);
    const PetLayout layout(context.names);
    const std::string name = PetLayout::containerName(pet);

    const auto in = openContainer(dir, name);
    ContainerReader reader(*in, name);
    if (!passesCheck(reader, key)) return UnpackResult::WrongPassword;
    if (!extract) return UnpackResult::Done;
    // The whole structure and every name, before anything is written.
    while (const auto record = reader.nextRecord()) {
        targetOf(reader, layout, pet, *record);
        reader.skip(record->dataSize);
    }

    // The second pass checks again as it writes, in case the file changed
    // in between; only a change that keeps it sound gets through.
    reader.rewind();
    if (!passesCheck(reader, key)) reader.damaged();
    Extractor extractor(dir, key);
    while (const auto record = reader.nextRecord()) {
        const std::string target = targetOf(reader, layout, pet, *record);
        if (keepExisting && dir.fileSize(target)) {
            reader.skip(record->dataSize);
        } else {
            extractor.extract(reader, target, record->dataSize);
        }
    }
    return UnpackResult::Done;
}

}  // namespace orvane
