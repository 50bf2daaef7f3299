// Forced return against the stand-in host under Wine, which refuses every
// change of the clock: the user is told, no keys reach the host and the
// clock stays where it was.

#include "ProgramWindows.h"
#include "SessionTest.h"

namespace orvane::e2e {
namespace {

using namespace program;

ULONGLONG systemTimeNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

constexpr ULONGLONG kFileTimeDay = 24ULL * 60 * 60 * 10000000;

class ForcedReturn : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        // The host sends the pet on an errand that began today.
        installDir().openWrite("errand.txt", OpenForWrite::CreateOrTruncate);
    }
};

TEST_F(ForcedReturn, WithoutTheRightToSetTheClockNoKeysAreSent) {
    const ULONGLONG before = systemTimeNow();
    ChildProcess orvane = startOrvane();
    HWND mainWindow = startSession(orvane, 0);
    ASSERT_TRUE(mainWindow) << "no host session";
    ASSERT_TRUE(waitForHostLog("errand", kPetInPlace)) << "the pet is not on an errand";

    chooseTrayCommand(mainWindow, tray::kForcedReturn);
    const std::wstring message = acknowledgeBox(orvane, kErrorTitle, "message-forced-return-no-right");
    EXPECT_NE(message.find(L"権限"), std::wstring::npos) << "not the message about the right to set the clock";

    // The program is idle again once it takes the next command; the host
    // logs each key the moment it arrives.
    EXPECT_TRUE(exitFromTray(mainWindow, orvane));
    for (const std::string& line : hostLog()) EXPECT_NE(line.rfind("ctrl+m", 0), 0u) << line;
    // Moved, the clock would stand a year ahead.
    const ULONGLONG after = systemTimeNow();
    EXPECT_GE(after, before);
    EXPECT_LT(after - before, kFileTimeDay);
}

}  // namespace
}  // namespace orvane::e2e
