#include "DataSafetyCheck.h"

#include <algorithm>
#include <optional>

#include "store/ContainerFormat.h"
#include "store/PetKey.h"
#include "text/Cp932.h"
#include "text/FileNameCase.h"

namespace orvane::test {

namespace {

// Owners that are not pets; no pet name starts with a control character.
const std::string HostOwner = "\x01host";
const std::string SharedOwner = "\x01shared";

struct Location {
    std::string owner;
    PetPiece piece = PetPiece::PetFile;
    std::string file;
    std::string openedWith;  // the container's password; empty for a plain file
};

class Classifier {
public:
    Classifier(const FolderNameTable& names, const std::map<std::string, PetIdentity>& pets) : layout_(names) {
        for (const auto& [pet, identity] : pets) owners_.insert(identity.names.begin(), identity.names.end());
    }

    // What a name of the installation directory (or a stored name) holds.
    std::optional<Location> classify(const std::string& name) const {
        const std::size_t slash = name.find('\\');
        const std::string top = name.substr(0, slash);
        const std::string file = slash == std::string::npos ? std::string() : name.substr(slash + 1);
        for (const PetPiece piece : AllPetPieces) {
            if (isFolderPiece(piece) == file.empty()) continue;
            for (const auto& owner : owners_) {
                if (text::sameFileName(top, layout_.ownName(owner, piece))) return Location{owner, piece, file, {}};
            }
            const std::string inPlace = layout_.inPlaceName(piece);
            if (text::sameFileName(top, inPlace)) return Location{HostOwner, piece, file, {}};
            if (piece != PetPiece::PetFile && piece != PetPiece::PetBackup &&
                text::sameFileName(top, PetLayout::sharedItemName(inPlace))) {
                return Location{SharedOwner, piece, file, {}};
            }
        }
        return std::nullopt;
    }

private:
    PetLayout layout_;
    std::set<std::string> owners_;
};

struct Found {
    Location where;
    std::string bytes;
};

std::vector<Found> everythingFound(const std::map<std::string, PetIdentity>& pets,
                                   const std::map<std::string, std::string>& entries,
                                   const Classifier& classifier) {
    std::set<std::string> passwords;
    for (const auto& [pet, identity] : pets) passwords.insert(identity.passwords.begin(), identity.passwords.end());

    std::vector<Found> found;
    for (const auto& [name, bytes] : entries) {
        if (auto where = classifier.classify(name)) found.push_back({std::move(*where), bytes});
        if (name.find('\\') != std::string::npos || !text::matchesFileNamePattern("*.apd", name)) continue;
        for (const auto& password : passwords) {
            for (const auto& [storedName, data] : containerRecords(bytes, password)) {
                if (auto where = classifier.classify(storedName)) {
                    where->openedWith = password;
                    found.push_back({std::move(*where), data});
                }
            }
        }
    }
    return found;
}

bool recovers(const Found& found, const PetDatum& datum, const std::map<std::string, PetIdentity>& pets) {
    if (found.bytes != datum.bytes || found.where.piece != datum.piece ||
        !text::sameFileName(found.where.file, datum.file)) {
        return false;
    }
    const Location& where = found.where;
    const bool hostOrShared = where.owner == HostOwner || where.owner == SharedOwner;
    if (datum.pet.empty()) return hostOrShared && where.openedWith.empty();
    const PetIdentity& identity = pets.at(datum.pet);
    const bool ownName = identity.names.count(where.owner) != 0;
    if (where.openedWith.empty()) return ownName || hostOrShared;
    return ownName && identity.passwords.count(where.openedWith) != 0;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> containerRecords(const std::string& bytes,
                                                                  const std::string& password) {
    const PetKey key = DeriveKey(password);
    if (bytes.size() < CheckBlockSize) return {};
    const CheckBlock check = makeCheckBlock(key, bytes.size());
    if (bytes.compare(0, CheckBlockSize, std::string(check.begin(), check.end())) != 0) return {};
    std::vector<std::pair<std::string, std::string>> records;
    std::size_t at = CheckBlockSize;
    while (at < bytes.size()) {
        const auto n = static_cast<unsigned char>(bytes[at]);
        if (n == 0 || at + 1 + n + DataLengthSize > bytes.size()) return {};
        const std::string storedName = bytes.substr(at + 1, n - 1);
        const auto* length = reinterpret_cast<const unsigned char*>(bytes.data() + at + 1 + n);
        const std::uint32_t size = readLittleEndian32(length);
        at += 1 + n + DataLengthSize;
        if (size > bytes.size() - at) return {};
        std::string data = bytes.substr(at, size);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) - key[i % 16] - i % 256);
        }
        at += size;
        records.emplace_back(text::cp932ToUtf8(storedName).value_or(storedName), std::move(data));
    }
    return records;
}

std::vector<std::string> lostData(const std::vector<PetDatum>& data,
                                  const std::map<std::string, PetIdentity>& pets,
                                  const std::map<std::string, std::string>& entries,
                                  const FolderNameTable& names) {
    const Classifier classifier(names, pets);
    const std::vector<Found> found = everythingFound(pets, entries, classifier);
    std::vector<std::string> lost;
    for (const PetDatum& datum : data) {
        const bool kept = std::any_of(found.begin(), found.end(),
                                      [&](const Found& f) { return recovers(f, datum, pets); });
        if (!kept) {
            lost.push_back((datum.pet.empty() ? std::string("shared") : datum.pet) + " piece " +
                           std::to_string(static_cast<int>(datum.piece)) + " " + datum.file);
        }
    }
    return lost;
}

}  // namespace orvane::test
