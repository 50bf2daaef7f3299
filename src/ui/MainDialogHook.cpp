// The main window's message hook: the notification-area icon's menus and
// the commands they send. It sees every message before the dialog's own
// handling, which it calls as the default processing.

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <stdexcept>

#include "app/PetApp.h"
#include "import/ImportMailDialog.h"
#include "resource.h"
#include "session/TrayCommands.h"
#include "session/TrayMenus.h"
#include "ui/MainDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/RestoreDialog.h"

namespace orvane::ui {

namespace {

// commandBusy for as long as one command runs, whatever way it ends.
class BusyWhileAlive {
public:
    explicit BusyWhileAlive(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyWhileAlive() { busy_ = false; }
    BusyWhileAlive(const BusyWhileAlive&) = delete;
    BusyWhileAlive& operator=(const BusyWhileAlive&) = delete;

private:
    bool& busy_;
};

}  // namespace

LRESULT CALLBACK MainDialog::hookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, &MainDialog::hookProcedure, 0);
    // A command that fails ends here with the error box; Windows never
    // sees the exception.
    try {
        return reinterpret_cast<MainDialog*>(self)->hook(window, message, wParam, lParam);
    } catch (const std::exception& error) {
        showErrorBox(window, error);
    } catch (...) {
        showErrorBox(window, std::runtime_error("unknown error"));
    }
    return 0;
}

LRESULT MainDialog::hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool startsOperation = message == WM_COMMAND || message == RecoverMessage ||
                                 (message == WM_TIMER && wParam == AutoLaunchTimer);
    if (message != TrayCallbackMessage && !startsOperation) return ::DefSubclassProc(window, message, wParam, lParam);
    // One operation at a time: whatever arrives while one runs (its password
    // dialog and message boxes let messages through) is dropped, not queued.
    if (commandBusy_) return 0;
    if (message == TrayCallbackMessage) {
        // The menu's command comes afterwards, as an operation of its own.
        trayClicked(lParam);
        return 0;
    }
    const BusyWhileAlive busy(commandBusy_);
    if (message == RecoverMessage) {
        session_->recover();
        return 0;
    }
    if (message == WM_COMMAND) runTrayCommand(LOWORD(wParam));
    // The window's own buttons and timers, and the dialog defaults.
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void MainDialog::trayClicked(LPARAM mouseMessage) {
    switch (trayMenuFor(mouseMessage)) {
    case TrayMenu::Pets: showPetMenu(window(), listedPets(), selection(IDC_MAIN_PETS)); break;
    case TrayMenu::Actions: showActionMenu(window()); break;
    case TrayMenu::None: break;
    }
}

std::vector<std::string> MainDialog::listedPets() const {
    std::vector<std::string> pets;
    for (int i = 0; i < itemCount(IDC_MAIN_PETS); ++i) pets.push_back(itemTextAt(IDC_MAIN_PETS, i));
    return pets;
}

void MainDialog::runTrayCommand(int id) {
    const TrayCommand command = trayCommand(id, itemCount(IDC_MAIN_PETS));
    // The menus exist only while a host session runs; a command that
    // arrives otherwise has nothing to act on.
    if (command.kind == TrayCommandKind::None || session_->hostMainWindow() == 0) return;
    switch (command.kind) {
    case TrayCommandKind::SwitchPet: switchPet(command.pet); break;
    case TrayCommandKind::ImportMail: RunMailImport(app_, win32::toHwnd(session_->hostMainWindow())); break;
    case TrayCommandKind::Backup: session_->backup(); break;
    case TrayCommandKind::Restore:
        // The restored pet joins the pet menu at once.
        if (RunRestore(app_, win32::toHwnd(session_->hostMainWindow()))) fillPetCombo();
        break;
    case TrayCommandKind::ForcedReturn: session_->forcedReturn(); break;
    case TrayCommandKind::Exit: session_->requestExit(); break;
    case TrayCommandKind::None: break;
    }
}

// The host is closed and started again with the chosen pet, also when it
// is the current one.
void MainDialog::switchPet(int index) {
    if (!session_->closeHostAndWait()) return;
    try {
        session_->end();
    } catch (...) {
        // The session is over: without the window the program could not
        // be reached.
        showAtPlacement();
        throw;
    }
    select(IDC_MAIN_PETS, index);
    launchOrShow();
}

}  // namespace orvane::ui
