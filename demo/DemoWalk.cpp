#include "DemoWalk.h"

#include <cstdio>

#include "resource.h"
#include "support/Driver.h"

namespace orvane::e2e {

namespace {

class DemoWalk {
public:
    DemoWalk(const SampleInstallation& demo, std::wstring screenshotFolder)
        : program_(wide(demo.programFolder) + L"\\Orvane.exe"), folder_(wide(demo.programFolder)),
          shots_(std::move(screenshotFolder)) {}

    bool firstStartAndPlainPet();
    bool encryptedPet(const std::string& demoPassword);

private:
    static HWND dialog(const Program& orvane, const wchar_t* caption, const char* what) {
        HWND window = waitForWindow(orvane.id(), kDialogClass, caption);
        if (!window) std::printf("demo: no %s appeared\n", what);
        return window;
    }

    void shot(HWND window, const char* name) const {
        if (window && saveShot(window, shots_ + L"\\" + wide(name) + L".png")) std::printf("  %s.png\n", name);
    }

    // Selects the pet and presses Launch.
    static void launch(HWND mainWindow, int pet) {
        choose(GetDlgItem(mainWindow, IDC_MAIN_PETS), pet);
        press(mainWindow, IDOK);
    }

    // Shows the host with its pet, then closes it as a user would, which
    // ends the program.
    bool hostSession(const Program& orvane, const char* name) const {
        HWND host = waitForWindow(0, L"TMainWnd");
        // The icon shows that the program watches the host: only a host
        // closed after that ends the program.
        if (!host || !waitForWindow(0, {}, L"Wine System Tray")) {
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
    const Program orvane(program_, L"", folder_);
    HWND setupDialog = dialog(orvane, L"初期設定", "first-run setup");
    if (!setupDialog) return false;
    shot(setupDialog, "setup-129");
    press(setupDialog, IDOK);

    HWND mainWindow = dialog(orvane, L"オルヴェイン", "main window");
    if (!mainWindow) return false;
    shot(mainWindow, "main-102");
    launch(mainWindow, 1);
    shot(waitForWindow(0, {}, L"Wine System Tray"), "tray-icon");
    return hostSession(orvane, "host-plain-pet");
}

bool DemoWalk::encryptedPet(const std::string& demoPassword) {
    const Program orvane(program_, L"", folder_);
    HWND mainWindow = dialog(orvane, L"オルヴェイン", "main window");
    if (!mainWindow) return false;
    launch(mainWindow, 2);

    HWND passwordDialog = dialog(orvane, L"暗号化ペット", "password dialog");
    if (!passwordDialog) return false;
    setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), wide(demoPassword));
    shot(passwordDialog, "password-133");
    press(passwordDialog, IDOK);
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
