#include "ui/SetupDialog.h"

#include <shlobj.h>

#include "app/HostNames.h"
#include "platform/FileError.h"
#include "platform/InstallDir.h"
#include "platform/win32/CheckedWide.h"
#include "platform/win32/LocalMachineRegistry.h"
#include "platform/win32/WinHandle.h"
#include "platform/win32/PathStatus.h"
#include "resource.h"
#include "store/PetLayout.h"
#include "text/Cp932.h"
#include "ui/FirstRunScan.h"
#include "ui/MessageBoxes.h"

namespace orvane::ui {

namespace {

constexpr const char* BrowseTitle = "フォルダの選択";
constexpr const char* HostMissingMessage = "ヴェルモラが見つかりません。";
// The uninstall value is read into this many bytes of cp932 text, its
// terminator included; a longer value counts as missing.
constexpr std::size_t UninstallValueBytes = 260;

std::string installDirFromUninstallEntry(const std::string& key) {
    const auto value = win32::readLocalMachineText(key, std::string(host::UninstallValue));
    if (!value) return {};
    const std::size_t bytes = text::cp932Length(*value).value_or(value->size());
    if (bytes + 1 > UninstallValueBytes) return {};
    return installDirFromUninstallString(*value);
}

}  // namespace

SetupDialog::SetupDialog(PetRegistry& registry, std::string settingsPath, std::string programFolder)
    : Dialog(IDD_SETUP), registry_(registry), settingsPath_(std::move(settingsPath)),
      listedDir_(std::move(programFolder)) {}

bool SetupDialog::onInitDialog() {
    const std::string key(host::UninstallKey);
    installDir_ = installDirFromUninstallEntry(key);
    if (installDir_.empty()) installDir_ = installDirFromUninstallEntry(key + std::string(host::UninstallKeyRetrySuffix));
    fillPetList();
    setItemText(IDC_SETUP_DIR, installDir_);
    return true;
}

void SetupDialog::onCommand(int id, int notification) {
    if (id == IDC_SETUP_BROWSE && notification == BN_CLICKED) browse();
}

void SetupDialog::fillPetList() {
    clearItems(IDC_SETUP_PETS);
    if (!installDir_.empty() && win32::isFolder(installDir_)) listedDir_ = installDir_;
    const auto dir = openInstallDir(listedDir_);
    pets_ = scanExistingPets(*dir);
    for (const auto& pet : pets_) addItem(IDC_SETUP_PETS, pet);
}

void SetupDialog::browse() {
    wchar_t displayName[MAX_PATH] = {};
    const std::wstring title = win32::wideText(BrowseTitle);
    BROWSEINFOW info{};
    info.hwndOwner = window();
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const win32::CoTaskMemory<ITEMIDLIST> chosen(::SHBrowseForFolderW(&info));
    if (!chosen) return;
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(chosen.get(), path)) return;
    installDir_ = win32::utf8Text(path);
    fillPetList();
    setItemText(IDC_SETUP_DIR, installDir_);
}

void SetupDialog::onOk() {
    const auto dir = openInstallDir(listedDir_);
    if (!findHostExecutable(*dir)) {
        showMessageBox(window(), HostMissingMessage, applicationTitle(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    installDir_ = itemText(IDC_SETUP_DIR);
    const auto hasContainer = [&dir](const std::string& pet) { return dir->exists(PetLayout::containerName(pet)); };
    // Without its settings the program cannot keep a single pet: say so and
    // let the user try again, instead of going on as if it were written.
    if (!registry_.registerAll(pets_, installDir_, hasContainer)) {
        throw FileError(settingsPath_, "設定ファイルに書き込めませんでした。");
    }
    end(IDOK);
}

}  // namespace orvane::ui
