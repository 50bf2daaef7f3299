#pragma once

#include <windows.h>

#include "app/HostNames.h"
#include "import/MailImport.h"
#include "ui/Dialog.h"

namespace orvane {

class PetApp;

// The mail import dialog: the other pets, the current pet's receive or send
// box and its drawers; Import copies the chosen drawer over the current
// tray. Modeless, over the host's main window, which it keeps disabled
// while it is open; the host's send and receive windows are asked to close.
class ImportMailDialog : public ui::Dialog {
public:
    explicit ImportMailDialog(PetApp& app);
    ~ImportMailDialog() override;

private:
    bool onInitDialog() override;
    void onCommand(int id, int notification) override;
    void onOk() override;
    void onCancel() override;

    // Gives the host its main window back and destroys the dialog.
    void close();
    MailBox selectedBox() const;
    void fillDrawerList();

    PetApp& app_;
    HostEdition edition_;
};

// The action menu's import command: shows the host's main window and keeps
// the dialog alive with a message loop of its own until the dialog closes
// or the host's main window goes, which closes the dialog too.
void RunMailImport(PetApp& app, HWND hostMainWindow);

}  // namespace orvane
