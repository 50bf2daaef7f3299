#include "DemoWalk.h"

#include <cstdio>

#include "ProgramWindows.h"
#include "platform/win32/WideString.h"
#include "support/ChildProcess.h"
#include "support/Controls.h"
#include "support/Screenshot.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {

namespace {

using namespace program;

std::wstring wide(const std::string& utf8) { return win32::toWide(utf8).value_or(L""); }

class DemoWalk {
public:
    DemoWalk(const SampleInstallation& demo, std::wstring screenshotFolder)
        : program_(wide(demo.programFolder) + L"\\Orvane.exe"), folder_(wide(demo.programFolder)),
          shots_(std::move(screenshotFolder)) {}

    bool firstStartAndPlainPet();
    bool encryptedPet(const std::string& demoPassword);

private:
    HWND dialog(const ChildProcess& orvane, const wchar_t* caption, const char* what) const {
        HWND window = waitForWindow({orvane.id(), kDialogClass, caption});
        if (!window) std::printf("demo: no %s appeared\n", what);
        return window;
    }

    void shot(HWND window, const char* name) const {
        const std::wstring path = shots_ + L"\\" + wide(name) + L".png";
        if (saveWindowShot(window, path)) std::printf("  %s.png\n", name);
    }

    // Selects the pet and presses Launch.
    static void launch(HWND mainWindow, int pet) {
        selectComboItem(controlOf(mainWindow, main::kPetCombo), pet);
        press(mainWindow, main::kLaunch);
    }

    // Shows the host with its pet, then closes it as a user would, which
    // ends the program.
    bool hostSession(const ChildProcess& orvane, const char* name) const {
        HWND host = waitForWindow({0, kHostWindowClass, {}});
        // The icon shows that the program watches the host: only a host
        // closed after that ends the program.
        if (!host || !waitForWindow(kTrayWithIcons)) {
            std::printf("demo: the host did not start\n");
            return false;
        }
        shot(host, name);
        PostMessageW(host, WM_CLOSE, 0, 0);
        if (!orvane.waitForExit()) {
            std::printf("demo: the program did not end with the host\n");
            return false;
        }
        return true;
    }

    std::wstring program_;
    std::wstring folder_;
    std::wstring shots_;
};

bool DemoWalk::firstStartAndPlainPet() {
    const ChildProcess orvane(program_, L"", folder_);
    HWND setupDialog = dialog(orvane, setup::kCaption, "first-run setup");
    if (!setupDialog) return false;
    shot(setupDialog, "setup-129");
    press(setupDialog, kOk);

    HWND mainWindow = dialog(orvane, main::kCaption, "main window");
    if (!mainWindow) return false;
    shot(mainWindow, "main-102");
    launch(mainWindow, 1);
    if (HWND tray = waitForWindow(kTrayWithIcons)) shot(tray, "tray-icon");
    return hostSession(orvane, "host-plain-pet");
}

bool DemoWalk::encryptedPet(const std::string& demoPassword) {
    const ChildProcess orvane(program_, L"", folder_);
    HWND mainWindow = dialog(orvane, main::kCaption, "main window");
    if (!mainWindow) return false;
    launch(mainWindow, 2);

    HWND passwordDialog = dialog(orvane, password::kCaption, "password dialog");
    if (!passwordDialog) return false;
    setText(controlOf(passwordDialog, password::kField), wide(demoPassword));
    shot(passwordDialog, "password-133");
    press(passwordDialog, kOk);
    return hostSession(orvane, "host-encrypted-pet");
}

}  // namespace

bool walkThroughDemo(const SampleInstallation& demo, const std::string& password,
                     const std::wstring& screenshotFolder) {
    CreateDirectoryW(screenshotFolder.c_str(), nullptr);
    DemoWalk walk(demo, screenshotFolder);
    return walk.firstStartAndPlainPet() && walk.encryptedPet(password);
}

}  // namespace orvane::e2e
