#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "session/BackupFolders.h"
#include "ui/ByteLimitedField.h"
#include "ui/Dialog.h"

namespace orvane {
class PetApp;
}

namespace orvane::ui {

// Brings a pet back from a backup as a new pet: the backups, newest first;
// the pets the chosen one registers; the new pet's name. Ends with OK once
// the pet is restored; a refusal or a failure leaves it open.
class RestoreDialog : public Dialog {
public:
    RestoreDialog(PetApp& app, std::vector<std::string> folders);

private:
    bool onInitDialog() override;
    void onCommand(int id, int notification) override;
    void onOk() override;

    // The pets of the chosen backup, the first one selected.
    void showPets();
    void showNameFor(int pet);

    PetApp& app_;
    std::vector<std::string> folders_;
    std::vector<BackupPet> pets_;
    ByteLimitedField name_;
    // An encrypted pet's password is asked for the restore alone: the
    // running session's password, with which its pet is packed at the end,
    // stays as it is.
    std::string password_;
};

// The action menu's restore command, over the host's main window. True
// when a pet was restored.
bool RunRestore(PetApp& app, HWND hostMainWindow);

}  // namespace orvane::ui
