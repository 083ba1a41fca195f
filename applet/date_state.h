// The selected date, the view and whether the date follows the clock: process-wide, one of each.
#pragma once

#include <cstdint>

namespace dockorrery {

extern int64_t selectedDay;    // 1..31
extern int64_t selectedMonth;  // 1..12
extern int64_t selectedYear;   // astronomical numbering
extern double selectedJd;      // Julian Day Number of the selected date, recomputed every idle frame
extern int followClock;        // 1 while the date follows the UTC clock, 0 once the user chose one
extern double chartScale;      // pixels per AU: 9.0 is the IN view, exactly 0.6 the OUT view

constexpr double kScaleIn = 9.0;
constexpr double kScaleOut = 0.6;

// Sets the selected date to today's date in UTC; leaves it alone if the clock can't be broken down
// (a time past the year 2^31 + 1900), so that it keeps the last date set, 1 January 1970 at first.
void setDateFromClock();

}  // namespace dockorrery
