#pragma once

#include <chrono>

#include "platform/SystemClock.h"

namespace orvane {

// The same moment one year later. The 29th of February has no such day the
// next year and becomes the 1st of March, so that the date stays valid and
// is still a full year ahead.
LocalTime oneYearLater(const LocalTime& time);

LocalTime addDuration(const LocalTime& time, std::chrono::milliseconds duration);

}  // namespace orvane
