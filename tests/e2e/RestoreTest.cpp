// Backups a user can trust: the encrypted pet of the running session goes
// into the backup with the mail it got in that session, and comes back
// from the backup as a new pet that keeps that mail.

#include "ProgramWindows.h"
#include "SessionTest.h"
#include "session/BackupFolders.h"
#include "support/Controls.h"
#include "support/Wait.h"

namespace orvane::e2e {
namespace {

using namespace program;

constexpr int kEncryptedPetIndex = 2;
const std::string kSessionMail = "届いたメール.ppm";

class Restore : public SessionTest {
protected:
    // Answers the password dialog of the process.
    void givePassword(const ChildProcess& process, const std::string& password) {
        HWND dialog = waitForDialog(process, password::kCaption);
        ASSERT_TRUE(dialog) << "no password dialog";
        setText(controlOf(dialog, password::kField), wide(password));
        ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(controlOf(dialog, kOk)) != FALSE; }));
        press(dialog, kOk);
    }

    // A host started after the first `skipped` lines of its log shows the
    // pet with two mails in its receive folder.
    bool hostShowsTwoMailsOf(const std::string& pet, std::size_t skipped = 0) {
        return waitUntil([&] {
            const auto lines = hostLog();
            for (std::size_t i = skipped; i < lines.size(); ++i) {
                const std::string& line = lines[i];
                if (line.starts_with("seen ") && line.find(" receive-mail=2 ") != std::string::npos &&
                    line.ends_with("pet=" + pet)) {
                    return true;
                }
            }
            return false;
        });
    }
};

TEST_F(Restore, AnEncryptedPetBackedUpInItsSessionComesBackWithTheMailOfThatSession) {
    const std::string mailInPlace = hostNames().receiveFolder + "\\" + kSessionMail;
    std::string restoredName;
    {
        ChildProcess orvane = startOrvane();
        HWND mainWindow = launchFromMainWindow(orvane, kEncryptedPetIndex);
        ASSERT_TRUE(mainWindow) << "no main window";
        givePassword(orvane, kPassword);
        ASSERT_TRUE(waitForHostSession()) << "no host session";
        installDir().openWrite(mailInPlace, OpenForWrite::CreateOrTruncate)->write("mail of the session", 19);
        ASSERT_TRUE(hostShowsTwoMailsOf(kEncryptedPet)) << "the host does not see the new mail";

        chooseTrayCommand(mainWindow, tray::kBackup);
        EXPECT_EQ(acknowledgeBox(orvane, kDoneTitle, "message-backup-encrypted-session"), kBackupDone);
        const auto folders = listBackupFolders(installDir());
        ASSERT_EQ(folders.size(), 1u);
        const std::string& folder = folders.front();

        chooseTrayCommand(mainWindow, tray::kRestore);
        HWND dialog = waitForDialog(orvane, restore::kCaption);
        ASSERT_TRUE(dialog) << "no restore dialog";
        EXPECT_EQ(comboItems(controlOf(dialog, restore::kBackups)),
                  std::vector<std::wstring>{wide(backupFolderCaption(folder))});
        EXPECT_EQ(listItems(controlOf(dialog, restore::kPets)), wide({kPetInPlace, kPlainPet, kEncryptedPet}));
        chooseListItem(controlOf(dialog, restore::kPets), kEncryptedPetIndex);
        restoredName = restoredPetName(kEncryptedPet, folder);
        HWND name = controlOf(dialog, restore::kName);
        ASSERT_TRUE(waitUntil([&] { return textOf(name) == wide(restoredName); }))
            << "the name offered is not the default";
        screenshot(dialog, "restore-147");

        press(dialog, kOk);
        givePassword(orvane, "wrong-1");
        EXPECT_EQ(acknowledgeBox(orvane, kErrorTitle, "message-restore-wrong-password"), kWrongPassword);
        press(dialog, kOk);
        givePassword(orvane, kPassword);
        EXPECT_EQ(acknowledgeBox(orvane, kDoneTitle, "message-restore-done"),
                  L"「" + wide(restoredName) + L"」としてバックアップから戻しました。");
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); })) << "the restore dialog stays open";

        ASSERT_EQ(registry().name(3), restoredName);
        EXPECT_TRUE(exitFromTray(mainWindow, orvane));
    }

    const std::size_t firstSession = hostLog().size();
    ChildProcess orvane = startOrvane();
    ASSERT_TRUE(launchFromMainWindow(orvane, 3)) << "no main window";
    givePassword(orvane, kPassword);
    HWND host = waitForHostSession();
    ASSERT_TRUE(host) << "the restored pet did not start";
    EXPECT_TRUE(hostShowsTwoMailsOf(kEncryptedPet, firstSession))
        << "the restored pet lacks the mail of the first session";
    EXPECT_EQ(readFile(mailInPlace), "mail of the session");
    screenshot(host, "host-restored-pet");
    PostMessageW(host, WM_CLOSE, 0, 0);
    EXPECT_TRUE(orvane.waitForExit());
}

}  // namespace
}  // namespace orvane::e2e
