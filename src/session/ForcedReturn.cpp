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

// Holds the clock one year ahead for as long as it lives.
class ClockMovedAhead {
public:
    ClockMovedAhead(SystemClock& clock, Stopwatch& stopwatch)
        : clock_(clock), stopwatch_(stopwatch), original_(clock.now()), start_(stopwatch.elapsed()),
          moved_(clock.set(oneYearLater(original_))) {}

    ~ClockMovedAhead() {
        if (moved_) clock_.set(addDuration(original_, stopwatch_.elapsed() - start_));
    }

    ClockMovedAhead(const ClockMovedAhead&) = delete;
    ClockMovedAhead& operator=(const ClockMovedAhead&) = delete;

    bool moved() const { return moved_; }

private:
    SystemClock& clock_;
    Stopwatch& stopwatch_;
    const LocalTime original_;
    const std::chrono::milliseconds start_;
    const bool moved_;
};

ForcedReturnResult waitForChange(const ForcedReturnPorts& ports, WindowId statusLine) {
    const std::string before = ports.windows.text(statusLine);
    const auto start = ports.stopwatch.elapsed();
    while (ports.stopwatch.elapsed() - start < ForcedReturnWaitLimit) {
        ports.stopwatch.pause(ForcedReturnPollInterval);
        const std::string now = ports.windows.text(statusLine);
        if (now.empty()) return ForcedReturnResult::StatusGone;
        if (now != before) return ForcedReturnResult::StatusChanged;
    }
    return ForcedReturnResult::TimedOut;
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
    const ClockMovedAhead aheadForNow(ports.clock, ports.stopwatch);
    if (!aheadForNow.moved()) {
        petmessage::showError(ports.prompts, NoRightMessage);
        return ForcedReturnResult::NoRightToSetClock;
    }
    ports.keyboard.typeControlM();
    return waitForChange(ports, statusLine);
}

}  // namespace orvane
