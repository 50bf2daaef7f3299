#pragma once

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
};

struct BackupResult {
    std::string folder;
    bool folderMade = false;
    std::vector<std::string> failedCopies;  // names in the installation directory
};

// The folder a backup made at this local time goes to: "20020305090704"
// for 2002-03-05 09:07:04.
std::string backupFolderName(const LocalTime& time);

// Copies the pets, the shared items and the settings file into a new
// folder named after the time, leaves out what must not be in a backup
// (the host's old copies of its pet file, and the unprotected working
// copies of an encrypted pet in use), and tells the user how it went. A
// folder that cannot be made is reported and nothing is copied; what is
// left out is deleted inside the new folder only.
BackupResult RunBackup(const BackupSources& sources, const LocalTime& time, Prompts& prompts);

}  // namespace orvane
