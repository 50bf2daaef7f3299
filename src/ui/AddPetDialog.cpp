#include "ui/AddPetDialog.h"

#include "app/PetApp.h"
#include "resource.h"
#include "store/AddPet.h"
#include "store/PetMessages.h"
#include "store/PetNames.h"
#include "ui/Win32Prompts.h"

namespace orvane::ui {

AddPetDialog::AddPetDialog(PetApp& app)
    : Dialog(IDD_ADD_PET), app_(app), form_(app.hostExecutable() == host::StandardExecutable),
      name_(MaxPetNameBytes, std::string(petmessage::UnusableCharacter)) {}

bool AddPetDialog::onInitDialog() {
    name_.attach(item(IDC_ADD_NAME));
    showValues();
    return true;
}

void AddPetDialog::takeValues() {
    form_.name = name_.text();
    form_.options.shareLogs = isChecked(IDC_ADD_SHARE_LOGS);
    form_.options.shareTreasures = isChecked(IDC_ADD_SHARE_TREASURES);
    form_.options.shareFriendsBook = isChecked(IDC_ADD_SHARE_FRIENDS);
    form_.options.encrypted = isChecked(IDC_ADD_ENCRYPTED);
}

void AddPetDialog::showValues() {
    name_.show(form_.name);
    setChecked(IDC_ADD_SHARE_LOGS, form_.options.shareLogs);
    setChecked(IDC_ADD_SHARE_TREASURES, form_.options.shareTreasures);
    setChecked(IDC_ADD_SHARE_FRIENDS, form_.options.shareFriendsBook);
    setChecked(IDC_ADD_ENCRYPTED, form_.options.encrypted);
    enableItem(IDC_ADD_SHARE_LOGS, form_.shareLogsEnabled());
    enableItem(IDC_ADD_SHARE_TREASURES, form_.shareTreasuresEnabled());
}

void AddPetDialog::onCommand(int id, int notification) {
    if (id == IDC_ADD_NAME && notification == EN_CHANGE) {
        name_.edited();
    } else if (id == IDC_ADD_ENCRYPTED && notification == BN_CLICKED) {
        takeValues();
        form_.encryptedClicked();
        showValues();
    }
}

void AddPetDialog::onOk() {
    takeValues();
    Win32Prompts prompts(window(), app_.currentPassword(), window());
    if (AddPet(app_.registry(), prompts, form_.name, form_.options)) end(IDOK);
}

}  // namespace orvane::ui
