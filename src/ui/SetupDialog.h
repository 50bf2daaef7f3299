#pragma once

#include <string>
#include <vector>

#include "app/PetRegistry.h"
#include "ui/Dialog.h"

namespace orvane::ui {

// The first-run setup: finds the host's installation directory through its
// uninstall entry or the folder browser, lists the pets already there and,
// on OK, writes the first pet registry and the directory.
class SetupDialog : public Dialog {
public:
    SetupDialog(PetRegistry& registry, std::string settingsPath, std::string programFolder);

private:
    bool onInitDialog() override;
    void onCommand(int id, int notification) override;
    void onOk() override;

    void fillPetList();
    void browse();

    PetRegistry& registry_;
    std::string settingsPath_;
    std::string installDir_;   // shown in the directory field
    // The folder last listed, where OK looks for the host: the chosen
    // directory, or the one before when the chosen one cannot be entered.
    std::string listedDir_;
    std::vector<std::string> pets_;
};

}  // namespace orvane::ui
