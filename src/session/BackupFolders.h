#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/PetRegistry.h"
#include "platform/InstallDir.h"

// The backups a restore can bring pets back from.
namespace orvane {

// The copy of the settings file inside a backup folder.
inline constexpr std::string_view BackupSettingsName = "Orvane.ini";

// The folders of the installation directory that a backup made: named by
// a date and time ("20261206210533") and holding a settings file. Newest
// first.
std::vector<std::string> listBackupFolders(InstallDir& dir);

// How a backup folder is shown: "2026/12/06 21:05:33".
std::string backupFolderCaption(const std::string& folder);

// The name a pet restored from the backup is offered: "ぽすけ_20261206".
std::string restoredPetName(const std::string& pet, const std::string& folder);

// A pet as a backup's own settings file registers it.
struct BackupPet {
    std::string name;
    int status = PetStatusFlags::Default;
    bool wasInPlace = false;  // "NowPet" named it when the backup was made
};

std::vector<BackupPet> backupPets(const PetRegistry& backupRegistry);

}  // namespace orvane
