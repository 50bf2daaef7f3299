// The notification-area icon through a session: its menus, forced return, mail import,
// another pet, a backup of an encrypted pet in its session restored, and the end.

#include "OrvaneTest.h"
#include "session/BackupFolders.h"

namespace orvane::e2e {
namespace {

TEST_F(Orvane, TrayMenuWorksASessionToItsEnd) {
    write("errand.txt", "");  // the host sends the pet on an errand that began today
    // A drawer in the plain pet's own receive folder: its mail and list.
    ASSERT_TRUE(dir->makeFolder(kPlainPet + "_" + names.receiveFolder));
    write(kPlainPet + "_" + names.receiveFolder + "\\受信メール1.ppm", "ぽすけの引出しのメール");
    write(kPlainPet + "_" + names.receiveFolder + "\\受信メール1リスト.ppl", "");
    const auto clockBefore = std::chrono::system_clock::now();
    const Program orvane = start();
    HWND mainWindow = launch(orvane, 0);
    HWND host = hostSession();
    ASSERT_TRUE(waitForHostLog("errand", kPetInPlace)) << "the pet is not on an errand";
    // Each menu closed unchosen with Esc, which its loop reads from its thread's queue.
    for (const auto& [click, name] : {std::pair{WM_LBUTTONDOWN, "menu-pets"}, std::pair{WM_RBUTTONDOWN, "menu-actions"}}) {
        clickTray(mainWindow, click);
        HWND menu = expected(waitForWindow(orvane.id(), kMenuClass), name);
        shot(menu, name);
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(waitForNoWindow(orvane.id(), kMenuClass)) << name << " stays open";
    }

    // Wine refuses every change of the clock: the user is told, and the
    // host gets no key (checked when the program is idle at the end).
    trayCommand(mainWindow, ID_ACTION_FORCED_RETURN);
    EXPECT_NE(acknowledge(orvane, kErrorTitle, "message-forced-return-no-right").find(L"権限"), std::wstring::npos);

    // The import dialog holds the host's window and the icon's menus. OK
    // comes after the icon's message: a menu not dropped would be open.
    trayCommand(mainWindow, ID_ACTION_IMPORT_MAIL);
    HWND import = dialog(orvane, L"メールのインポート", "import-mail-146");
    EXPECT_TRUE(waitForHostLog("disabled")) << "the host's window stays enabled";
    EXPECT_EQ(itemsOf(GetDlgItem(import, IDC_IMPORT_DRAWERS)), std::vector<std::wstring>{L"受信メール1"});
    clickTray(mainWindow, WM_RBUTTONDOWN);
    press(import, IDOK);
    EXPECT_EQ(acknowledge(orvane, kDoneTitle, "message-import-done"), L"メールのインポートを完了しました。");
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(import); })) << "the import dialog stays open";
    EXPECT_TRUE(findWindows(orvane.id(), kMenuClass).empty()) << "a menu opened while the import dialog was open";
    EXPECT_TRUE(waitForHostLog("enabled")) << "the host's window stays disabled";
    EXPECT_EQ(read(names.receiveFolder + "\\受信メール.ppm"), "ぽすけの引出しのメール");

    // The encrypted pet from the pet menu, with mail arriving in its session.
    trayCommand(mainWindow, PetMenuFirstId + 2);
    givePassword(orvane, kPassword);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(host); })) << "the first host still runs";
    EXPECT_TRUE(waitForHostLog("seen", kEncryptedPet)) << "no host shows the chosen pet";
    host = hostSession();
    const std::string sessionMail = names.receiveFolder + "\\届いたメール.ppm";
    write(sessionMail, "mail of the session");

    trayCommand(mainWindow, ID_ACTION_BACKUP);
    EXPECT_EQ(GetWindow(dialog(orvane, kDoneTitle), GW_OWNER), host) << "the message is not on the host's window";
    EXPECT_EQ(acknowledge(orvane, kDoneTitle, "message-backup-done"), L"バックアップを作成しました。");
    const auto folders = listBackupFolders(*dir);
    ASSERT_EQ(folders.size(), 1u);
    trayCommand(mainWindow, ID_ACTION_RESTORE);
    HWND restore = dialog(orvane, L"バックアップから戻す");
    // The pets the settings file in the backup names.
    EXPECT_EQ(itemsOf(GetDlgItem(restore, IDC_RESTORE_PETS)), kSamplePets);
    choose(GetDlgItem(restore, IDC_RESTORE_PETS), 2);
    const std::string restored = restoredPetName(kEncryptedPet, folders.front());
    shot(restore, "restore-147");
    press(restore, IDOK);
    givePassword(orvane, kPassword);
    EXPECT_EQ(acknowledge(orvane, kDoneTitle, "message-restore-done"),
              L"「" + wide(restored) + L"」としてバックアップから戻しました。");
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(restore); })) << "the restore dialog stays open";
    EXPECT_EQ(registry.name(3), restored);
    EXPECT_TRUE(unpackCopy(restored, kPassword).contains(restored + "_" + sessionMail)) << "the session's mail is lost";

    trayCommand(mainWindow, ID_ACTION_EXIT);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end";
    EXPECT_TRUE(waitForNoWindow(0, kHostClass)) << "the host did not end";
    EXPECT_TRUE(waitForNoWindow(0, {}, kTrayCaption)) << "the icon stays in the notification area";
    EXPECT_FALSE(has(petFileInPlace)) << "the encrypted pet is left in the clear";
    EXPECT_EQ(read("standin-host.log").find("\nctrl+m"), std::string::npos) << "a key reached the host";
    EXPECT_LT(std::chrono::abs(std::chrono::system_clock::now() - clockBefore), std::chrono::hours(24)) << "the clock moved";
}

}  // namespace
}  // namespace orvane::e2e
