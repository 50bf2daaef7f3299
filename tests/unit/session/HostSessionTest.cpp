#include <gtest/gtest.h>

#include "session/HostWait.h"
#include "session/TrayCommands.h"

namespace orvane {
namespace {

using std::chrono::milliseconds;

constexpr WindowId HostWindow = 42;

// The host's main window shows at a given look, its process ends during a
// given wait (0: never); each wait is one step long.
class ScriptedHost : public HostWindows, public HostProcess {
public:
    ScriptedHost(int appearsAt, int endsIn, milliseconds step) : appearsAt_(appearsAt), endsIn_(endsIn), step_(step) {}
    int looks = 0, waits = 0;

    WindowId findTopLevel(std::string_view className) override {
        EXPECT_EQ(className, "TMainWnd");
        ++looks;
        return appearsAt_ != 0 && looks >= appearsAt_ ? HostWindow : 0;
    }
    bool waitForEnd(milliseconds timeout) override {
        EXPECT_EQ(timeout, step_);
        return ++waits == endsIn_;
    }
    void waitUntilEnded() override { ADD_FAILURE() << "the launch never waits without a limit"; }
    std::optional<std::size_t> titleLength(WindowId) override { return 0; }
    bool bringToForeground(WindowId) override { return false; }
    WindowId firstChild(WindowId) override { return 0; }
    WindowId nextSibling(WindowId) override { return 0; }
    std::string text(WindowId) override { return {}; }

private:
    int appearsAt_, endsIn_;
    milliseconds step_;
};

TEST(HostWait, LooksUntilTheWindowShowsTheProcessEndsOrTheLimitPasses) {
    const struct { int appearsAt, endsIn, step; WindowId found; int looks, waits; } cases[] = {  // within 1000 ms
        {4, 0, 100, HostWindow, 4, 3}, {11, 0, 100, HostWindow, 11, 10}, {0, 0, 100, 0, 11, 10}, {0, 2, 100, 0, 3, 2},
        {3, 2, 100, HostWindow, 3, 2}, {0, 0, 0, 0, 2, 1},  // a zero step still looks and waits once
    };
    for (const auto& c : cases) {
        ScriptedHost host(c.appearsAt, c.endsIn, milliseconds(c.step));
        const HostWindowWait wait{milliseconds(1000), milliseconds(c.step)};
        EXPECT_EQ(waitForHostMainWindow(host, host, wait), c.found) << c.appearsAt << "/" << c.endsIn;
        EXPECT_EQ(std::pair(host.looks, host.waits), std::pair(c.looks, c.waits)) << c.appearsAt << "/" << c.endsIn;
    }
}

// A pet past the end of the list, as it is when the command arrives, is none.
TEST(TrayCommands, APetPastTheListNamesNone) {
    const struct { int id, petCount; TrayCommandKind kind; int pet; } cases[] = {
        {33000, 1, TrayCommandKind::SwitchPet, 0}, {33001, 2, TrayCommandKind::SwitchPet, 1},
        {33002, 2, TrayCommandKind::None, -1}, {33000, 0, TrayCommandKind::None, -1}, {32999, 2, TrayCommandKind::None, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trayCommand(c.id, c.petCount).kind, c.kind) << c.id;
        EXPECT_EQ(trayCommand(c.id, c.petCount).pet, c.pet) << c.id;
    }
}

}  // namespace
}  // namespace orvane
