#pragma once

#include <chrono>

namespace orvane {

// A local date and time as the system clock keeps it.
struct LocalTime {
    int year = 0;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// The system's local clock, which forced return moves and sets back.
class SystemClock {
public:
    virtual ~SystemClock() = default;

    virtual LocalTime now() = 0;
    // Enables the right to set the clock where the account holds it;
    // false when it cannot be had.
    virtual bool acquireRightToSet() = 0;
    // False when the system refuses the new time.
    virtual bool set(const LocalTime& time) = 0;
};

// Time that passes while a command waits, unaffected by the clock above.
class Stopwatch {
public:
    virtual ~Stopwatch() = default;

    virtual std::chrono::milliseconds elapsed() = 0;
    virtual void pause(std::chrono::milliseconds duration) = 0;
};

}  // namespace orvane
