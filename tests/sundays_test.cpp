// The first Sunday in April and the last Sunday in October, against std::chrono.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>

#include "calendar/sundays.h"

using namespace dockorrery;

namespace {

using namespace std::chrono;

int32_t chronoFirstSundayInApril(int y) {
  return static_cast<int32_t>(unsigned{year_month_day{year{y} / April / Sunday[1]}.day()});
}

int32_t chronoLastSundayInOctober(int y) {
  return static_cast<int32_t>(unsigned{year_month_day{year{y} / October / Sunday[last]}.day()});
}

// Every year std::chrono holds, which covers the 400-year cycle many times over.
TEST(SundaysTest, AgreeWithChronoOverItsWholeRange) {
  for (int y = int{year::min()}; y <= int{year::max()}; ++y) {
    ASSERT_EQ(firstSundayInApril(y), chronoFirstSundayInApril(y)) << y;
    ASSERT_EQ(lastSundayInOctober(y), chronoLastSundayInOctober(y)) << y;
  }
}

// Beyond std::chrono's years: the Gregorian calendar repeats every 400 years (146097 days, exactly
// 20871 weeks), so a far year falls on the same weekdays as the year of chrono's range that
// leaves the same remainder modulo 400 (taken here as one between 2000 and 2399). The cycle
// itself is checked against chrono first, across its whole range.
TEST(SundaysTest, FarYearsRepeatEveryFourHundredYears) {
  for (int y = int{year::min()}; y + 400 <= int{year::max()}; y += 97) {
    ASSERT_EQ(chronoFirstSundayInApril(y), chronoFirstSundayInApril(y + 400)) << y;
    ASSERT_EQ(chronoLastSundayInOctober(y), chronoLastSundayInOctober(y + 400)) << y;
  }
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const int64_t far[] = {kMax,         kMax - 1,           kMax - 399,       kMin,
                         kMin + 1,     kMin + 400,         32768,            -32768,
                         1000000000,   -1000000000,        4000000000000001, -4000000000000001,
                         (kMax / 400) * 400, (kMin / 400) * 400, 123456789012345678,
                         -123456789012345678, 9000000000000000000 + 7, -9000000000000000000 - 7};
  for (int64_t y : far) {
    // The remainder in 0..399 (the % of a negative year is negative or zero).
    const int64_t r = (y % 400 + 400) % 400;
    const int inRange = static_cast<int>(2000 + r);
    EXPECT_EQ(firstSundayInApril(y), chronoFirstSundayInApril(inRange)) << y;
    EXPECT_EQ(lastSundayInOctober(y), chronoLastSundayInOctober(inRange)) << y;
  }
}

// Dated examples: 2024 (a leap year), 2025, 2000 and year 0.
TEST(SundaysTest, DatedExamples) {
  const struct {
    int64_t year;
    int32_t april, october;
  } cases[] = {{2024, 7, 27}, {2025, 6, 26}, {2000, 2, 29}, {0, 2, 29}, {1900, 1, 28}};
  for (const auto& c : cases) {
    EXPECT_EQ(firstSundayInApril(c.year), c.april) << c.year;
    EXPECT_EQ(lastSundayInOctober(c.year), c.october) << c.year;
  }
}

}  // namespace
