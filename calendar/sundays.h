// The first Sunday in April and the last Sunday in October of a year, as days of the month.
#pragma once

#include "../ephemeris/constants.h"

#include <cstdint>

namespace dockorrery {

// Day of April (1..7) of the first Sunday in April of `year` (proleptic Gregorian, astronomical
// year numbering), for every int64_t year.
int32_t firstSundayInApril(int64_t year);

// Day of October (25..31) of the last Sunday in October of `year`, for every int64_t year.
int32_t lastSundayInOctober(int64_t year);

}  // namespace dockorrery
