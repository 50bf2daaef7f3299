#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <tuple>

#include "ScriptedPrompts.h"
#include "session/ForcedReturn.h"
#include "session/HostWait.h"
#include "session/LocalTimeArithmetic.h"
#include "session/TrayCommands.h"

namespace orvane {
namespace {

using std::chrono::milliseconds;
using Result = ForcedReturnResult;

constexpr WindowId Main = 1, Panel = 2, Status = 3, Sibling = 4;
const LocalTime Start{2024, 5, 6, 7, 8, 9, 100};

// A host whose status line lies under the panel, under the panel's sibling
// or nowhere (0), and answers each reading from a script, keeping its last
// text; a clock that may refuse the right to be set, every setting or the
// first settings back; a stopwatch whose pauses pass at once. Its main
// window shows at look appearsAt, its process ends in wait endsIn (0: never).
class FakeHost : public HostWindows, public HostProcess, public SystemClock, public Stopwatch, public Keyboard {
public:
    int appearsAt = 1, endsIn = 0, looks = 0, waits = 0;
    milliseconds step{0};
    WindowId statusUnder = Panel;
    bool foreground = true, right = true, settable = true;
    int refusedSetBacks = 0, typed = 0;
    std::deque<std::string> readings;
    LocalTime current = Start;
    std::vector<LocalTime> set_;
    milliseconds passed{0};

    WindowId findTopLevel(std::string_view className) override {
        EXPECT_EQ(className, "TMainWnd");
        return ++looks >= appearsAt && appearsAt != 0 ? Main : 0;
    }
    bool waitForEnd(milliseconds timeout) override {
        EXPECT_EQ(timeout, step);
        return ++waits == endsIn;
    }
    void waitUntilEnded() override { ADD_FAILURE() << "the launch never waits without a limit"; }
    std::optional<std::size_t> titleLength(WindowId) override { return 5; }
    bool bringToForeground(WindowId window) override { return foreground && window == Main; }
    WindowId firstChild(WindowId w) override { return w == Main ? Panel : w == statusUnder ? Status : 0; }
    WindowId nextSibling(WindowId w) override { return w == Panel ? Sibling : 0; }
    std::string text(WindowId w) override {
        const std::string reading = w == Status ? readings.front() : "";
        if (w == Status && readings.size() > 1) readings.pop_front();
        return reading;
    }
    LocalTime now() override { return current; }
    bool acquireRightToSet() override { return right; }
    bool set(const LocalTime& time) override {
        if (!settable || (!set_.empty() && refusedSetBacks-- > 0)) return false;
        set_.push_back(current = time);
        return true;
    }
    milliseconds elapsed() override { return passed; }
    void pause(milliseconds duration) override { passed += duration; }
    void typeControlM() override {
        if (++typed > 1) throw std::runtime_error("input refused");
    }
};

// With the host in front and an errand on its status line, the clock goes
// a year ahead, Ctrl+M goes to the host, and the clock is set back to the
// moment it was moved plus the time that passed; a refused setting back is
// tried twice more, and told.
TEST(ForcedReturn, MovesTheClockAheadOnlyForAnErrandAndAlwaysSetsItBack) {
    const std::string gone = "ポチはおつかいにいきました。", out = "タマはおつかいにいっています。";
    const std::string noRight = "強制帰還には時計を変更する権限が必要です。\n管理者として実行してください。";
    const auto polls = [](int n) { return n * ForcedReturnPollInterval; };
    const milliseconds retries = (ClockSetBackAttempts - 1) * ClockSetBackPause;
    const struct { std::deque<std::string> readings; WindowId statusUnder; bool foreground, right, settable;
                   int refusedSetBacks; Result result; milliseconds passed; std::string told; } cases[] = {
        {{gone, gone, gone, "おかえり"}, Panel, true, true, true, 0, Result::StatusChanged, polls(2), ""},
        {{gone, out, "x"}, Panel, true, true, true, 0, Result::StatusChanged, polls(1), ""},  // the errand goes on
        {{out, out, "x"}, Sibling, true, true, true, 0, Result::StatusChanged, polls(1), ""},
        {{gone, gone, ""}, Panel, true, true, true, 0, Result::StatusGone, polls(1), ""},
        // A long name once made a comparison of only the first bytes see no change for ever.
        {{"とてもながいなまえのペット" + gone}, Panel, true, true, true, 0, Result::TimedOut, ForcedReturnWaitLimit, ""},
        {{gone, "x"}, Panel, true, true, true, ClockSetBackAttempts - 1, Result::StatusChanged, retries, ""},
        {{gone, "x"}, Panel, true, true, true, ClockSetBackAttempts, Result::StatusChanged, retries,
         "時計を元に戻せませんでした。\n時計を確認してください。"},
        {{"おうちにいます。"}, Panel, true, true, true, 0, Result::NotOnErrand, polls(0), "現在この機能は使えません。"},
        {{gone}, Panel, true, false, true, 0, Result::NoRightToSetClock, polls(0), noRight},
        {{gone}, Panel, true, true, false, 0, Result::NoRightToSetClock, polls(0), noRight},
        {{gone}, 0, true, true, true, 0, Result::NoStatusLine, polls(0), ""},
        {{gone}, Panel, false, true, true, 0, Result::NotInForeground, polls(0), ""},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.readings = c.readings, host.statusUnder = c.statusUnder, host.foreground = c.foreground;
        host.right = c.right, host.settable = c.settable, host.refusedSetBacks = c.refusedSetBacks;
        test::ScriptedPrompts prompts;
        const Result result = ForcedReturn({host, host, host, host, prompts}, Main);
        const bool moved = !host.set_.empty(), setBack = moved && c.refusedSetBacks < ClockSetBackAttempts;
        EXPECT_TRUE(!moved || host.set_.front() == oneYearLater(Start)) << c.readings.front();
        EXPECT_EQ(host.current, setBack ? addDuration(Start, host.passed) : moved ? oneYearLater(Start) : Start);
        EXPECT_EQ(std::tuple(result, host.typed, host.passed, prompts.messages.empty() ? "" : prompts.messages[0].text),
                  std::tuple(c.result, moved ? 1 : 0, c.passed, c.told)) << c.readings.front();
    }
    // Whatever happens while it waits, the clock comes back.
    FakeHost host;
    host.readings = {gone}, host.typed = 1;
    test::ScriptedPrompts prompts;
    EXPECT_THROW(ForcedReturn({host, host, host, host, prompts}, Main), std::runtime_error);
    EXPECT_EQ(host.current, Start);
}

TEST(ForcedReturn, TheClockMovesToValidDatesAndCarriesOver) {
    EXPECT_EQ(oneYearLater({2024, 2, 29, 12, 0, 0, 0}), (LocalTime{2025, 3, 1, 12, 0, 0, 0}));
    EXPECT_EQ(oneYearLater({2027, 2, 28, 1, 2, 3, 4}), (LocalTime{2028, 2, 28, 1, 2, 3, 4}));
    EXPECT_EQ(addDuration({2024, 12, 31, 23, 59, 59, 900}, milliseconds{250}), (LocalTime{2025, 1, 1, 0, 0, 0, 150}));
    EXPECT_EQ(addDuration({2024, 2, 28, 23, 0, 0, 0}, std::chrono::hours{1}), (LocalTime{2024, 2, 29, 0, 0, 0, 0}));
}

// Within 1000 ms, looking every 100 ms; the window of a process that has ended is looked for once
// more; a zero step ends too.
TEST(HostWait, LooksUntilTheWindowShowsTheProcessEndsOrTheLimitPasses) {
    const struct { int appearsAt, endsIn, step; WindowId found; } cases[] = {
        {4, 0, 100, Main}, {11, 0, 100, Main}, {12, 0, 100, 0}, {0, 2, 100, 0}, {3, 2, 100, Main}, {4, 2, 100, 0}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        FakeHost host;
        host.appearsAt = c.appearsAt, host.endsIn = c.endsIn, host.step = milliseconds(c.step);
        EXPECT_EQ(waitForHostMainWindow(host, host, {milliseconds(1000), host.step}), c.found) << c.appearsAt << "/" << c.endsIn;
    }
}

// A pet past the end of the list, as it is when the command arrives, is none.
TEST(TrayCommands, APetPastTheListNamesNone) {
    const struct { int id, petCount, pet; } cases[] = {{33000, 1, 0}, {33002, 2, -1}, {33000, 0, -1}, {32999, 2, -1}};
    for (const auto& c : cases) {
        const TrayCommand command = trayCommand(c.id, c.petCount);
        const auto kind = c.pet < 0 ? TrayCommandKind::None : TrayCommandKind::SwitchPet;
        EXPECT_EQ(std::pair(command.kind, command.pet), std::pair(kind, c.pet)) << c.id;
    }
}

}  // namespace
}  // namespace orvane
