// The first start, when the settings file does not exist yet: the setup
// dialog finds the host through its installer's registry entry.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"
#include "support/UninstallEntry.h"
#include "support/WindowFinder.h"
#include "text/Cp932.h"

namespace orvane::e2e {
namespace {

using namespace program;

class FirstRun : public OrvaneTest {};

TEST_F(FirstRun, RegistersThePetsOfTheInstallationTheEntryNames) {
    const ScopedUninstallEntry entry(UninstallKey::First, installPathW());
    ChildProcess orvane = startOrvane();

    HWND dialog = waitForDialog(orvane, setup::kCaption);
    ASSERT_TRUE(dialog) << "no setup dialog";
    EXPECT_EQ(textOf(controlOf(dialog, setup::kInstallDir)), installPathW());
    // Plain pets first, then encrypted ones; the host's old copy is no pet.
    EXPECT_EQ(listItems(controlOf(dialog, setup::kPetList)), wide({kPetInPlace, kPlainPet, kEncryptedPet}));
    screenshot(dialog, "setup-129");

    press(dialog, kOk);
    HWND mainWindow = waitForDialog(orvane, main::kCaption);
    ASSERT_TRUE(mainWindow) << "no main window after the setup";

    EXPECT_EQ(registry().installDir(), installPath());
    EXPECT_EQ(registry().names(), (std::vector<std::string>{kPetInPlace, kPlainPet, kEncryptedPet}));
    EXPECT_EQ(registry().status(0), 7);
    EXPECT_EQ(registry().status(1), 7);
    EXPECT_EQ(registry().status(2), 11);
    EXPECT_EQ(registry().petInPlace(), 0);
    EXPECT_NE(settingsBytes().find(*text::utf8ToCp932(kPlainPet)), std::string::npos)
        << "the settings file holds its names in cp932";

    HWND combo = controlOf(mainWindow, main::kPetCombo);
    EXPECT_EQ(comboItems(combo), wide({kPetInPlace, kPlainPet, kEncryptedPet}));
    EXPECT_EQ(comboSelection(combo), 0) << "the pet in place is preselected";
    screenshot(mainWindow, "main-102");

    // Without a stored position the window is centred on the work area's size.
    RECT shown{}, work{};
    GetWindowRect(mainWindow, &shown);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(shown.left, (work.right - work.left - (shown.right - shown.left)) / 2);
    EXPECT_EQ(shown.top, (work.bottom - work.top - (shown.bottom - shown.top)) / 2);

    press(mainWindow, main::kExit);
    ASSERT_TRUE(orvane.waitForExit()) << "Exit did not end the program";
    const WindowPosition saved = registry().windowPosition();
    EXPECT_EQ(saved.left, shown.left);
    EXPECT_EQ(saved.top, shown.top);
}

// The shell's folder browser: its caption is the system's, the title the
// program gives it shows inside.
HWND waitForFolderBrowser(const ChildProcess& orvane) {
    HWND browser = nullptr;
    waitUntil([&] {
        for (HWND window : findWindows({orvane.id(), kDialogClass, {}})) {
            if (staticTexts(window).find(setup::kBrowserTitle) != std::wstring::npos) browser = window;
        }
        return browser != nullptr;
    });
    return browser;
}

TEST_F(FirstRun, FindsTheEntryOfTheSecondVersionAndKeepsItWhenBrowsingIsCancelled) {
    const ScopedUninstallEntry entry(UninstallKey::SecondVersion, installPathW());
    ChildProcess orvane = startOrvane();

    HWND dialog = waitForDialog(orvane, setup::kCaption);
    ASSERT_TRUE(dialog) << "no setup dialog";
    EXPECT_EQ(textOf(controlOf(dialog, setup::kInstallDir)), installPathW());

    press(dialog, setup::kBrowse);
    HWND browser = waitForFolderBrowser(orvane);
    ASSERT_TRUE(browser) << "no folder browser";
    screenshot(browser, "folder-browser");
    press(browser, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(browser); })) << "the folder browser stays";
    EXPECT_EQ(textOf(controlOf(dialog, setup::kInstallDir)), installPathW()) << "a cancelled browser changed it";
    EXPECT_EQ(listItems(controlOf(dialog, setup::kPetList)).size(), 3u);

    press(dialog, kCancel);
    EXPECT_TRUE(orvane.waitForExit());
}

TEST_F(FirstRun, CancelWithoutAnEntryWritesNothingAndEnds) {
    ChildProcess orvane = startOrvane();

    HWND dialog = waitForDialog(orvane, setup::kCaption);
    ASSERT_TRUE(dialog) << "no setup dialog";
    EXPECT_EQ(textOf(controlOf(dialog, setup::kInstallDir)), L"");
    // The program's own folder is searched instead, and it holds no pets.
    EXPECT_EQ(listItems(controlOf(dialog, setup::kPetList)), std::vector<std::wstring>{});

    // OK needs a host beside the pets; the dialog stays.
    press(dialog, kOk);
    HWND box = waitForDialog(orvane, kApplicationTitle);
    ASSERT_TRUE(box) << "no message about the missing host";
    EXPECT_EQ(staticTexts(box), kHostNotInFolder);
    screenshot(box, "message-setup-host-not-found");
    press(box, IDOK);
    ASSERT_TRUE(waitForNoWindow({orvane.id(), kDialogClass, kApplicationTitle}));
    EXPECT_TRUE(IsWindowVisible(dialog));

    press(dialog, kCancel);
    ASSERT_TRUE(orvane.waitForExit()) << "Cancel did not end the program";
    EXPECT_FALSE(settingsExist());
    EXPECT_TRUE(findWindows({0, kDialogClass, main::kCaption}).empty());
}

}  // namespace
}  // namespace orvane::e2e
