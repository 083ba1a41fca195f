// Proleptic Gregorian calendar with astronomical year numbering (year 0 precedes year 1).
#pragma once

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "../ephemeris/constants.h"

namespace dockorrery {

// Index m-1 holds the length in days of month m; index 12 is always 0.
using MonthLengthTable = std::array<int32_t, 13>;

// Fills all thirteen entries with the month lengths of `year` (February 29 in a leap year).
void monthLengths(int64_t year, MonthLengthTable& table);

// Julian Day Number (days, 12:00 of the date) of day/month/year; 1 January 2000 is 2451545.
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

// Sets `jd` to the Julian Day of `time` (days; 2451544.5 at 2000 January 1, 0h). False, and `jd`
// NaN, for a date or time the calendar has not (a month outside 1 to 12, a day outside its
// month: 31 February is not taken for 3 March; hours, minutes or seconds outside their ranges,
// or seconds that are not a number), and outside the library's span, from -2000 January 1 up to
// 6000 January 1 (kFirstJd, kEndJd), where a Julian Day holds an instant to 40 microseconds.
[[nodiscard]] bool julianDayOf(double& jd, const CivilTime& time);

// Fills `time` with the date and time of Julian Day `jd`, its seconds rounded to the nearest
// multiple of `resolutionSeconds` (60 rounds to the minute, carrying into the hour, the day, the
// month and the year). The default, a millisecond, gives back exactly a time given to the
// millisecond, well above the 40 microseconds a Julian Day holds. False, with every field 0 and
// the seconds NaN, for a day outside the library's span or not a number, or a resolution outside
// (0, 86400] or not dividing a day into a whole number of steps.
[[nodiscard]] bool civilTimeOf(CivilTime& time, double jd, double resolutionSeconds = 0.001);

namespace detail {
constexpr double kUnixEpochJd = 2440587.5;  // 1970 January 1, 0h: the system clock's epoch
using Days = std::chrono::duration<double, std::ratio<86400>>;
}  // namespace detail

// Sets `jd` to the Julian Day of the system clock's `time` (UTC taken as UT, leap seconds not
// counted). False, and `jd` NaN, outside the library's span.
template <class Duration>
[[nodiscard]] bool julianDayOf(double& jd,
                               std::chrono::time_point<std::chrono::system_clock, Duration> time) {
  jd = detail::kUnixEpochJd + detail::Days(time.time_since_epoch()).count();
  if (detail::withinSpan(jd)) return true;
  jd = NAN;
  return false;
}

// Sets `time` to the system clock's time of Julian Day `jd` (UT as UTC), rounded to the nearest
// tick of `Duration` (with microseconds or finer, the Julian Day's own 40 microseconds show).
// False, and `time` the clock's epoch, for a day outside the library's span or not a number, or
// one a `Duration` cannot count to from 1970.
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
