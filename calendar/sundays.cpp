// Sundays of a year from the weekday of a Julian Day Number. The Gregorian calendar repeats every
// 400 years, which hold 146097 days, exactly 20871 weeks: so the year is first reduced into
// 0..399, which leaves every weekday as it is and keeps the day count far from overflow for any
// 64-bit year.
#include "calendar/sundays.h"

#include "calendar/calendar.h"

namespace dockorrery {

namespace {

constexpr int64_t kCycleYears = 400;

// Weekday of day/month of `year`, 0 for Sunday to 6 for Saturday.
int32_t weekday(int32_t day, int32_t month, int64_t year) {
  int64_t inCycle = year % kCycleYears;  // truncates toward zero, so may be negative
  if (inCycle < 0) inCycle += kCycleYears;
  // JDN 0 (24 November 4714 BC, proleptic Gregorian) was a Monday, and the count stays positive
  // for years 0..399.
  return static_cast<int32_t>((julianDayNumber(day, month, inCycle) + 1) % 7);
}

}  // namespace

int32_t firstSundayInApril(int64_t year) {
  return 1 + (7 - weekday(1, 4, year)) % 7;
}

int32_t lastSundayInOctober(int64_t year) {
  return 31 - weekday(31, 10, year);
}

}  // namespace dockorrery
