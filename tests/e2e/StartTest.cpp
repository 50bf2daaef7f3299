// Starting the program: the first-run setup, the checks at start-up, and a
// pet named on the command line.

#include "OrvaneTest.h"

namespace orvane::e2e {
namespace {

TEST_F(Orvane, FirstRunFindsTheInstallationByItsUninstallEntryAndRegistersItsPets) {
    std::filesystem::remove(temp.fsPath("program\\Orvane.ini"));
    writeUninstallEntry(wide(paths.installDir));
    const Program orvane = start();
    HWND setup = dialog(orvane, L"初期設定", "setup-129");
    // Plain pets are listed first, then encrypted ones; the host's old copy is no pet.
    EXPECT_EQ(textOf(GetDlgItem(setup, IDC_SETUP_DIR)), wide(paths.installDir));
    EXPECT_EQ(itemsOf(GetDlgItem(setup, IDC_SETUP_PETS)), kSamplePets);

    press(setup, IDOK);
    HWND mainWindow = dialog(orvane, kMainCaption, "main-102");
    EXPECT_EQ(registry.installDir(), paths.installDir);
    EXPECT_EQ(registry.status(2), 11) << "the encrypted pet is registered as a plain one";
    EXPECT_EQ(itemsOf(GetDlgItem(mainWindow, IDC_MAIN_PETS)), kSamplePets);
    EXPECT_EQ(send(GetDlgItem(mainWindow, IDC_MAIN_PETS), CB_GETCURSEL), 0) << "the pet in place is not chosen";
    // Where it was placed is kept when it closes.
    RECT shown{};
    GetWindowRect(mainWindow, &shown);
    press(mainWindow, IDCANCEL);
    ASSERT_TRUE(orvane.waitForExit()) << "Exit did not end the program";
    EXPECT_EQ(registry.windowPosition().left, shown.left);
    EXPECT_EQ(registry.windowPosition().top, shown.top);
}

// The main window's launch is the encrypted session's test.
TEST_F(Orvane, StartsOnceAndANamedPetRunsUnseenUntilItsHostEnds) {
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

    ASSERT_TRUE(registry.setWindowPosition(40, 30));
    const Program orvane = start(L"-" + wide(kPlainPet));
    bool windowSeen = false;
    waitUntil([&] {
        for (HWND window : findWindows(orvane.id(), {})) windowSeen = windowSeen || isSeen(window);
        return !findWindows(0, kHostClass).empty();
    });
    EXPECT_FALSE(windowSeen) << "the main window showed";
    HWND host = hostSession();
    {
        const Program second = start();
        bool secondShowedWindow = false;
        EXPECT_TRUE(waitUntil([&] {
            secondShowedWindow = secondShowedWindow || !findWindows(second.id(), {}).empty();
            return !second.running();
        })) << "a second copy still runs";
        EXPECT_FALSE(secondShowedWindow);
    }
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "the host does not show the named pet";
    shot(host, "host-plain-pet");
    shot(waitForWindow(0, {}, kTrayCaption), "tray-icon");
    ASSERT_TRUE(endSession(host, orvane)) << "the program did not end with its host";
    EXPECT_TRUE(waitForNoWindow(0, {}, kTrayCaption)) << "the icon stays in the notification area";
    // The parking place of the unseen window is not a position to keep.
    EXPECT_EQ(registry.windowPosition().left, 40);
    EXPECT_EQ(registry.windowPosition().top, 30);
}

}  // namespace
}  // namespace orvane::e2e
