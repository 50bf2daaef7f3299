#pragma once

#include "platform/SystemClock.h"

namespace orvane::win32 {

// The local clock through GetLocalTime and SetLocalTime. Setting it needs
// the system-time privilege, which an administrator holds but must enable.
class Win32SystemClock : public SystemClock {
public:
    LocalTime now() override;
    bool acquireRightToSet() override;
    bool set(const LocalTime& time) override;
};

// The system's tick count, which the clock's moves do not touch.
class TickStopwatch : public Stopwatch {
public:
    std::chrono::milliseconds elapsed() override;
    void pause(std::chrono::milliseconds duration) override;
};

}  // namespace orvane::win32
