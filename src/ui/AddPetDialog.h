#pragma once

#include "ui/ByteLimitedField.h"
#include "ui/Dialog.h"
#include "ui/PetForms.h"

namespace orvane {
class PetApp;
}

namespace orvane::ui {

// Asks for a new pet's name and options and registers it; an encrypted
// pet's password is asked on OK. Ends with OK once the pet is registered; a
// refused name or a cancelled password leaves it open with its input.
class AddPetDialog : public Dialog {
public:
    explicit AddPetDialog(PetApp& app);

private:
    bool onInitDialog() override;
    void onCommand(int id, int notification) override;
    void onOk() override;

    void takeValues();
    void showValues();

    PetApp& app_;
    AddPetForm form_;
    ByteLimitedField name_;
};

}  // namespace orvane::ui
