#include "ui/SettingsDialog.h"

#include "app/PetApp.h"
#include "resource.h"
#include "store/ChangePet.h"
#include "store/DiscardPet.h"
#include "store/PetMessages.h"
#include "store/PetNames.h"
#include "ui/AboutDialog.h"
#include "ui/AddPetDialog.h"
#include "ui/Win32Prompts.h"

namespace orvane::ui {

SettingsDialog::SettingsDialog(PetApp& app)
    : Dialog(IDD_SETTINGS), app_(app), form_(app.hostExecutable() == host::StandardExecutable),
      name_(MaxPetNameBytes, std::string(petmessage::UnusableCharacter)) {}

bool SettingsDialog::onInitDialog() {
    name_.attach(item(IDC_SETTINGS_NAME));
    showPets(0);
    return true;
}

void SettingsDialog::showPets(int selected) {
    clearItems(IDC_SETTINGS_PETS);
    const std::vector<PetRecord> pets = app_.registry().list();
    for (const PetRecord& pet : pets) addItem(IDC_SETTINGS_PETS, shownPetName(pet.name));
    if (selected >= 0 && selected < itemCount(IDC_SETTINGS_PETS)) {
        select(IDC_SETTINGS_PETS, selected);
        form_.selectPet(selected, itemTextAt(IDC_SETTINGS_PETS, selected),
                        pets[static_cast<std::size_t>(selected)].status);
    } else {
        select(IDC_SETTINGS_PETS, -1);
        form_.discarded();
    }
    showValues();
}

void SettingsDialog::takeValues() {
    form_.name = name_.text();
    form_.options.shareLogs = isChecked(IDC_SETTINGS_SHARE_LOGS);
    form_.options.shareTreasures = isChecked(IDC_SETTINGS_SHARE_TREASURES);
    form_.options.shareFriendsBook = isChecked(IDC_SETTINGS_SHARE_FRIENDS);
    form_.options.encrypted = isChecked(IDC_SETTINGS_ENCRYPTED);
}

// The field's own writing raises no change by the user (ByteLimitedField),
// and setting a check box raises no click.
void SettingsDialog::showValues() {
    name_.show(form_.name);
    setChecked(IDC_SETTINGS_SHARE_LOGS, form_.options.shareLogs);
    setChecked(IDC_SETTINGS_SHARE_TREASURES, form_.options.shareTreasures);
    setChecked(IDC_SETTINGS_SHARE_FRIENDS, form_.options.shareFriendsBook);
    setChecked(IDC_SETTINGS_ENCRYPTED, form_.options.encrypted);
    enableItem(IDC_SETTINGS_SHARE_LOGS, form_.shareLogsEnabled());
    enableItem(IDC_SETTINGS_SHARE_TREASURES, form_.shareTreasuresEnabled());
    enableItem(IDC_SETTINGS_APPLY, form_.applyEnabled());
}

void SettingsDialog::onCommand(int id, int notification) {
    switch (id) {
    case IDC_SETTINGS_PETS:
        if (notification == LBN_SELCHANGE) selectionChanged();
        break;
    case IDC_SETTINGS_SHARE_LOGS:
    case IDC_SETTINGS_SHARE_TREASURES:
    case IDC_SETTINGS_SHARE_FRIENDS:
        if (notification == BN_CLICKED) markChanged();
        break;
    case IDC_SETTINGS_NAME:
        if (notification == EN_CHANGE && name_.edited()) markChanged();
        break;
    case IDC_SETTINGS_ENCRYPTED:
        if (notification == BN_CLICKED) encryptedClicked();
        break;
    case IDC_SETTINGS_APPLY:
        if (notification == BN_CLICKED) apply();
        break;
    case IDC_SETTINGS_DISCARD:
        if (notification == BN_CLICKED) discard();
        break;
    case IDC_SETTINGS_ABOUT:
        if (notification == BN_CLICKED) about();
        break;
    default: break;
    }
}

void SettingsDialog::selectionChanged() {
    const int selected = selection(IDC_SETTINGS_PETS);
    if (selected < 0) return;
    form_.selectPet(selected, itemTextAt(IDC_SETTINGS_PETS, selected), app_.registry().status(selected));
    showValues();
}

void SettingsDialog::markChanged() {
    form_.userChanged();
    enableItem(IDC_SETTINGS_APPLY, form_.applyEnabled());
}

void SettingsDialog::encryptedClicked() {
    // Without a selection only the box itself changes on screen.
    if (form_.selected() < 0) return;
    takeValues();
    form_.encryptedClicked();
    showValues();
}

void SettingsDialog::apply() {
    const int selected = form_.selected();
    if (selected < 0) return;
    takeValues();
    PetChange change;
    change.number = selected;
    change.oldName = itemTextAt(IDC_SETTINGS_PETS, selected);
    change.newName = form_.name;
    change.options = form_.options;
    for (int i = 0; i < itemCount(IDC_SETTINGS_PETS); ++i) change.listedNames.push_back(itemTextAt(IDC_SETTINGS_PETS, i));
    Win32Prompts prompts(window(), app_.currentPassword(), window());
    std::optional<ChangedPet> changed;
    try {
        changed = ChangePet(app_.storeContext(), prompts, change);
    } catch (...) {
        // Steps done before the failure stay: the list must show the
        // registry as it now is, or the next change would start from a
        // name that is gone.
        showPets(selected);
        throw;
    }
    // Refused or cancelled: everything stays as it was, Apply included.
    if (changed) showPets(selected);
}

void SettingsDialog::discard() {
    const int selected = form_.selected();
    if (selected < 0) return;
    Win32Prompts prompts(window(), app_.currentPassword(), window());
    bool discarded = false;
    try {
        discarded = DiscardPet(app_.storeContext(), prompts, selected, itemTextAt(IDC_SETTINGS_PETS, selected),
                               form_.storedStatus());
    } catch (...) {
        showPets(selected);
        throw;
    }
    if (discarded) showPets(-1);
}

void SettingsDialog::about() {
    AboutDialog about;
    about.runModal(window());
}

void SettingsDialog::onOk() {
    AddPetDialog add(app_);
    if (add.runModal(window()) == IDOK) end(IDOK);
}

}  // namespace orvane::ui
