// Starts with settings in place: the host missing, and a second copy.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {
namespace {

using namespace program;

class Startup : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }
};

TEST_F(Startup, MissingHostIsReportedAndTheSettingsStay) {
    ASSERT_TRUE(installDir().deleteFile("Velmora.exe"));
    const std::string settingsBefore = settingsBytes();
    ChildProcess orvane = startOrvane();

    HWND box = waitForDialog(orvane, kApplicationTitle);
    ASSERT_TRUE(box) << "no message about the missing host";
    EXPECT_EQ(staticTexts(box), kHostMissing);
    screenshot(box, "message-host-missing");

    press(box, IDOK);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end after the message";
    EXPECT_EQ(settingsBytes(), settingsBefore);
}

TEST_F(Startup, SecondCopyEndsSilentlyAndTheFirstGoesOn) {
    ChildProcess first = startOrvane();
    HWND mainWindow = waitForDialog(first, main::kCaption);
    ASSERT_TRUE(mainWindow) << "no main window";

    ChildProcess second = startOrvane();
    bool secondShowedWindow = false;
    const bool secondEnded = waitUntil([&] {
        if (!findWindows({second.id(), {}, {}}).empty()) secondShowedWindow = true;
        return !second.running();
    });
    ASSERT_TRUE(secondEnded) << "the second copy still runs";
    EXPECT_FALSE(secondShowedWindow);

    EXPECT_TRUE(first.running());
    EXPECT_TRUE(isSeen(mainWindow));
    EXPECT_EQ(comboItems(controlOf(mainWindow, main::kPetCombo)), wide({kPetInPlace, kPlainPet, kEncryptedPet}));
    press(mainWindow, main::kExit);
    EXPECT_TRUE(first.waitForExit());
}

}  // namespace
}  // namespace orvane::e2e
