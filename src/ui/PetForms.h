#pragma once

#include <string>

#include "store/PetOptions.h"

// What the add-pet and settings dialogs show, and which of their controls
// the user may work: the dialogs take the controls' values into these
// forms, let them decide, and show them again.
namespace orvane {

// The add-pet dialog: a new pet shares its logs, treasures and friends
// book and is not encrypted unless the user says otherwise.
class AddPetForm {
public:
    // standardEdition: the host executable is "Velmora.exe"; its pets
    // always share the treasures, so that box cannot be changed.
    explicit AddPetForm(bool standardEdition) : standardEdition_(standardEdition) {}

    std::string name;
    PetOptions options;

    // After the user clicked the encrypted box (its value taken): an
    // encrypted pet never shares its send and receive logs.
    void encryptedClicked();

    bool shareLogsEnabled() const { return !options.encrypted; }
    bool shareTreasuresEnabled() const { return !standardEdition_; }

private:
    bool standardEdition_;
};

// The settings dialog: the selected pet's name and options, whether they
// may be applied, and which boxes the user may change.
class SettingsForm {
public:
    explicit SettingsForm(bool standardEdition) : standardEdition_(standardEdition) {}

    std::string name;
    PetOptions options{false, false, false, false};

    // Loads a pet as it is stored: when the dialog opens, when the user
    // selects it, and after a change to it was applied. Nothing is changed
    // yet.
    void selectPet(int number, const std::string& petName, int storedStatus);
    // The user ticked a sharing box or typed in the name field.
    void userChanged();
    // After the user clicked the encrypted box (its value taken).
    void encryptedClicked();
    // The selected pet was thrown away: nothing is selected.
    void discarded();

    int selected() const { return selected_; }  // -1 when nothing is
    int storedStatus() const { return storedStatus_; }
    bool applyEnabled() const { return applyEnabled_; }
    bool shareLogsEnabled() const { return selected_ < 0 || !options.encrypted; }
    bool shareTreasuresEnabled() const { return !standardEdition_; }

private:
    bool standardEdition_;
    int selected_ = -1;
    int storedStatus_ = 0;
    bool applyEnabled_ = false;
};

// The options a stored status stands for.
PetOptions optionsOfStatus(int status);

}  // namespace orvane
