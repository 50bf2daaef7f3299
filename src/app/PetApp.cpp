#include "app/PetApp.h"

#include <windows.h>

#include "app/StartupPaths.h"
#include "platform/win32/PathStatus.h"
#include "ui/MainDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/SetupDialog.h"

namespace orvane {

namespace {
constexpr const char* HostMissingMessage = "ヴェルモラ本体が見つかりません。\nOrvane.ini を削除して再起動してください。";
}  // namespace

PetApp::PetApp(const std::string& programPath)
    : programFolder_(folderOfProgram(programPath)),
      settingsPath_(programFolder_ + std::string(SettingsFileName)),
      settings_(settingsPath_),
      registry_(settings_) {}

int PetApp::run() {
    if (anotherCopyRuns()) return 0;
    if (settingsMissing()) {
        ui::SetupDialog setup(registry_, settingsPath_, programFolder_);
        if (setup.runModal(nullptr) == IDCANCEL) return 0;
    }
    if (!locateHost()) {
        ui::showMessageBox(nullptr, HostMissingMessage, ui::applicationTitle(), MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    ui::MainDialog main(*this);
    main.runModal(nullptr);
    return 0;
}

StoreContext PetApp::storeContext() {
    return StoreContext{*installDir_, names_, registry_, currentPassword_};
}

bool PetApp::anotherCopyRuns() {
    // Never owned: the mutex only tells whether its name exists already.
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, L"Orvane");
    const DWORD error = ::GetLastError();
    // A copy running with other rights holds a mutex this one may not open.
    if (!mutex) return error == ERROR_ACCESS_DENIED;
    singleInstance_.reset(mutex);
    if (error != ERROR_ALREADY_EXISTS) return false;
    singleInstance_.reset();
    return true;
}

bool PetApp::settingsMissing() const {
    return win32::fileSize(settingsPath_).value_or(0) == 0;
}

bool PetApp::locateHost() {
    installDirPath_ = chooseInstallDir(programFolder_, registry_.installDir(), win32::isFolder);
    installDir_ = openInstallDir(installDirPath_);
    const auto host = findHostExecutable(*installDir_);
    if (!host) return false;
    host_ = *host;
    names_ = FolderNameTable::forEdition(host->edition);
    return true;
}

}  // namespace orvane
