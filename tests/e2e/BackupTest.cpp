// The backup command of the action menu: a folder named after the moment,
// holding the pets, their mail and the settings.

#include "ProgramWindows.h"
#include "SessionTest.h"

namespace orvane::e2e {
namespace {

using namespace program;

class Backup : public SessionTest {
protected:
    // The folders of the installation directory named by 14 digits.
    std::vector<std::string> datedFolders() {
        std::vector<std::string> folders;
        for (const DirEntry& entry : installDir().list("*")) {
            const bool digits = entry.name.size() == 14 &&
                                entry.name.find_first_not_of("0123456789") == std::string::npos;
            if (entry.isFolder && digits) folders.push_back(entry.name);
        }
        return folders;
    }
};

TEST_F(Backup, CopiesThePetsTheirMailAndTheSettingsIntoADatedFolder) {
    ChildProcess orvane = startOrvane();
    HWND mainWindow = startSession(orvane, 0);
    ASSERT_TRUE(mainWindow) << "no host session";
    HWND host = waitForHostWindow();

    chooseTrayCommand(mainWindow, tray::kBackup);
    HWND box = waitForDialog(orvane, kDoneTitle);
    ASSERT_TRUE(box) << "no message at the end of the backup";
    EXPECT_EQ(GetWindow(box, GW_OWNER), host) << "the message does not belong to the host's window";
    EXPECT_EQ(acknowledgeBox(orvane, kDoneTitle, "message-backup-done"), kBackupDone);

    const auto folders = datedFolders();
    ASSERT_EQ(folders.size(), 1u);
    const auto backupDir = openInstallDir(installPath() + "\\" + folders.front());
    const FolderNameTable& names = hostNames();
    const std::string receiveMail = names.receiveFolder + "\\" + sampleMailName();
    const std::string sendMail = names.sendFolder + "\\送信メール1.ppm";
    // Old copies, backups of pet files, the treasures of the standard
    // edition, the host and its log stay out.
    const std::map<std::string, std::string> expected{
        {petFileInPlace(), readFile(petFileInPlace())},
        {kPlainPet + ".ppc", readFile(kPlainPet + ".ppc")},
        {kEncryptedPet + ".apd", readFile(kEncryptedPet + ".apd")},
        {"おともだち帳", readFile("おともだち帳")},
        {names.receiveFolder, "<folder>"},
        {receiveMail, readFile(receiveMail)},
        {names.sendFolder, "<folder>"},
        {sendMail, readFile(sendMail)},
        {"プラグインフォルダ", "<folder>"},
        {"Orvane.ini", settingsBytes()},
    };
    EXPECT_EQ(snapshotOf(*backupDir), expected);

    EXPECT_TRUE(exitFromTray(mainWindow, orvane));
}

}  // namespace
}  // namespace orvane::e2e
