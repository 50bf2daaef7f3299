// Launching a plain pet from the main window, and the end of its session.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {
namespace {

using namespace program;

class Launch : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }
};

TEST_F(Launch, PlainPetRunsInTheHostUntilItsWindowCloses) {
    ChildProcess orvane = startOrvane();
    HWND mainWindow = launchFromMainWindow(orvane, 1);
    ASSERT_TRUE(mainWindow) << "no main window";

    HWND host = waitForHostWindow();
    ASSERT_TRUE(host) << "the host did not start";
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "the host does not show the plain pet";
    EXPECT_EQ(firstLineOf(petFileInPlace()), kPlainPet);
    EXPECT_EQ(firstLineOf(kPetInPlace + ".ppc"), kPetInPlace) << "the previous pet is stored under its name";
    EXPECT_FALSE(has(kPlainPet + ".ppc"));
    EXPECT_EQ(registry().petInPlace(), 1);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(mainWindow); })) << "the main window still shows";
    HWND tray = waitForWindow(kTrayWithIcons);
    EXPECT_TRUE(tray) << "no icon in the notification area";
    screenshot(host, "host-plain-pet");
    if (tray) screenshot(tray, "tray-icon");
    EXPECT_FALSE(IsWindowVisible(mainWindow)) << "the main window came back while the host runs";

    PostMessageW(host, WM_CLOSE, 0, 0);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with the host";
    EXPECT_TRUE(waitForHostLog("end"));
    EXPECT_TRUE(waitForNoWindow(kTrayWithIcons)) << "the icon stays in the notification area";
    const WindowPosition saved = registry().windowPosition();
    EXPECT_EQ(saved.left, mainWindowShownAt().left);
    EXPECT_EQ(saved.top, mainWindowShownAt().top);
    // A plain pet stays in place until the next swap-in.
    EXPECT_EQ(firstLineOf(petFileInPlace()), kPlainPet);
    EXPECT_EQ(registry().petInPlace(), 1);
}

}  // namespace
}  // namespace orvane::e2e
