// The first Sunday in April and the last Sunday in October of a year, as days of the month.
#pragma once

#include "../base/constants.h"

#include <cstdint>

namespace dockorrery {

// The first Sunday in April of a year.
//   Given:    year        proleptic Gregorian, astronomical year numbering
//   Returned: (int32_t)   its day of April, 1 to 7
//   Span:     every int64_t year
//   Accuracy: Exact; checked against std::chrono for every year it holds (-32767 to 32767), and
//             by the calendar's 400-year cycle beyond.
//   Source:   The Gregorian rules.
int32_t firstSundayInApril(int64_t year);

// The last Sunday in October of a year.
//   Given:    year        proleptic Gregorian, astronomical year numbering
//   Returned: (int32_t)   its day of October, 25 to 31
//   Span:     every int64_t year
//   Accuracy: Exact; checked as firstSundayInApril.
//   Source:   The Gregorian rules.
int32_t lastSundayInOctober(int64_t year);

}  // namespace dockorrery
