// The notification-area icon during a session: its menus, forced return,
// mail import, another pet, backup and restore, and the end of the program.

#include <algorithm>

#include "OrvaneTest.h"
#include "session/BackupFolders.h"

namespace orvane::e2e {
namespace {

using TrayMenu = OrvaneTest;

ULONGLONG systemTimeNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

TEST_F(TrayMenu, WorksTheSessionAndEndsItWithTheProgram) {
    write("errand.txt", "");  // the host sends the pet on an errand that began today
    // A drawer in the plain pet's own receive folder: its mail and list.
    ASSERT_TRUE(dir->makeFolder(kPlainPet + "_" + names.receiveFolder));
    write(kPlainPet + "_" + names.receiveFolder + "\\受信メール1.ppm", "ぽすけの引出しのメール");
    write(kPlainPet + "_" + names.receiveFolder + "\\受信メール1リスト.ppl", "");
    const ULONGLONG clockBefore = systemTimeNow();
    const Program orvane = start();
    HWND mainWindow = launch(orvane, 0);
    HWND host = mainWindow ? hostSession() : nullptr;
    ASSERT_TRUE(host) << "no host session";
    ASSERT_TRUE(waitForHostLog("errand", kPetInPlace)) << "the pet is not on an errand";
    // Each menu saved and closed unchosen with Esc, which its loop reads from its thread's queue.
    for (const auto& [click, name] : {std::pair{WM_LBUTTONDOWN, "menu-pets"}, std::pair{WM_RBUTTONDOWN, "menu-actions"}}) {
        clickTray(mainWindow, click);
        HWND menu = waitForWindow(orvane.id(), kMenuClass);
        ASSERT_TRUE(menu) << "no menu " << name;
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
    ASSERT_TRUE(import) << "no import dialog";
    EXPECT_TRUE(waitForHostLog("disabled")) << "the host's window stays enabled";
    EXPECT_EQ(itemsOf(GetDlgItem(import, IDC_IMPORT_PETS)), std::vector<std::wstring>{wide(kPlainPet)});
    const auto drawers = itemsOf(GetDlgItem(import, IDC_IMPORT_DRAWERS));
    const auto drawer = std::find(drawers.begin(), drawers.end(), L"受信メール1");
    ASSERT_NE(drawer, drawers.end()) << "the drawer is not offered";
    choose(GetDlgItem(import, IDC_IMPORT_DRAWERS), static_cast<int>(drawer - drawers.begin()));
    clickTray(mainWindow, WM_RBUTTONDOWN);
    press(import, IDOK);
    EXPECT_EQ(acknowledge(orvane, kDoneTitle, "message-import-done"), L"メールのインポートを完了しました。");
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(import); })) << "the import dialog stays open";
    EXPECT_TRUE(findWindows(orvane.id(), kMenuClass).empty()) << "a menu opened while the import dialog was open";
    EXPECT_TRUE(waitForHostLog("enabled")) << "the host's window stays disabled";
    EXPECT_EQ(read(names.receiveFolder + "\\受信メール.ppm"), "ぽすけの引出しのメール");

    trayCommand(mainWindow, PetMenuFirstId + 1);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(host); })) << "the first host still runs";
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "no host shows the chosen pet";
    ASSERT_TRUE(hostSession()) << "no session with the chosen pet";
    EXPECT_FALSE(IsWindowVisible(mainWindow)) << "the main window shows while the host runs";

    trayCommand(mainWindow, ID_ACTION_EXIT);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end";
    EXPECT_TRUE(waitForNoWindow(0, kHostClass)) << "the host did not end";
    EXPECT_TRUE(waitForNoWindow(0, {}, kTrayCaption)) << "the icon stays in the notification area";
    for (const std::string& line : hostLog()) EXPECT_FALSE(line.starts_with("ctrl+m")) << line;
    EXPECT_LT(systemTimeNow() - clockBefore, 24ULL * 60 * 60 * 10000000) << "the clock was moved";
}

// The encrypted pet goes into the backup as it is in its session, and
// comes back under a new name with the mail of that session.
TEST_F(TrayMenu, BacksUpAnEncryptedPetInItsSessionAndRestoresIt) {
    const std::string sessionMail = names.receiveFolder + "\\届いたメール.ppm";
    const Program orvane = start();
    HWND mainWindow = launch(orvane, 2);
    ASSERT_TRUE(mainWindow) << "no main window";
    givePassword(orvane, kPassword);
    HWND host = hostSession();
    ASSERT_TRUE(host) << "no host session";
    write(sessionMail, "mail of the session");

    trayCommand(mainWindow, ID_ACTION_BACKUP);
    HWND box = dialog(orvane, kDoneTitle);
    EXPECT_TRUE(box && GetWindow(box, GW_OWNER) == host) << "no message on the host's window";
    EXPECT_EQ(acknowledge(orvane, kDoneTitle, "message-backup-done"), L"バックアップを作成しました。");
    const auto folders = listBackupFolders(*dir);
    ASSERT_EQ(folders.size(), 1u);

    trayCommand(mainWindow, ID_ACTION_RESTORE);
    HWND restore = dialog(orvane, L"バックアップから戻す");
    ASSERT_TRUE(restore) << "no restore dialog";
    EXPECT_EQ(itemsOf(GetDlgItem(restore, IDC_RESTORE_BACKUPS)),
              std::vector<std::wstring>{wide(backupFolderCaption(folders.front()))});
    // The pets the settings file in the backup names.
    EXPECT_EQ(itemsOf(GetDlgItem(restore, IDC_RESTORE_PETS)),
              (std::vector<std::wstring>{wide(kPetInPlace), wide(kPlainPet), wide(kEncryptedPet)}));
    choose(GetDlgItem(restore, IDC_RESTORE_PETS), 2);
    const std::string restored = restoredPetName(kEncryptedPet, folders.front());
    EXPECT_TRUE(waitUntil([&] { return textOf(GetDlgItem(restore, IDC_RESTORE_NAME)) == wide(restored); }));
    shot(restore, "restore-147");
    // A wrong password is told, and the dialog stays for another try.
    press(restore, IDOK);
    givePassword(orvane, "wrong-1");
    EXPECT_EQ(acknowledge(orvane, kErrorTitle, "message-restore-wrong-password"), L"パスワードが不正です。");
    press(restore, IDOK);
    givePassword(orvane, kPassword);
    EXPECT_EQ(acknowledge(orvane, kDoneTitle, "message-restore-done"),
              L"「" + wide(restored) + L"」としてバックアップから戻しました。");
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(restore); })) << "the restore dialog stays open";
    EXPECT_EQ(registry.name(3), restored);
    EXPECT_TRUE(unpackCopy(restored, kPassword).contains(restored + "_" + sessionMail)) << "the session's mail is lost";
}

}  // namespace
}  // namespace orvane::e2e
