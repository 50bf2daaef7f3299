// Starting the program: the first-run setup, the main window with the
// checks at start-up, and a pet named on the command line.

#include "OrvaneTest.h"

namespace orvane::e2e {
namespace {

const std::vector<std::wstring> kSamplePets{wide(kPetInPlace), wide(kPlainPet), wide(kEncryptedPet)};

TEST_F(Orvane, FirstRunFindsTheInstallationByItsUninstallEntryAndRegistersItsPets) {
    std::filesystem::remove(temp.fsPath("program\\Orvane.ini"));
    removeUninstallEntry(UninstallKey::First);  // as a test killed by its time limit may leave it
    {
        // The second version's entry, naming a folder without a host.
        writeUninstallEntry(UninstallKey::SecondVersion, wide(paths.programFolder));
        const Program orvane = start();
        HWND setup = dialog(orvane, L"初期設定");
        EXPECT_EQ(textOf(GetDlgItem(setup, IDC_SETUP_DIR)), wide(paths.programFolder));
        press(setup, IDOK);
        EXPECT_EQ(acknowledge(orvane, L"Orvane", "message-setup-host-not-found"), L"ヴェルモラが見つかりません。");
        EXPECT_TRUE(IsWindowVisible(setup)) << "the setup ended without a host";
        press(setup, IDCANCEL);
        ASSERT_TRUE(orvane.waitForExit()) << "Cancel did not end the program";
        EXPECT_FALSE(temp.exists("program\\Orvane.ini"));
    }
    writeUninstallEntry(UninstallKey::First, wide(paths.installDir));
    const Program orvane = start();
    HWND setup = dialog(orvane, L"初期設定", "setup-129");
    // The first entry goes first. Plain pets are listed first, then
    // encrypted ones; the host's old copy is no pet.
    EXPECT_EQ(textOf(GetDlgItem(setup, IDC_SETUP_DIR)), wide(paths.installDir));
    EXPECT_EQ(itemsOf(GetDlgItem(setup, IDC_SETUP_PETS)), kSamplePets);
    press(setup, IDC_SETUP_BROWSE);
    HWND browser = nullptr;
    waitUntil([&] {
        for (HWND window : findWindows(orvane.id(), kDialogClass)) browser = GetWindow(window, GW_OWNER) == setup ? window : browser;
        return browser != nullptr;
    });
    ASSERT_TRUE(browser && pressToClose(browser, IDCANCEL)) << "no folder browser that closes";
    EXPECT_EQ(textOf(GetDlgItem(setup, IDC_SETUP_DIR)), wide(paths.installDir)) << "changed by a cancelled browser";

    press(setup, IDOK);
    HWND mainWindow = dialog(orvane, kMainCaption);
    EXPECT_EQ(registry.installDir(), paths.installDir);
    EXPECT_EQ(registry.status(2), 11) << "the encrypted pet is registered as a plain one";
    EXPECT_EQ(itemsOf(GetDlgItem(mainWindow, IDC_MAIN_PETS)), kSamplePets);
    EXPECT_EQ(send(GetDlgItem(mainWindow, IDC_MAIN_PETS), CB_GETCURSEL), 0) << "the pet in place is not chosen";
    // Without a stored position the window is centred on the work area's size.
    RECT shown{}, work{};
    GetWindowRect(mainWindow, &shown);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(shown.left, (work.right - work.left - (shown.right - shown.left)) / 2);
    EXPECT_EQ(shown.top, (work.bottom - work.top - (shown.bottom - shown.top)) / 2);
    press(mainWindow, IDCANCEL);
    ASSERT_TRUE(orvane.waitForExit()) << "Exit did not end the program";
    EXPECT_EQ(registry.windowPosition().left, shown.left);
    EXPECT_EQ(registry.windowPosition().top, shown.top);
}

TEST_F(Orvane, MainWindowStartsOnceAndRunsAPlainPetUntilItsHostEnds) {
    ASSERT_TRUE(dir->rename("Velmora.exe", "Velmora.old"));
    const auto filesBefore = snapshot(temp.path());
    {
        const Program orvane = start();
        EXPECT_EQ(acknowledge(orvane, L"Orvane", "message-host-missing"),
                  L"ヴェルモラ本体が見つかりません。\nOrvane.ini を削除して再起動してください。");
        EXPECT_TRUE(orvane.waitForExit()) << "the program did not end after the message";
        EXPECT_EQ(snapshot(temp.path()), filesBefore);
    }
    ASSERT_TRUE(dir->rename("Velmora.old", "Velmora.exe"));

    const Program orvane = start();
    HWND mainWindow = dialog(orvane, kMainCaption, "main-102");
    {
        const Program second = start();
        bool secondShowedWindow = false;
        EXPECT_TRUE(waitUntil([&] {
            secondShowedWindow = secondShowedWindow || !findWindows(second.id(), {}).empty();
            return !second.running();
        })) << "a second copy still runs";
        EXPECT_FALSE(secondShowedWindow);
    }
    launch(orvane, 1);
    HWND host = hostSession();
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "the host does not show the plain pet";
    shot(host, "host-plain-pet");
    shot(waitForWindow(0, {}, kTrayCaption), "tray-icon");
    EXPECT_FALSE(IsWindowVisible(mainWindow)) << "the main window shows while the host runs";
    ASSERT_TRUE(endSession(host, orvane)) << "the program did not end with its host";
    EXPECT_TRUE(waitForNoWindow(0, {}, kTrayCaption)) << "the icon stays in the notification area";
}

TEST_F(Orvane, CommandLineANamedPetLaunchesUnseen) {
    ASSERT_TRUE(registry.setWindowPosition(40, 30));
    const Program orvane = start(L"-" + wide(kPlainPet));
    bool windowSeen = false;
    waitUntil([&] {
        for (HWND window : findWindows(orvane.id(), {})) windowSeen = windowSeen || isSeen(window);
        return !findWindows(0, kHostClass).empty();
    });
    EXPECT_FALSE(windowSeen) << "the main window showed";
    HWND host = hostSession();
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "the host does not show the named pet";
    ASSERT_TRUE(endSession(host, orvane)) << "the program did not end with its host";
    // The parking place of the unseen window is not a position to keep.
    EXPECT_EQ(registry.windowPosition().left, 40);
    EXPECT_EQ(registry.windowPosition().top, 30);
}

}  // namespace
}  // namespace orvane::e2e
