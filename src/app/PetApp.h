#pragma once

#include <memory>
#include <string>

#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "platform/InstallDir.h"
#include "platform/win32/WinHandle.h"
#include "store/StoreContext.h"

namespace orvane {

// The application object: lives for the whole process and holds what every
// part reads from it: the settings file, the host's names and executable,
// the installation directory and the current password. The core gets them
// handed in; nothing here is global.
class PetApp {
public:
    explicit PetApp(const std::string& programPath);

    // Start-up, the main window for the program's whole life, and exit.
    // Returns the process's exit code.
    int run();

    const FolderNameTable& names() const { return names_; }
    const std::string& hostExecutable() const { return host_.fileName; }
    const std::string& installDirPath() const { return installDirPath_; }
    const std::string& settingsPath() const { return settingsPath_; }
    PetRegistry& registry() { return registry_; }
    // Written by the password prompt only; read by every container operation.
    std::string& currentPassword() { return currentPassword_; }
    StoreContext storeContext();

private:
    bool anotherCopyRuns();
    bool settingsMissing() const;
    bool locateHost();

    std::string programFolder_;
    std::string settingsPath_;
    IniFile settings_;
    PetRegistry registry_;
    win32::KernelHandle singleInstance_;
    std::string installDirPath_;
    std::unique_ptr<InstallDir> installDir_;
    HostExecutable host_;
    FolderNameTable names_;
    std::string currentPassword_;
};

}  // namespace orvane
