#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

#include "ScriptedPrompts.h"
#include "session/ForcedReturn.h"
#include "session/LocalTimeArithmetic.h"

namespace orvane {
namespace {

using std::chrono::milliseconds;

constexpr WindowId Main = 1;
constexpr WindowId Panel = 2;
constexpr WindowId Status = 3;
constexpr WindowId Sibling = 4;

// A host whose status line answers each reading from a script; once the
// script runs out it keeps its last text.
class FakeHostWindows : public HostWindows {
public:
    std::map<WindowId, WindowId> firstChildren{{Main, Panel}, {Panel, Status}};
    std::map<WindowId, WindowId> siblings;
    std::deque<std::string> statusReadings;
    bool foregroundAllowed = true;
    int readings = 0;

    WindowId findTopLevel(std::string_view) override { return Main; }
    std::optional<std::size_t> titleLength(WindowId) override { return 5; }
    bool bringToForeground(WindowId window) override { return foregroundAllowed && window == Main; }
    WindowId firstChild(WindowId window) override { return lookup(firstChildren, window); }
    WindowId nextSibling(WindowId window) override { return lookup(siblings, window); }
    std::string text(WindowId window) override {
        if (window != Status || statusReadings.empty()) return {};
        ++readings;
        std::string reading = statusReadings.front();
        if (statusReadings.size() > 1) statusReadings.pop_front();
        return reading;
    }

private:
    static WindowId lookup(const std::map<WindowId, WindowId>& links, WindowId window) {
        const auto found = links.find(window);
        return found == links.end() ? 0 : found->second;
    }
};

class FakeStopwatch : public Stopwatch {
public:
    milliseconds now{0};
    milliseconds elapsed() override { return now; }
    void pause(milliseconds duration) override { now += duration; }
};

class FakeClock : public SystemClock {
public:
    LocalTime current{2024, 5, 6, 7, 8, 9, 100};
    bool rightAvailable = true;
    bool refuseSetting = false;
    int refusedSetBacks = 0;  // refusals of the settings after the move
    std::vector<LocalTime> setTimes;

    LocalTime now() override { return current; }
    bool acquireRightToSet() override { return rightAvailable; }
    bool set(const LocalTime& time) override {
        if (refuseSetting) return false;
        if (!setTimes.empty() && refusedSetBacks > 0) {
            --refusedSetBacks;
            return false;
        }
        setTimes.push_back(time);
        current = time;
        return true;
    }
};

class FakeKeyboard : public Keyboard {
public:
    int typed = 0;
    void typeControlM() override { ++typed; }
};

class ForcedReturnTest : public ::testing::Test {
protected:
    FakeHostWindows windows_;
    FakeClock clock_;
    FakeStopwatch stopwatch_;
    FakeKeyboard keyboard_;
    test::ScriptedPrompts prompts_;

    ForcedReturnResult run() {
        return ForcedReturn({windows_, clock_, stopwatch_, keyboard_, prompts_}, Main);
    }
};

TEST_F(ForcedReturnTest, MovesTheClockAYearAheadTypesCtrlMAndSetsItBackWithTheTimeThatPassed) {
    windows_.statusReadings = {"ポチはおつかいにいきました。", "ポチはおつかいにいきました。",
                               "ポチはおつかいにいきました。", "おかえりなさい。ポチが帰ってきました。"};
    EXPECT_EQ(run(), ForcedReturnResult::StatusChanged);
    EXPECT_EQ(keyboard_.typed, 1);
    ASSERT_EQ(clock_.setTimes.size(), 2u);
    EXPECT_EQ(clock_.setTimes[0], (LocalTime{2025, 5, 6, 7, 8, 9, 100}));
    // Two pauses passed while waiting: the clock comes back to the real time.
    EXPECT_EQ(clock_.setTimes[1], addDuration({2024, 5, 6, 7, 8, 9, 100}, stopwatch_.now));
    EXPECT_EQ(stopwatch_.now, 2 * ForcedReturnPollInterval);
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(ForcedReturnTest, TheWaitEndsOnceTheErrandIsNoLongerReported) {
    const struct {
        std::deque<std::string> readings;
        int pauses;
    } cases[] = {
        // A quick host has answered before the first look.
        {{"ポチはおつかいにいきました。", "おかえりなさい。ポチが帰ってきました。"}, 0},
        // The errand going on is no answer.
        {{"ポチはおつかいにいきました。", "ポチはおつかいにいっています。", "まだ帰れません。"}, 1},
    };
    for (const auto& c : cases) {
        FakeHostWindows windows;
        windows.statusReadings = c.readings;
        FakeClock clock;
        FakeStopwatch stopwatch;
        FakeKeyboard keyboard;
        test::ScriptedPrompts prompts;
        EXPECT_EQ(ForcedReturn({windows, clock, stopwatch, keyboard, prompts}, Main),
                  ForcedReturnResult::StatusChanged);
        EXPECT_EQ(stopwatch.now, c.pauses * ForcedReturnPollInterval) << c.readings.back();
    }
}

TEST_F(ForcedReturnTest, ARefusedSetBackIsTriedAgainAndToldWhenItKeepsFailing) {
    for (const int refusals : {ClockSetBackAttempts - 1, ClockSetBackAttempts}) {
        FakeHostWindows windows;
        windows.statusReadings = {"ポチはおつかいにいきました。", "おかえりなさい。"};
        FakeClock clock;
        clock.refusedSetBacks = refusals;
        FakeStopwatch stopwatch;
        FakeKeyboard keyboard;
        test::ScriptedPrompts prompts;
        ForcedReturn({windows, clock, stopwatch, keyboard, prompts}, Main);
        const bool setBack = refusals < ClockSetBackAttempts;
        EXPECT_EQ(clock.current.year, setBack ? 2024 : 2025) << refusals;
        std::vector<test::ShownMessage> told;
        if (!setBack) told.push_back({"時計を元に戻せませんでした。\n時計を確認してください。", "エラー", MessageIcon::Error});
        EXPECT_EQ(prompts.messages, told);
    }
}

TEST_F(ForcedReturnTest, BothErrandPhrasesAllowIt) {
    for (const char* status : {"はおつかいにいきました。", "タマはおつかいにいっています。"}) {
        FakeHostWindows windows;
        windows.statusReadings = {status, status, "x"};
        FakeClock clock;
        FakeStopwatch stopwatch;
        FakeKeyboard keyboard;
        test::ScriptedPrompts prompts;
        EXPECT_EQ(ForcedReturn({windows, clock, stopwatch, keyboard, prompts}, Main),
                  ForcedReturnResult::StatusChanged)
            << status;
    }
}

TEST_F(ForcedReturnTest, WithoutAnErrandItSaysSoAndLeavesTheClock) {
    windows_.statusReadings = {"ペットはおうちにいます。"};
    EXPECT_EQ(run(), ForcedReturnResult::NotOnErrand);
    EXPECT_TRUE(clock_.setTimes.empty());
    EXPECT_EQ(keyboard_.typed, 0);
    EXPECT_EQ(prompts_.messages, (std::vector<test::ShownMessage>{
                                     {"現在この機能は使えません。", "エラー", MessageIcon::Error}}));
}

TEST_F(ForcedReturnTest, WithoutTheRightToSetTheClockNoKeyIsTyped) {
    for (const bool refuseRight : {true, false}) {
        FakeHostWindows windows;
        windows.statusReadings = {"ポチはおつかいにいきました。"};
        FakeClock clock;
        clock.rightAvailable = !refuseRight;
        clock.refuseSetting = !refuseRight;  // the right was granted but the system still refuses
        FakeStopwatch stopwatch;
        FakeKeyboard keyboard;
        test::ScriptedPrompts prompts;
        EXPECT_EQ(ForcedReturn({windows, clock, stopwatch, keyboard, prompts}, Main),
                  ForcedReturnResult::NoRightToSetClock);
        EXPECT_EQ(keyboard.typed, 0);
        EXPECT_TRUE(clock.setTimes.empty());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].title, "エラー");
        EXPECT_NE(prompts.messages[0].text.find("権限"), std::string::npos);
    }
}

TEST_F(ForcedReturnTest, AStatusLineThatNeverChangesStillGetsTheClockBack) {
    // A name of 18 bytes or more once made a comparison of only the first
    // bytes see no change for ever.
    const std::string longName = "とてもながいなまえのペット";
    windows_.statusReadings = {longName + "はおつかいにいきました。"};
    EXPECT_EQ(run(), ForcedReturnResult::TimedOut);
    ASSERT_EQ(clock_.setTimes.size(), 2u);
    EXPECT_EQ(clock_.setTimes[1], addDuration({2024, 5, 6, 7, 8, 9, 100}, stopwatch_.now));
    EXPECT_GE(stopwatch_.now, ForcedReturnWaitLimit);
    EXPECT_LT(windows_.readings, 1000);  // it paused between readings
}

TEST_F(ForcedReturnTest, AStatusLineThatEndsEndsTheWaitAndTheClockComesBack) {
    windows_.statusReadings = {"ポチはおつかいにいきました。", "ポチはおつかいにいきました。", ""};
    EXPECT_EQ(run(), ForcedReturnResult::StatusGone);
    EXPECT_EQ(clock_.setTimes.size(), 2u);
}

TEST_F(ForcedReturnTest, AnExceptionWhileWaitingStillSetsTheClockBack) {
    class ThrowingKeyboard : public Keyboard {
    public:
        void typeControlM() override { throw std::runtime_error("input refused"); }
    } keyboard;
    windows_.statusReadings = {"ポチはおつかいにいきました。"};
    EXPECT_THROW(ForcedReturn({windows_, clock_, stopwatch_, keyboard, prompts_}, Main), std::runtime_error);
    ASSERT_EQ(clock_.setTimes.size(), 2u);
    EXPECT_EQ(clock_.current, (LocalTime{2024, 5, 6, 7, 8, 9, 100}));
}

TEST_F(ForcedReturnTest, TheStatusLineIsFoundUnderTheSiblingWhenTheFirstChildHasNone) {
    windows_.firstChildren = {{Main, Panel}, {Sibling, Status}};
    windows_.siblings = {{Panel, Sibling}};
    windows_.statusReadings = {"はおつかいにいきました。", "はおつかいにいきました。", "changed"};
    EXPECT_EQ(run(), ForcedReturnResult::StatusChanged);
}

TEST_F(ForcedReturnTest, NothingHappensWithoutForegroundOrStatusLine) {
    windows_.statusReadings = {"はおつかいにいきました。"};
    windows_.foregroundAllowed = false;
    EXPECT_EQ(run(), ForcedReturnResult::NotInForeground);

    windows_.foregroundAllowed = true;
    windows_.firstChildren = {{Main, Panel}};
    EXPECT_EQ(run(), ForcedReturnResult::NoStatusLine);
    EXPECT_TRUE(clock_.setTimes.empty());
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST(LocalTimeArithmetic, AYearLaterIsAlwaysAValidDate) {
    const struct {
        LocalTime from;
        LocalTime expected;
    } cases[] = {
        {{2023, 12, 31, 23, 59, 59, 999}, {2024, 12, 31, 23, 59, 59, 999}},
        {{2024, 2, 29, 12, 0, 0, 0}, {2025, 3, 1, 12, 0, 0, 0}},
        {{2027, 2, 29 - 1, 1, 2, 3, 4}, {2028, 2, 28, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) EXPECT_EQ(oneYearLater(c.from), c.expected);
}

TEST(LocalTimeArithmetic, AddingTimeCarriesIntoTheNextDayMonthAndYear) {
    EXPECT_EQ(addDuration({2024, 12, 31, 23, 59, 59, 900}, milliseconds{250}),
              (LocalTime{2025, 1, 1, 0, 0, 0, 150}));
    EXPECT_EQ(addDuration({2024, 2, 28, 23, 0, 0, 0}, std::chrono::hours{1}),
              (LocalTime{2024, 2, 29, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace orvane
