#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/HostNames.h"
#include "platform/InstallDir.h"
#include "platform/Prompts.h"
#include "platform/SystemClock.h"

namespace orvane {

// What a backup needs of the running application.
struct BackupSources {
    InstallDir& dir;
    const FolderNameTable& names;
    std::string hostExecutable;  // the file name found at start-up
    std::string settingsFile;    // full path
    int currentPetStatus = 0;    // of the pet swapped in for this session
    // That pet, and the password its session was opened with: an encrypted
    // one is packed anew into the backup as it is now. Without the password
    // it cannot be, and is named as not saved.
    std::string currentPet;
    std::optional<std::string> sessionPassword;
};

struct BackupResult {
    std::string folder;
    bool folderMade = false;
    // Files not saved whole, first failure first: names in the installation
    // directory, the settings file by its full path.
    std::vector<std::string> failedCopies;
};

// The folder a backup made at this local time goes to: "20020305090704"
// for 2002-03-05 09:07:04.
std::string backupFolderName(const LocalTime& time);

// Copies the pets, the shared items and the settings file into a new
// folder named after the time and tells the user whether everything was
// saved. What must not be in a backup is never copied there: the host's
// old copies of its pet file, and the plain pieces of an encrypted pet in
// use, which goes in as its container packed from those pieces now. Every
// copy is checked by its size and that container is read back. A folder
// that cannot be made is reported and nothing is copied.
BackupResult RunBackup(const BackupSources& sources, const LocalTime& time, Prompts& prompts);

}  // namespace orvane
