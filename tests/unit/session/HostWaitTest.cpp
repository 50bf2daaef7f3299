#include <gtest/gtest.h>

#include "session/HostWait.h"

namespace orvane {
namespace {

using std::chrono::milliseconds;

constexpr WindowId HostWindow = 42;
constexpr HostWindowWait TenLooks{milliseconds(1000), milliseconds(100)};

// The host's main window shows up at a given look (0: never).
class ScriptedWindows : public HostWindows {
public:
    explicit ScriptedWindows(int appearsAtLook) : appearsAtLook_(appearsAtLook) {}

    WindowId findTopLevel(std::string_view className) override {
        EXPECT_EQ(className, "TMainWnd");
        ++looks;
        return appearsAtLook_ != 0 && looks >= appearsAtLook_ ? HostWindow : 0;
    }
    std::optional<std::size_t> titleLength(WindowId) override { return 0; }
    bool bringToForeground(WindowId) override { return false; }
    WindowId firstChild(WindowId) override { return 0; }
    WindowId nextSibling(WindowId) override { return 0; }
    std::string text(WindowId) override { return {}; }

    int looks = 0;

private:
    int appearsAtLook_;
};

// The process ends during a given wait (0: never).
class ScriptedProcess : public HostProcess {
public:
    explicit ScriptedProcess(int endsInWait) : endsInWait_(endsInWait) {}

    bool waitForEnd(milliseconds timeout) override {
        EXPECT_EQ(timeout, TenLooks.step);
        ++waits;
        return endsInWait_ != 0 && waits >= endsInWait_;
    }
    void waitUntilEnded() override { ADD_FAILURE() << "the launch never waits without a limit"; }

    int waits = 0;

private:
    int endsInWait_;
};

TEST(HostWait, LooksUntilTheWindowShowsTheProcessEndsOrTheLimitPasses) {
    const struct {
        const char* what;
        int appearsAtLook;
        int processEndsInWait;
        WindowId found;
        int looks;
        int waits;
    } cases[] = {
        {"window there already", 1, 0, HostWindow, 1, 0},
        {"window shows at the fourth look", 4, 0, HostWindow, 4, 3},
        {"window shows at the last look", 11, 0, HostWindow, 11, 10},
        {"window never shows", 0, 0, 0, 11, 10},
        {"process ends without a window", 0, 2, 0, 3, 2},
        {"process ends right after showing its window", 3, 2, HostWindow, 3, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedWindows windows(c.appearsAtLook);
        ScriptedProcess process(c.processEndsInWait);
        EXPECT_EQ(waitForHostMainWindow(windows, process, TenLooks), c.found);
        EXPECT_EQ(windows.looks, c.looks);
        EXPECT_EQ(process.waits, c.waits);
    }
}

TEST(HostWait, TheDefaultLimitIsHalfAMinuteInTenthsOfASecond) {
    const HostWindowWait wait;
    EXPECT_EQ(wait.limit, milliseconds(30'000));
    EXPECT_EQ(wait.step, milliseconds(100));
}

}  // namespace
}  // namespace orvane
