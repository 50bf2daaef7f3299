#pragma once

#include "ui/ByteLimitedField.h"
#include "ui/Dialog.h"
#include "ui/PetForms.h"

namespace orvane {
class PetApp;
}

namespace orvane::ui {

// Where the user maintains the pets: every registered pet, the selected
// one's name and options, Apply, Add, Discard, Back and About. Ends with OK
// only after a pet was added, which the main window then launches.
class SettingsDialog : public Dialog {
public:
    explicit SettingsDialog(PetApp& app);

private:
    bool onInitDialog() override;
    void onCommand(int id, int notification) override;
    void onOk() override;  // Add

    void selectionChanged();
    void encryptedClicked();
    void markChanged();
    void apply();
    void discard();
    void about();
    // Lists the pets as the registry has them now and selects one (-1:
    // none) as it is stored.
    void showPets(int selected);
    void takeValues();
    void showValues();

    PetApp& app_;
    SettingsForm form_;
    ByteLimitedField name_;
};

}  // namespace orvane::ui
