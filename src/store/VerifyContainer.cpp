#include "store/VerifyContainer.h"

#include <algorithm>
#include <vector>

#include "platform/FileError.h"
#include "store/ContainerErrors.h"
#include "store/ContainerReader.h"
#include "store/PetLayout.h"

namespace orvane {

namespace {

constexpr const char* NotHeld = "暗号化ペットのファイルに正しく入っていません。";

// Whether the rest of the record's data equals the source's bytes.
bool sameData(ContainerReader& reader, ReadStream& source, std::uint32_t size, const PetKey& key) {
    if (source.size() != size) return false;
    const ScramblePattern pattern(key);
    std::vector<unsigned char> stored(StreamChunkSize);
    std::vector<unsigned char> plain(StreamChunkSize);
    for (std::uint32_t done = 0; done < size;) {
        const std::size_t want = std::min<std::size_t>(stored.size(), size - done);
        reader.read(stored.data(), want);
        pattern.unscramble(stored.data(), want);
        for (std::size_t got = 0; got < want;) {
            const std::size_t n = source.read(plain.data() + got, want - got);
            if (n == 0) return false;
            got += n;
        }
        if (!std::equal(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(want), plain.begin())) {
            return false;
        }
        done += static_cast<std::uint32_t>(want);
    }
    return true;
}

}  // namespace

void VerifyContainer(const StoreContext& context, const std::string& pet, const PackedFiles& packed) {
    const std::string name = PetLayout::containerName(pet);
    const PetKey key = DeriveKey(context.password);
    const auto in = context.dir.openRead(name);
    if (!in) throw FileError(name, NotHeld);
    ContainerReader reader(*in, name);
    try {
        if (reader.size() < CheckBlockSize || reader.readCheckBlock() != makeCheckBlock(key, reader.size())) {
            throw FileError(name, NotHeld);
        }
        for (const PackedFile& file : packed) {
            const auto record = reader.nextRecord();
            if (!record || record->storedName != file.storedName) throw FileError(file.source, NotHeld);
            const auto source = context.dir.openRead(file.source);
            if (!source || !sameData(reader, *source, record->dataSize, key)) throw FileError(file.source, NotHeld);
        }
        if (reader.nextRecord()) throw FileError(name, NotHeld);
    } catch (const DamagedContainer&) {
        throw FileError(name, NotHeld);
    }
}

}  // namespace orvane
