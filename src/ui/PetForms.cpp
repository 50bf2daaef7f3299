#include "ui/PetForms.h"

#include "app/PetRegistry.h"

namespace orvane {

namespace {

void keepLogsPrivateWhenEncrypted(PetOptions& options) {
    if (options.encrypted) options.shareLogs = false;
}

}  // namespace

PetOptions optionsOfStatus(int status) {
    return PetOptions{
        (status & PetStatusFlags::ShareLogs) != 0,
        (status & PetStatusFlags::ShareTreasures) != 0,
        (status & PetStatusFlags::ShareFriendsBook) != 0,
        (status & PetStatusFlags::Encrypted) != 0,
    };
}

void AddPetForm::encryptedClicked() {
    keepLogsPrivateWhenEncrypted(options);
}

void SettingsForm::selectPet(int number, const std::string& petName, int storedStatus) {
    selected_ = number;
    name = petName;
    options = optionsOfStatus(storedStatus);
    storedStatus_ = storedStatus;
    applyEnabled_ = false;
}

void SettingsForm::userChanged() {
    if (selected_ >= 0) applyEnabled_ = true;
}

void SettingsForm::encryptedClicked() {
    if (selected_ < 0) return;
    applyEnabled_ = true;
    keepLogsPrivateWhenEncrypted(options);
}

void SettingsForm::discarded() {
    selectPet(-1, std::string(), 0);
}

}  // namespace orvane
