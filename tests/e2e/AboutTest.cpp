// The About box of the settings dialog and its two links. The links are
// read, never clicked: a click would start the system's browser.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"

namespace orvane::e2e {
namespace {

using namespace program;

class About : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }
};

TEST_F(About, OpensFromTheSettingsDialogAndShowsItsLinks) {
    ChildProcess orvane = startOrvane();
    HWND mainWindow = waitForDialog(orvane, main::kCaption);
    ASSERT_TRUE(mainWindow) << "no main window";
    press(mainWindow, main::kSettings);
    HWND settingsDialog = waitForDialog(orvane, settings::kCaption);
    ASSERT_TRUE(settingsDialog) << "no settings dialog";
    press(settingsDialog, settings::kAbout);
    HWND about = waitForDialog(orvane, about::kCaption);
    ASSERT_TRUE(about) << "no About box";
    screenshot(about, "about-100");

    EXPECT_EQ(textOf(controlOf(about, about::kWebLink)), L"orvane.example.jp");
    EXPECT_EQ(textOf(controlOf(about, about::kMailLink)), L"pet@example.jp");
    EXPECT_TRUE(isSeen(controlOf(about, about::kWebLink)));
    EXPECT_TRUE(isSeen(controlOf(about, about::kMailLink)));

    press(about, kOk);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(about); }));
    press(settingsDialog, settings::kBack);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(settingsDialog); }));
    press(mainWindow, main::kExit);
    EXPECT_TRUE(orvane.waitForExit());
}

}  // namespace
}  // namespace orvane::e2e
