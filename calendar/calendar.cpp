#include "calendar/calendar.h"

#include <cmath>

namespace dockorrery {

namespace {

// Gregorian rule; `%` leaves a zero remainder for negative multiples too, so it holds for year 0
// and for negative years unchanged.
bool isLeapYear(int64_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// floor(year / divisor) for divisor > 0. Integer division truncates toward zero, so a negative
// year is divided from the non-negative operand (divisor - 1 - year) and the sign put back.
int64_t floorDivide(int64_t year, int64_t divisor) {
  if (year >= 0) return year / divisor;
  return -((divisor - 1 - year) / divisor);
}

// 365 days a year plus the Gregorian leap days counted up to and including `year`'s own; floor
// quotients, so that negative years count backward through the same rule.
int64_t yearDayCount(int64_t year) {
  return 365 * year + floorDivide(year, 4) - floorDivide(year, 100) + floorDivide(year, 400);
}

// With yearDayCount(0) = 0 and year 0 a leap year, this puts 1 January 0 at JDN 1721060.
constexpr int64_t kJdnOffset = 1721061;

// The date of Julian Day Number `jdn` (noon): days from 1 March of year 0 split into 400-year
// eras, then years of a March-to-February year, whose leap day comes last.
void dateOf(int64_t jdn, int64_t& year, int32_t& month, int32_t& day) {
  const int64_t days = jdn - kJdnOffset + 1 - 60;  // from 0 March 1, JDN 1721120
  const int64_t era = floorDivide(days, 146097);
  const int64_t dayOfEra = days - era * 146097;                                      // 0..146096
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) /
                            365;                                                     // 0..399
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;                            // 0 = March
  day = static_cast<int32_t>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int32_t>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
}

constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;

}  // namespace

void monthLengths(int64_t year, MonthLengthTable& table) {
  table = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0};
  if (isLeapYear(year)) table[1] = 29;
}

int64_t julianDayNumber(int32_t day, int32_t month, int64_t year) {
  // Callers pass months 1..12. Any other month is carried into the year (13 is January of the
  // next year, 0 December of the one before) rather than read from outside the table.
  int64_t monthsFromJanuary = int64_t{month} - 1;
  year += floorDivide(monthsFromJanuary, 12);
  monthsFromJanuary -= floorDivide(monthsFromJanuary, 12) * 12;

  // yearDayCount already holds a leap year's own 29 February, which lies after 1 January.
  int64_t jdn = yearDayCount(year) + kJdnOffset;
  if (isLeapYear(year)) jdn -= 1;

  MonthLengthTable lengths;
  monthLengths(year, lengths);
  for (int64_t m = 0; m < monthsFromJanuary; ++m) jdn += lengths[m];
  // The day is not checked against the month: day 0 is the last day of the month before.
  return jdn + day - 1;
}

bool julianDayOf(double& jd, const CivilTime& time) {
  jd = NAN;
  MonthLengthTable lengths;
  monthLengths(time.year, lengths);
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > lengths[time.month - 1] ||
      time.hours < 0 || time.hours > 23 || time.minutes < 0 || time.minutes > 59 ||
      !(time.seconds >= 0.0 && time.seconds < 60.0) || time.year < -1000000 ||
      time.year > 1000000) {
    return false;
  }
  const double secondsOfDay =
      time.hours * kSecondsPerHour + time.minutes * kSecondsPerMinute + time.seconds;
  const double day = double(julianDayNumber(time.day, time.month, time.year)) - 0.5;
  if (!detail::withinSpan(day)) return false;
  jd = day + secondsOfDay / kSecondsPerDay;
  return true;
}

bool civilTimeOf(CivilTime& time, double jd, double resolutionSeconds) {
  time = {0, 0, 0, 0, 0, NAN};
  // Steps of the resolution in a day: a whole number of them, to a rounding of the resolution.
  const double steps = std::round(kSecondsPerDay / resolutionSeconds);
  if (!detail::withinSpan(jd) || !(resolutionSeconds > 0.0 && resolutionSeconds <= kSecondsPerDay) ||
      !(std::fabs(steps * resolutionSeconds - kSecondsPerDay) <= 1e-9 * kSecondsPerDay)) {
    return false;
  }
  // The day's start, and the time of day in steps of the resolution, a whole day carried.
  double start = std::floor(jd - 0.5) + 0.5;
  double step = std::round((jd - start) * steps);
  if (step >= steps) {
    start += 1.0;
    step -= steps;
  }
  dateOf(static_cast<int64_t>(start + 0.5), time.year, time.month, time.day);
  // Whole seconds from the whole steps, so that a time given to the step comes back exactly.
  const double seconds = step * (kSecondsPerDay / steps);
  const double wholeSeconds = std::floor(seconds);
  const int64_t whole = static_cast<int64_t>(wholeSeconds);
  time.hours = static_cast<int32_t>(whole / 3600);
  time.minutes = static_cast<int32_t>(whole / 60 % 60);
  time.seconds = double(whole % 60) + (seconds - wholeSeconds);
  return true;
}

}  // namespace dockorrery
