#include "session/LocalTimeArithmetic.h"

namespace orvane {

namespace {

using std::chrono::days;
using std::chrono::local_days;
using std::chrono::local_time;
using std::chrono::milliseconds;

local_time<milliseconds> toChrono(const LocalTime& t) {
    const std::chrono::year_month_day date{std::chrono::year{t.year},
                                           std::chrono::month{static_cast<unsigned>(t.month)},
                                           std::chrono::day{static_cast<unsigned>(t.day)}};
    return local_days{date} + std::chrono::hours{t.hour} + std::chrono::minutes{t.minute} +
           std::chrono::seconds{t.second} + milliseconds{t.millisecond};
}

LocalTime fromChrono(local_time<milliseconds> moment) {
    const auto dayStart = std::chrono::floor<days>(moment);
    const std::chrono::year_month_day date{dayStart};
    const std::chrono::hh_mm_ss<milliseconds> clock{moment - dayStart};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count()),
            static_cast<int>(clock.subseconds().count())};
}

}  // namespace

LocalTime oneYearLater(const LocalTime& time) {
    LocalTime later = time;
    ++later.year;
    if (later.month == 2 && later.day == 29 &&
        !std::chrono::year{later.year}.is_leap()) {
        later.month = 3;
        later.day = 1;
    }
    return later;
}

LocalTime addDuration(const LocalTime& time, std::chrono::milliseconds duration) {
    return fromChrono(toChrono(time) + duration);
}

}  // namespace orvane
