// Starting with "-" or "/" and a pet's name.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {
namespace {

using namespace program;

class CommandLine : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }
};

TEST_F(CommandLine, NamedPetLaunchesWithoutTheWindowBeingSeen) {
    ASSERT_TRUE(registry().setWindowPosition(40, 30));
    ChildProcess orvane = startOrvane(L"-" + wide(kPlainPet));

    bool windowSeen = false;
    HWND host = nullptr;
    waitUntil(
        [&] {
            for (HWND window : findWindows({orvane.id(), {}, {}})) windowSeen = windowSeen || isSeen(window);
            const auto hosts = findWindows({0, kHostWindowClass, {}});
            host = hosts.empty() ? nullptr : hosts.front();
            return host != nullptr;
        },
        kWindowWait, milliseconds{10});
    ASSERT_TRUE(host) << "the host did not start";
    EXPECT_FALSE(windowSeen) << "the main window showed";
    ASSERT_TRUE(waitForHostSession()) << "no host session";
    EXPECT_TRUE(waitForHostLog("seen", kPlainPet)) << "the host does not show the named pet";
    EXPECT_EQ(registry().petInPlace(), 1);

    PostMessageW(host, WM_CLOSE, 0, 0);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with the host";
    // The parking place of the unseen window is not a position to keep.
    const WindowPosition saved = registry().windowPosition();
    EXPECT_EQ(saved.left, 40);
    EXPECT_EQ(saved.top, 30);
}

TEST_F(CommandLine, NameOfNoPetShowsTheWindow) {
    ChildProcess orvane = startOrvane(L"/にゃんこ");

    HWND mainWindow = waitForDialog(orvane, main::kCaption);
    ASSERT_TRUE(mainWindow) << "no main window";
    EXPECT_TRUE(waitUntil([&] { return isSeen(mainWindow); })) << "the main window is not seen";
    EXPECT_EQ(comboSelection(controlOf(mainWindow, main::kPetCombo)), 0);

    press(mainWindow, main::kExit);
    ASSERT_TRUE(orvane.waitForExit());
    EXPECT_FALSE(has("standin-host.log")) << "a host was started";
}

}  // namespace
}  // namespace orvane::e2e
