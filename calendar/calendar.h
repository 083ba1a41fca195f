// Proleptic Gregorian calendar with astronomical year numbering (year 0 precedes year 1).
#pragma once

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "../base/constants.h"

namespace dockorrery {

// Index m-1 holds the length in days of month m; index 12 is always 0.
using MonthLengthTable = std::array<int32_t, 13>;

// The lengths of the months of a year.
//   Given:    year    any int64_t year
//   Returned: table   all thirteen entries: index m-1 the length in days of month m (February 29
//                     in a leap year), index 12 always 0
//   Span:     every int64_t year
//   Notes:    The applet's entry; it never fails.
//   Source:   The Gregorian rules.
void monthLengths(int64_t year, MonthLengthTable& table);

// The Julian Day Number of a date.
//   Given:    day         day of the month, not checked against it (day 0 is the last day of
//                         the month before)
//             month       1 to 12 (another is carried into the year: 13 is January of the next)
//             year        astronomical year numbering
//   Returned: (int64_t)   Julian Day Number, days, 12:00 of the date; 1 January 2000 is 2451545
//   Span:     unchecked: years whose count of days fits int64_t (about +-2.5e16)
//   Notes:    The applet's entry; julianDayOf is the checked one.
//   Source:   The Gregorian rules.
int64_t julianDayNumber(int32_t day, int32_t month, int64_t year);

// A date and a time of day of this calendar, in the time scale the caller keeps: UT for the
// library's routines (UTC taken as UT; its leap seconds are not counted, as the system clock
// does not count them).
struct CivilTime {
  int64_t year;
  int32_t month;    // 1 to 12
  int32_t day;      // 1 to the length of the month
  int32_t hours;    // 0 to 23
  int32_t minutes;  // 0 to 59
  double seconds;   // [0, 60)
};

// The Julian Day of a date and time of the calendar.
//   Given:    time    date and time, in the caller's time scale (UT for the library's routines)
//   Returned: jd      Julian Day (days; 2451544.5 at 2000 January 1, 0h) in the time scale of
//                     `time`, which holds an instant to 40 microseconds
//             (bool)  false, and jd NaN, for a date or time the calendar has not (a month
//                     outside 1 to 12, a day outside its month: 31 February is not taken for
//                     3 March; hours, minutes or seconds outside their ranges, or seconds that
//                     are not a number), and outside the library's span
//   Span:     -2000 January 1 up to 6000 January 1 (kFirstJd, kEndJd)
//   Accuracy: Exact to the Julian Day's 40 microseconds; checked against C++20 std::chrono at
//             random instants of the span.
//   Source:   The Gregorian rules.
[[nodiscard]] bool julianDayOf(double& jd, const CivilTime& time);

// The date and time of a Julian Day, the inverse of julianDayOf.
//   Given:    jd                  Julian Day (UT, or the scale the caller keeps)
//             resolutionSeconds   s; the seconds are rounded to its nearest multiple (60 rounds
//                                 to the minute, carrying into the hour, the day, the month and
//                                 the year); the default, a millisecond, gives back exactly a
//                                 time given to the millisecond, well above the 40
//                                 microseconds a Julian Day holds
//   Returned: time                date and time of jd
//             (bool)              false, with every field 0 and the seconds NaN, for a day
//                                 outside the library's span or not a number, or a resolution
//                                 outside (0, 86400] or not dividing a day into a whole number
//                                 of steps
//   Span:     -2000 January 1 up to 6000 January 1 (kFirstJd, kEndJd)
//   Accuracy: As julianDayOf, whose times it gives back; checked against std::chrono at random
//             instants of the span.
//   Source:   The Gregorian rules.
[[nodiscard]] bool civilTimeOf(CivilTime& time, double jd, double resolutionSeconds = 0.001);

namespace detail {
constexpr double kUnixEpochJd = 2440587.5;  // 1970 January 1, 0h: the system clock's epoch
using Days = std::chrono::duration<double, std::ratio<86400>>;
}  // namespace detail

// The Julian Day of a time of the system clock.
//   Given:    time    system clock time (UTC taken as UT, leap seconds not counted)
//   Returned: jd      Julian Day (UT)
//             (bool)  false, and jd NaN, outside the library's span
//   Span:     -2000 January 1 up to 6000 January 1 (kFirstJd, kEndJd)
//   Accuracy: The Julian Day's 40 microseconds; checked against std::chrono both ways.
//   Source:   The system clock's count: days of 86400 s from 1970 January 1, 0h UTC.
template <class Duration>
[[nodiscard]] bool julianDayOf(double& jd,
                               std::chrono::time_point<std::chrono::system_clock, Duration> time) {
  jd = detail::kUnixEpochJd + detail::Days(time.time_since_epoch()).count();
  if (detail::withinSpan(jd)) return true;
  jd = NAN;
  return false;
}

// The system clock's time of a Julian Day.
//   Given:    jd      Julian Day (UT, given back as UTC)
//   Returned: time    rounded to the nearest tick of Duration (with microseconds or finer, the
//                     Julian Day's own 40 microseconds show)
//             (bool)  false, and time the clock's epoch, for a day outside the library's span or
//                     not a number, or one a Duration cannot count to from 1970
//   Span:     -2000 January 1 up to 6000 January 1 (kFirstJd, kEndJd)
//   Accuracy: The Julian Day's 40 microseconds; checked against std::chrono both ways.
//   Source:   The system clock's count: days of 86400 s from 1970 January 1, 0h UTC.
template <class Duration>
[[nodiscard]] bool systemTimeOf(std::chrono::time_point<std::chrono::system_clock, Duration>& time,
                                double jd) {
  using TimePoint = std::chrono::time_point<std::chrono::system_clock, Duration>;
  const detail::Days sinceEpoch{jd - detail::kUnixEpochJd};
  time = TimePoint{};
  if (!detail::withinSpan(jd) ||
      !(std::fabs(sinceEpoch.count()) < detail::Days(Duration::max()).count())) {
    return false;
  }
  if constexpr (std::chrono::treat_as_floating_point_v<typename Duration::rep>) {
    time = TimePoint{std::chrono::duration_cast<Duration>(sinceEpoch)};
  } else {
    time = TimePoint{std::chrono::round<Duration>(sinceEpoch)};
  }
  return true;
}

}  // namespace dockorrery
