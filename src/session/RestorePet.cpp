#include "session/RestorePet.h"

#include <utility>
#include <vector>

#include "platform/FileError.h"
#include "store/BestEffort.h"
#include "store/CopyPetContainer.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/PetNames.h"
#include "store/SettingsNotWritten.h"
#include "store/StoredNames.h"

namespace orvane {

namespace {

// Entries the restore made; removed again, newest first, unless it completes.
class Written {
public:
    explicit Written(InstallDir& dir) : dir_(dir) {}
    ~Written() { undo(); }
    Written(const Written&) = delete;
    Written& operator=(const Written&) = delete;

    // Noted before it is made: the name was free, so whatever a failed
    // step leaves there is the restore's own.
    void file(const std::string& name) { entries_.emplace_back(name, false); }
    void folder(const std::string& name) { entries_.emplace_back(name, true); }
    void keep() { entries_.clear(); }

    // Once only: what appears under these names later is not the restore's.
    void undo() {
        const BestEffort step(dir_);
        const auto entries = std::exchange(entries_, {});
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            if (entry->second) {
                step.removeFolder(entry->first);
            } else {
                step.deleteFile(entry->first);
            }
        }
    }

private:
    InstallDir& dir_;
    std::vector<std::pair<std::string, bool>> entries_;  // name, is a folder
};

// Every name the pet owns in the installation directory.
std::vector<std::string> ownedNames(const PetLayout& layout, const std::string& pet) {
    std::vector<std::string> owned;
    for (const PetPiece piece : AllPetPieces) owned.push_back(layout.ownName(pet, piece));
    owned.push_back(PetLayout::containerName(pet));
    return owned;
}

void copyWhole(InstallDir& dir, const std::string& from, const std::string& to, Written& written) {
    written.file(to);
    if (!dir.copyFile(from, to) || dir.fileSize(to) != dir.fileSize(from)) {
        throw FileError(from, "コピーできません。");
    }
}

// The pet's own pieces in the backup, copied under the new pet's names.
void copyPieces(InstallDir& dir, const PetLayout& layout, const RestoreRequest& request, const std::string& newName,
                Written& written) {
    const std::string backup = request.folder + "\\";
    const BackupPet& pet = request.pet;
    // Guarded as in the installation directory: a pet with a pet file of
    // its own was not the one in place.
    const bool inPlace = pet.wasInPlace && !dir.exists(backup + layout.ownName(pet.name, PetPiece::PetFile));
    for (const PetPiece piece : AllPetPieces) {
        if (sharesPiece(piece, pet.status)) continue;
        const std::string source = backup + (inPlace ? layout.inPlaceName(piece) : layout.ownName(pet.name, piece));
        const std::string target = layout.ownName(newName, piece);
        if (!isFolderPiece(piece)) {
            if (dir.fileSize(source)) copyWhole(dir, source, target, written);
            continue;
        }
        if (!dir.isFolder(source)) continue;
        written.folder(target);
        if (!dir.makeFolder(target)) throw FileError(target, "フォルダを作成できません。");
        for (const DirEntry& entry : dir.list(source + "\\*.*")) {
            if (!entry.isFolder) copyWhole(dir, source + "\\" + entry.name, target + "\\" + entry.name, written);
        }
    }
}

std::string quoted(const std::string& name) { return "「" + name + "」"; }

}  // namespace

std::optional<AddedPet> RestorePet(InstallDir& dir, const FolderNameTable& names, PetRegistry& registry,
                                   Prompts& prompts, const RestoreRequest& request) {
    const PetLayout layout(names);
    const BackupPet& pet = request.pet;
    // The backup's settings file may have been edited by hand: its name
    // must not lead out of the backup folder.
    for (const std::string& name : ownedNames(layout, pet.name)) {
        if (!isPlainFileName(name)) {
            petmessage::showError(prompts, "バックアップのペット" + quoted(pet.name) + "は名前が正しくないため、戻せません。");
            return std::nullopt;
        }
    }
    const auto newName = ValidatePetName(prompts, request.newName, {NameUse::Add, registeredNames(registry), {}});
    if (!newName) return std::nullopt;
    for (const std::string& name : ownedNames(layout, *newName)) {
        if (dir.exists(name)) {
            petmessage::showError(prompts, quoted(name) + "が既にあるため、戻せません。");
            return std::nullopt;
        }
    }

    const std::string container = request.folder + "\\" + PetLayout::containerName(pet.name);
    const bool encrypted = dir.fileSize(container).has_value();
    const int status = encrypted ? (pet.status | PetStatusFlags::Encrypted) & ~PetStatusFlags::ShareLogs : pet.status;
    Written written(dir);
    int number = -1;
    try {
        if (encrypted) {
            const auto password = prompts.askPassword();
            if (!password) return std::nullopt;
            // Written whole or not at all.
            if (CopyPetContainer(dir, names, *password, container, pet.name, *newName) == UnpackResult::WrongPassword) {
                petmessage::showError(prompts, petmessage::WrongPassword);
                return std::nullopt;
            }
            written.file(PetLayout::containerName(*newName));
        } else {
            copyPieces(dir, layout, request, *newName, written);
        }
        number = registry.append(*newName, status);
        if (number < 0) throw SettingsNotWritten();
    } catch (const FileError& error) {
        written.undo();
        petmessage::showError(prompts, "バックアップから戻せませんでした。\n" + error.fileName() + "\n" + error.reason());
        return std::nullopt;
    }
    written.keep();
    prompts.showMessage(quoted(*newName) + "としてバックアップから戻しました。", std::string(petmessage::DoneTitle),
                        MessageIcon::Information);
    return AddedPet{number, *newName, status};
}

}  // namespace orvane
