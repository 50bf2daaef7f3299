// The notification-area icon's menus: switching the pet, and the end of
// the program with its host.

#include "ProgramWindows.h"
#include "SessionTest.h"
#include "support/PopupMenu.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {
namespace {

using namespace program;

constexpr int kPlainPetIndex = 1;

class TrayMenu : public SessionTest {
protected:
    // Opens the menu, saves its picture and closes it again unchosen.
    void showMenu(const ChildProcess& orvane, HWND mainWindow, LPARAM click, const std::string& shot) {
        clickTrayIcon(mainWindow, click);
        HWND menu = waitForPopupMenu(orvane.id());
        ASSERT_TRUE(menu) << "no menu for " << shot;
        screenshot(menu, shot);
        dismissPopupMenu(menu);
        EXPECT_TRUE(waitForNoWindow({orvane.id(), kMenuClass, {}})) << shot << " stays open";
    }
};

TEST_F(TrayMenu, PetChosenFromTheMenuRestartsTheHostWithIt) {
    ChildProcess orvane = startOrvane();
    HWND mainWindow = startSession(orvane, kPlainPetIndex);
    ASSERT_TRUE(mainWindow) << "no host session";
    ASSERT_TRUE(waitForHostLog("seen", kPlainPet));
    HWND firstHost = waitForHostWindow();
    showMenu(orvane, mainWindow, tray::kPetMenuClick, "menu-pets");
    showMenu(orvane, mainWindow, tray::kActionMenuClick, "menu-actions");
    ASSERT_TRUE(IsWindow(firstHost)) << "a menu closed unchosen ended the host";

    chooseTrayCommand(mainWindow, tray::kFirstPet + 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(firstHost); })) << "the first host still runs";
    EXPECT_TRUE(waitForHostLog("seen", kPetInPlace)) << "no host shows the chosen pet";
    EXPECT_TRUE(waitForHostSession()) << "no session with the chosen pet";
    EXPECT_EQ(registry().petInPlace(), 0);
    EXPECT_EQ(firstLineOf(petFileInPlace()), kPetInPlace);
    EXPECT_EQ(firstLineOf(kPlainPet + ".ppc"), kPlainPet) << "the previous pet is not stored under its name";
    EXPECT_FALSE(IsWindowVisible(mainWindow)) << "the main window shows while the host runs";

    EXPECT_TRUE(exitFromTray(mainWindow, orvane));
}

TEST_F(TrayMenu, ExitEndsTheHostAndTheProgram) {
    ChildProcess orvane = startOrvane();
    HWND mainWindow = startSession(orvane, kPlainPetIndex);
    ASSERT_TRUE(mainWindow) << "no host session";

    ASSERT_TRUE(exitFromTray(mainWindow, orvane)) << "the program did not end";
    EXPECT_TRUE(waitForHostLog("end")) << "the host did not end";
    EXPECT_TRUE(waitForNoWindow({0, kHostWindowClass, {}}));
    EXPECT_TRUE(waitForNoWindow(kTrayWithIcons)) << "the icon stays in the notification area";
}

}  // namespace
}  // namespace orvane::e2e
