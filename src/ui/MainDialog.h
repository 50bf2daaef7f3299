#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/WinHandle.h"
#include "session/HostSession.h"
#include "ui/Dialog.h"
#include "ui/Placement.h"

namespace orvane {
class PetApp;
}

namespace orvane::ui {

// The pet chooser: the registered pets, Launch, Settings and Exit. Runs for
// the program's whole life; hidden while a host session runs.
class MainDialog : public Dialog {
public:
    static constexpr UINT_PTR AutoLaunchTimer = 2;
    static constexpr UINT AutoLaunchDelayMs = 500;
    // Posted once the window is up: finish what a previous run left undone.
    static constexpr UINT RecoverMessage = WM_APP + 1;

    explicit MainDialog(PetApp& app);

private:
    bool onInitDialog() override;
    void onOk() override;
    void onCommand(int id, int notification) override;
    void onTimer(UINT_PTR id) override;
    void onDestroy() override;
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void fillPetCombo();
    bool launchSelected(const std::optional<std::string>& givenPassword = std::nullopt);
    // Launches the selected pet; shows the window again when no host started.
    void launchOrShow();
    void autoLaunch();
    void openSettings();
    ScreenRect placement() const;
    void moveTo(const ScreenRect& rect);
    void showAtPlacement();
    void savePosition();
    void paintMinimised();

    // The message hook (MainDialogHook.cpp): every message of the window
    // passes it before the dialog's own handling.
    static LRESULT CALLBACK hookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self);
    LRESULT hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void trayClicked(LPARAM mouseMessage);
    void runTrayCommand(int id);
    void switchPet(int index);
    std::vector<std::string> listedPets() const;

    PetApp& app_;
    win32::OwnedIcon smallIcon_;
    win32::OwnedIcon bigIcon_;
    ScreenRect initialWindowRect_;
    // Parked out of sight for a pet named on the command line: this
    // rectangle is never saved as the window's position.
    bool parked_ = false;
    UINT taskbarCreatedMessage_;
    // Set while an operation runs (a button, a menu command, the automatic
    // launch, the recovery at start-up): no other may start inside it, as
    // message boxes, dialogs and the import's loop run messages meanwhile.
    bool commandBusy_ = false;
    std::unique_ptr<HostSession> session_;
};

}  // namespace orvane::ui
