#include "ui/RestoreDialog.h"

#include "app/IniFile.h"
#include "app/PetApp.h"
#include "resource.h"
#include "session/RestorePet.h"
#include "store/PetMessages.h"
#include "store/PetNames.h"
#include "ui/MessageBoxes.h"
#include "ui/Win32Prompts.h"

namespace orvane::ui {

RestoreDialog::RestoreDialog(PetApp& app, std::vector<std::string> folders)
    : Dialog(IDD_RESTORE), app_(app), folders_(std::move(folders)),
      name_(MaxPetNameBytes, std::string(petmessage::UnusableCharacter)) {}

bool RestoreDialog::onInitDialog() {
    name_.attach(item(IDC_RESTORE_NAME));
    for (const std::string& folder : folders_) addItem(IDC_RESTORE_BACKUPS, backupFolderCaption(folder));
    select(IDC_RESTORE_BACKUPS, 0);
    showPets();
    return true;
}

void RestoreDialog::showPets() {
    const int backup = selection(IDC_RESTORE_BACKUPS);
    if (backup < 0) return;
    std::string path = app_.installDirPath();
    if (!path.ends_with('\\')) path += '\\';
    IniFile settings(path + folders_[static_cast<std::size_t>(backup)] + "\\" + std::string(BackupSettingsName));
    pets_ = backupPets(PetRegistry(settings));
    clearItems(IDC_RESTORE_PETS);
    for (const BackupPet& pet : pets_) addItem(IDC_RESTORE_PETS, pet.name);
    select(IDC_RESTORE_PETS, pets_.empty() ? -1 : 0);
    showNameFor(pets_.empty() ? -1 : 0);
}

void RestoreDialog::showNameFor(int pet) {
    const int backup = selection(IDC_RESTORE_BACKUPS);
    enableItem(IDOK, pet >= 0);
    if (pet < 0 || backup < 0) {
        name_.show("");
        return;
    }
    name_.show(restoredPetName(pets_[static_cast<std::size_t>(pet)].name, folders_[static_cast<std::size_t>(backup)]));
}

void RestoreDialog::onCommand(int id, int notification) {
    if (id == IDC_RESTORE_BACKUPS && notification == CBN_SELCHANGE) {
        showPets();
    } else if (id == IDC_RESTORE_PETS && notification == LBN_SELCHANGE) {
        showNameFor(selection(IDC_RESTORE_PETS));
    } else if (id == IDC_RESTORE_NAME && notification == EN_CHANGE) {
        name_.edited();
    }
}

void RestoreDialog::onOk() {
    const int backup = selection(IDC_RESTORE_BACKUPS);
    const int pet = selection(IDC_RESTORE_PETS);
    if (backup < 0 || pet < 0) return;
    const RestoreRequest request{folders_[static_cast<std::size_t>(backup)], pets_[static_cast<std::size_t>(pet)],
                                 name_.text()};
    Win32Prompts prompts(window(), password_, window());
    if (RestorePet(app_.storeContext().dir, app_.names(), app_.registry(), prompts, request)) end(IDOK);
}

bool RunRestore(PetApp& app, HWND hostMainWindow) {
    auto folders = listBackupFolders(app.storeContext().dir);
    if (folders.empty()) {
        showMessageBox(hostMainWindow, "戻せるバックアップがありません。", petmessage::ErrorTitle, MB_OK | MB_ICONERROR);
        return false;
    }
    RestoreDialog dialog(app, std::move(folders));
    return dialog.runModal(hostMainWindow) == IDOK;
}

}  // namespace orvane::ui
