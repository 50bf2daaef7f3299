// The mail import of the action menu: a drawer of a swapped-out pet copied
// into the current pet's empty tray, never over mail; the icon's menus
// rest while its dialog is open.

#include <algorithm>

#include "ProgramWindows.h"
#include "SessionTest.h"
#include "support/Controls.h"
#include "support/PopupMenu.h"

namespace orvane::e2e {
namespace {

using namespace program;

const std::string kDrawer = "受信メール1";
const std::string kDrawerMail = "受信: ぽすけの引出しのメール\r\n";
const std::string kDrawerList = "ぽすけの引出しのリスト\r\n";

class MailImport : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        // The plain pet's own receive folder, as a pet swapped out with
        // its own mail would leave it.
        const std::string folder = kPlainPet + "_" + hostNames().receiveFolder;
        ASSERT_TRUE(installDir().makeFolder(folder));
        write(folder + "\\" + kDrawer + ".ppm", kDrawerMail);
        write(folder + "\\" + kDrawer + "リスト.ppl", kDrawerList);
    }

    void write(const std::string& name, const std::string& bytes) {
        installDir().openWrite(name, OpenForWrite::CreateOrTruncate)->write(bytes.data(), bytes.size());
    }

    std::string trayMail() const { return hostNames().receiveFolder + "\\受信メール.ppm"; }
    std::string trayList() const { return hostNames().receiveFolder + "\\受信リスト.ppl"; }

    // Opens the dialog from the menu, chooses the drawer and presses Import.
    void importDrawer(const ChildProcess& orvane, HWND mainWindow) {
        chooseTrayCommand(mainWindow, tray::kImportMail);
        HWND dialog = waitForDialog(orvane, import::kCaption);
        ASSERT_TRUE(dialog) << "no import dialog";
        chooseDrawer(dialog);
        press(dialog, kOk);
    }

    static void chooseDrawer(HWND dialog) {
        HWND drawers = controlOf(dialog, import::kDrawers);
        const auto items = comboItems(drawers);
        const auto found = std::find(items.begin(), items.end(), wide(kDrawer));
        ASSERT_NE(found, items.end()) << "the drawer is not offered";
        selectComboItem(drawers, static_cast<int>(found - items.begin()));
    }
};

TEST_F(MailImport, DialogHoldsTheHostAndTheIconsMenusWhileOpen) {
    ChildProcess orvane = startOrvane();
    HWND mainWindow = startSession(orvane, 0);
    ASSERT_TRUE(mainWindow) << "no host session";

    chooseTrayCommand(mainWindow, tray::kImportMail);
    HWND dialog = waitForDialog(orvane, import::kCaption);
    ASSERT_TRUE(dialog) << "no import dialog";
    screenshot(dialog, "import-mail-146");
    EXPECT_TRUE(waitForHostLog("disabled")) << "the host's window stays enabled";
    EXPECT_EQ(comboItems(controlOf(dialog, import::kPets)), std::vector<std::wstring>{wide(kPlainPet)});
    EXPECT_EQ(textOf(controlOf(dialog, import::kReceive)), L"受信簿");
    EXPECT_EQ(textOf(controlOf(dialog, import::kSend)), L"送信簿");

    // Stop is handled after the icon's message: once the dialog has gone,
    // a menu would be open by now.
    clickTrayIcon(mainWindow, tray::kActionMenuClick);
    press(dialog, kCancel);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); })) << "the dialog stays open";
    EXPECT_FALSE(shownPopupMenu(orvane.id())) << "a menu opened while the import dialog is open";
    EXPECT_TRUE(waitForHostLog("enabled")) << "the host's window stays disabled";
    EXPECT_FALSE(has(trayMail()));
    EXPECT_TRUE(exitFromTray(mainWindow, orvane));
}

TEST_F(MailImport, CopiesADrawerIntoTheEmptyTrayAndNeverOverMail) {
    ChildProcess orvane = startOrvane();
    HWND mainWindow = startSession(orvane, 0);
    ASSERT_TRUE(mainWindow) << "no host session";

    importDrawer(orvane, mainWindow);
    EXPECT_EQ(acknowledgeBox(orvane, kDoneTitle, "message-import-done"), import::kDone);
    EXPECT_EQ(readFile(trayMail()), kDrawerMail);
    EXPECT_EQ(readFile(trayList()), kDrawerList);
    ASSERT_TRUE(waitForNoWindow({orvane.id(), kDialogClass, import::kCaption}));

    // Mail that arrived in the tray since must survive a second import.
    const std::string arrived = "受信: 届いたばかりのメール\r\n";
    write(trayMail(), arrived);
    importDrawer(orvane, mainWindow);
    EXPECT_EQ(acknowledgeBox(orvane, kErrorTitle, "message-import-tray-not-empty"), import::kTrayNotEmpty);
    EXPECT_EQ(readFile(trayMail()), arrived);
    EXPECT_EQ(readFile(trayList()), kDrawerList);

    EXPECT_TRUE(exitFromTray(mainWindow, orvane));
}

}  // namespace
}  // namespace orvane::e2e
