// Proleptic Gregorian calendar with astronomical year numbering (year 0 precedes year 1).
#pragma once

#include <array>
#include <cstdint>

namespace dockorrery {

// Index m-1 holds the length in days of month m; index 12 is always 0.
using MonthLengthTable = std::array<int32_t, 13>;

// Fills all thirteen entries with the month lengths of `year` (February 29 in a leap year).
void monthLengths(int64_t year, MonthLengthTable& table);

// Julian Day Number (days, 12:00 of the date) of day/month/year; 1 January 2000 is 2451545.
int64_t julianDayNumber(int32_t day, int32_t month, int64_t year);

}  // namespace dockorrery
