#include "calendar/calendar.h"

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

}  // namespace dockorrery
