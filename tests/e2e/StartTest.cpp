// Starting the program: the first-run setup, the main window with its
// checks at start-up, and a pet named on the command line.

#include <filesystem>

#include "OrvaneTest.h"

namespace orvane::e2e {
namespace {

using FirstRun = OrvaneTest;
using MainWindow = OrvaneTest;
using CommandLine = OrvaneTest;

const std::vector<std::wstring> kSamplePets{wide(kPetInPlace), wide(kPlainPet), wide(kEncryptedPet)};

TEST_F(FirstRun, FindsTheInstallationByItsUninstallEntryAndRegistersItsPets) {
    std::filesystem::remove(temp.fsPath("program\\Orvane.ini"));
    {
        // The second version's entry names a folder without a host.
        writeUninstallEntry(UninstallKey::SecondVersion, wide(paths.programFolder));
        const Program orvane = start();
        HWND setup = dialog(orvane, L"初期設定");
        ASSERT_TRUE(setup) << "no setup dialog";
        EXPECT_EQ(textOf(GetDlgItem(setup, IDC_SETUP_DIR)), wide(paths.programFolder));
        EXPECT_EQ(itemsOf(GetDlgItem(setup, IDC_SETUP_PETS)), std::vector<std::wstring>{});
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
    ASSERT_TRUE(setup) << "no setup dialog";
    EXPECT_EQ(textOf(GetDlgItem(setup, IDC_SETUP_DIR)), wide(paths.installDir)) << "the first entry goes first";
    // Plain pets first, then encrypted ones; the host's old copy is no pet.
    EXPECT_EQ(itemsOf(GetDlgItem(setup, IDC_SETUP_PETS)), kSamplePets);
    // A cancelled folder browser changes nothing. Its caption is the
    // system's; the program's title shows inside.
    press(setup, IDC_SETUP_BROWSE);
    HWND browser = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        for (HWND window : findWindows(orvane.id(), kDialogClass)) {
            if (staticTexts(window).find(L"フォルダの選択") != std::wstring::npos) browser = window;
        }
        return browser != nullptr;
    })) << "no folder browser";
    ASSERT_TRUE(pressToClose(browser, IDCANCEL));
    EXPECT_EQ(textOf(GetDlgItem(setup, IDC_SETUP_DIR)), wide(paths.installDir));
    EXPECT_EQ(itemsOf(GetDlgItem(setup, IDC_SETUP_PETS)), kSamplePets);

    press(setup, IDOK);
    HWND mainWindow = dialog(orvane, kMainCaption);
    ASSERT_TRUE(mainWindow) << "no main window after the setup";
    EXPECT_EQ(registry.installDir(), paths.installDir);
    EXPECT_EQ(registry.names(), (std::vector<std::string>{kPetInPlace, kPlainPet, kEncryptedPet}));
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

TEST_F(MainWindow, StartsOnceAndRunsAPlainPetUntilItsHostEnds) {
    const std::string settingsBefore = settingsBytes();
    ASSERT_TRUE(dir->rename("Velmora.exe", "Velmora.old"));
    {
        const Program orvane = start();
        EXPECT_EQ(acknowledge(orvane, L"Orvane", "message-host-missing"),
                  L"ヴェルモラ本体が見つかりません。\nOrvane.ini を削除して再起動してください。");
        EXPECT_TRUE(orvane.waitForExit()) << "the program did not end after the message";
        EXPECT_EQ(settingsBytes(), settingsBefore);
    }
    ASSERT_TRUE(dir->rename("Velmora.old", "Velmora.exe"));

    const Program orvane = start();
    HWND mainWindow = dialog(orvane, kMainCaption, "main-102");
    ASSERT_TRUE(mainWindow) << "no main window";
    EXPECT_EQ(itemsOf(GetDlgItem(mainWindow, IDC_MAIN_PETS)), kSamplePets);
    {
        const Program second = start();
        bool secondShowedWindow = false;
        EXPECT_TRUE(waitUntil([&] {
            secondShowedWindow = secondShowedWindow || !findWindows(second.id(), {}).empty();
            return !second.running();
        })) << "a second copy still runs";
        EXPECT_FALSE(secondShowedWindow);
    }

    ASSERT_EQ(launch(orvane, 1), mainWindow);
    HWND host = hostSession();
    ASSERT_TRUE(host) << "no host session";
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "the host does not show the plain pet";
    EXPECT_EQ(registry.petInPlace(), 1);
    shot(host, "host-plain-pet");
    shot(waitForWindow(0, {}, kTrayCaption), "tray-icon");
    EXPECT_FALSE(IsWindowVisible(mainWindow)) << "the main window shows while the host runs";
    PostMessageW(host, WM_CLOSE, 0, 0);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with its host";
    EXPECT_TRUE(waitForNoWindow(0, {}, kTrayCaption)) << "the icon stays in the notification area";
    EXPECT_EQ(registry.windowPosition().left, mainWindowShownAt.left);
    EXPECT_EQ(registry.windowPosition().top, mainWindowShownAt.top);
}

TEST_F(CommandLine, ANamedPetLaunchesUnseenAndAnyOtherNameShowsTheWindow) {
    {
        const Program orvane = start(L"/にゃんこ");
        HWND mainWindow = dialog(orvane, kMainCaption);
        ASSERT_TRUE(mainWindow) << "no main window";
        EXPECT_TRUE(waitUntil([&] { return isSeen(mainWindow); })) << "the main window is not seen";
        EXPECT_EQ(send(GetDlgItem(mainWindow, IDC_MAIN_PETS), CB_GETCURSEL), 0);
        press(mainWindow, IDCANCEL);
        ASSERT_TRUE(orvane.waitForExit());
        EXPECT_FALSE(has("standin-host.log")) << "a host was started";
    }
    ASSERT_TRUE(registry.setWindowPosition(40, 30));
    const Program orvane = start(L"-" + wide(kPlainPet));
    bool windowSeen = false;
    std::vector<HWND> hosts;
    waitUntil(
        [&] {
            for (HWND window : findWindows(orvane.id(), {})) windowSeen = windowSeen || isSeen(window);
            return !(hosts = findWindows(0, kHostClass)).empty();
        },
        kWait, milliseconds{10});
    ASSERT_FALSE(hosts.empty()) << "the host did not start";
    EXPECT_FALSE(windowSeen) << "the main window showed";
    ASSERT_TRUE(hostSession()) << "no host session";
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "the host does not show the named pet";
    PostMessageW(hosts.front(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with its host";
    // The parking place of the unseen window is not a position to keep.
    EXPECT_EQ(registry.windowPosition().left, 40);
    EXPECT_EQ(registry.windowPosition().top, 30);
}

}  // namespace
}  // namespace orvane::e2e
