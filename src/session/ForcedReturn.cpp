#include "session/ForcedReturn.h"

#include <string>

#include "app/HostNames.h"
#include "session/LocalTimeArithmetic.h"
#include "store/PetMessages.h"

namespace orvane {

namespace {

constexpr const char* NotNowMessage = "現在この機能は使えません。";
constexpr const char* NoRightMessage =
    "強制帰還には時計を変更する権限が必要です。\n管理者として実行してください。";
constexpr const char* ClockNotSetBackMessage = "時計を元に戻せませんでした。\n時計を確認してください。";

// The status line is the first child of the main window's first child, or
// of that child's next sibling.
WindowId findStatusLine(HostWindows& windows, WindowId mainWindow) {
    const WindowId container = windows.firstChild(mainWindow);
    if (container == 0) return 0;
    if (const WindowId line = windows.firstChild(container)) return line;
    const WindowId sibling = windows.nextSibling(container);
    return sibling == 0 ? 0 : windows.firstChild(sibling);
}

bool reportsErrand(const std::string& status) {
    return status.find(host::ErrandGonePhrase) != std::string::npos ||
           status.find(host::ErrandOutPhrase) != std::string::npos;
}

// The clock one year ahead, and the way back to the real time.
class ClockMovedAhead {
public:
    ClockMovedAhead(SystemClock& clock, Stopwatch& stopwatch)
        : clock_(clock), stopwatch_(stopwatch), original_(clock.now()), start_(stopwatch.elapsed()),
          moved_(clock.set(oneYearLater(original_))) {}

    bool moved() const { return moved_; }

    // Sets the clock to the moment it was moved plus the time that has
    // passed since. A refusal may be passing (another program holding the
    // clock): it is tried again before it counts. False when every try
    // was refused.
    bool setBack() {
        for (int attempt = 1;; ++attempt) {
            if (clock_.set(addDuration(original_, stopwatch_.elapsed() - start_))) return true;
            if (attempt == ClockSetBackAttempts) return false;
            stopwatch_.pause(ClockSetBackPause);
        }
    }

private:
    SystemClock& clock_;
    Stopwatch& stopwatch_;
    const LocalTime original_;
    const std::chrono::milliseconds start_;
    const bool moved_;
};

// Waits until the status line answers Ctrl+M: it no longer reports the
// errand that was read before the keys went out. The errand phrase turning
// into the other one is the errand going on, not an answer. A quick host
// may have answered before the first look.
ForcedReturnResult waitForAnswer(const ForcedReturnPorts& ports, WindowId statusLine) {
    const auto start = ports.stopwatch.elapsed();
    for (;;) {
        const std::string now = ports.windows.text(statusLine);
        // Unreadable also when the host does not answer in time.
        if (now.empty()) return ForcedReturnResult::StatusGone;
        if (!reportsErrand(now)) return ForcedReturnResult::StatusChanged;
        if (ports.stopwatch.elapsed() - start >= ForcedReturnWaitLimit) return ForcedReturnResult::TimedOut;
        ports.stopwatch.pause(ForcedReturnPollInterval);
    }
}

}  // namespace

ForcedReturnResult ForcedReturn(const ForcedReturnPorts& ports, WindowId hostMainWindow) {
    if (!ports.windows.bringToForeground(hostMainWindow)) return ForcedReturnResult::NotInForeground;
    const WindowId statusLine = findStatusLine(ports.windows, hostMainWindow);
    if (statusLine == 0) return ForcedReturnResult::NoStatusLine;
    if (!reportsErrand(ports.windows.text(statusLine))) {
        petmessage::showError(ports.prompts, NotNowMessage);
        return ForcedReturnResult::NotOnErrand;
    }

    // Without the right to set the clock the host would only see Ctrl+M
    // on the wrong day.
    if (!ports.clock.acquireRightToSet()) {
        petmessage::showError(ports.prompts, NoRightMessage);
        return ForcedReturnResult::NoRightToSetClock;
    }
    ClockMovedAhead ahead(ports.clock, ports.stopwatch);
    if (!ahead.moved()) {
        petmessage::showError(ports.prompts, NoRightMessage);
        return ForcedReturnResult::NoRightToSetClock;
    }
    // The clock goes back whatever happens meanwhile; a clock left a year
    // ahead is told.
    const auto setBackOrTell = [&] {
        if (!ahead.setBack()) petmessage::showError(ports.prompts, ClockNotSetBackMessage);
    };
    ForcedReturnResult result;
    try {
        ports.keyboard.typeControlM();
        result = waitForAnswer(ports, statusLine);
    } catch (...) {
        setBackOrTell();
        throw;
    }
    setBackOrTell();
    return result;
}

}  // namespace orvane
