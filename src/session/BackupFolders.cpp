#include "session/BackupFolders.h"

#include <algorithm>
#include <functional>

namespace orvane {

namespace {

constexpr std::size_t FolderNameLength = 14;  // yyyymmddhhmmss

int field(const std::string& folder, std::size_t at, std::size_t length) {
    return std::stoi(folder.substr(at, length));
}

// Fourteen digits that make a date and a time of day.
bool isBackupFolderName(const std::string& name) {
    if (name.size() != FolderNameLength || name.find_first_not_of("0123456789") != std::string::npos) return false;
    const int month = field(name, 4, 2);
    const int day = field(name, 6, 2);
    return name[0] != '0' && month >= 1 && month <= 12 && day >= 1 && day <= 31 && field(name, 8, 2) < 24 &&
           field(name, 10, 2) < 60 && field(name, 12, 2) < 60;
}

}  // namespace

std::vector<std::string> listBackupFolders(InstallDir& dir) {
    std::vector<std::string> folders;
    for (const DirEntry& entry : dir.list("*")) {
        if (entry.isFolder && isBackupFolderName(entry.name) &&
            dir.exists(entry.name + "\\" + std::string(BackupSettingsName))) {
            folders.push_back(entry.name);
        }
    }
    // Names of equal length in digits sort as the times they name.
    std::sort(folders.begin(), folders.end(), std::greater<>());
    return folders;
}

std::string backupFolderCaption(const std::string& folder) {
    return folder.substr(0, 4) + "/" + folder.substr(4, 2) + "/" + folder.substr(6, 2) + " " + folder.substr(8, 2) +
           ":" + folder.substr(10, 2) + ":" + folder.substr(12, 2);
}

std::string restoredPetName(const std::string& pet, const std::string& folder) {
    return pet + "_" + folder.substr(0, 8);
}

std::vector<BackupPet> backupPets(const PetRegistry& backupRegistry) {
    std::vector<BackupPet> pets;
    const int inPlace = backupRegistry.petInPlace();
    for (const PetRecord& pet : backupRegistry.list()) {
        pets.push_back({pet.name, pet.status, pet.number == inPlace});
    }
    return pets;
}

}  // namespace orvane
