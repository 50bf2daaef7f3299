#pragma once

#include <chrono>

#include "platform/HostWindows.h"
#include "platform/Keyboard.h"
#include "platform/Prompts.h"
#include "platform/SystemClock.h"

namespace orvane {

// What forced return works with: the host's windows, the clock it moves,
// the time that passes meanwhile, the keys it types and the user's boxes.
struct ForcedReturnPorts {
    HostWindows& windows;
    SystemClock& clock;
    Stopwatch& stopwatch;
    Keyboard& keyboard;
    Prompts& prompts;
};

enum class ForcedReturnResult {
    NotInForeground,     // the system refused to bring the host forward
    NoStatusLine,
    NotOnErrand,         // told the user the command cannot be used now
    NoRightToSetClock,   // told the user; no key was typed
    StatusChanged,       // the pet reacted
    StatusGone,          // the status line went away or became empty
    TimedOut,
};

// How long forced return waits for the host to react to Ctrl+M, and how
// often it looks. The host answers within a fraction of a second; the
// limit only guards against a host that hangs with the clock moved.
inline constexpr std::chrono::milliseconds ForcedReturnWaitLimit{10000};
inline constexpr std::chrono::milliseconds ForcedReturnPollInterval{50};
// How often setting the clock back is tried, and the pause between tries.
inline constexpr int ClockSetBackAttempts = 3;
inline constexpr std::chrono::milliseconds ClockSetBackPause{200};

// Calls a pet that is out on an errand home: with the host in front and its
// status line reporting the errand, moves the clock one year ahead, types
// Ctrl+M and waits until the status line no longer reports the errand. The
// clock is set back whatever happens, to the moment it was moved plus the
// time that passed; when that keeps failing, the user is told.
ForcedReturnResult ForcedReturn(const ForcedReturnPorts& ports, WindowId hostMainWindow);

}  // namespace orvane
