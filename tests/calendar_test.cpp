// Month lengths and Julian Day Numbers, against dated examples and against std::chrono.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

#include "calendar/calendar.h"

using namespace dockorrery;

namespace {

using namespace std::chrono;

// sys_days counts from 1 January 1970, which is JDN 2440588.
int64_t chronoJdn(const year_month_day& date) {
  return int64_t{sys_days{date}.time_since_epoch().count()} + 2440588;
}

struct DatedJdn {
  int32_t day, month;
  int64_t year;
  int64_t jdn;
};

TEST(CalendarTest, DatedExamples) {
  const DatedJdn cases[] = {
      {1, 1, 2000, 2451545},   {31, 12, 1999, 2451544}, {1, 1, 1970, 2440588},
      {17, 11, 1858, 2400001}, {29, 2, 2000, 2451604},  {1, 3, 2000, 2451605},
      {31, 12, 2000, 2451910}, {1, 1, 2001, 2451911},   {28, 2, 1900, 2415079},
      {1, 3, 1900, 2415080},   {28, 2, 2100, 2488128},  {1, 3, 2100, 2488129},
      {29, 2, 2024, 2460370},  {31, 12, 2024, 2460676}, {4, 10, 1582, 2299150},
      {15, 10, 1582, 2299161}, {1, 1, 0, 1721060},      {29, 2, 0, 1721119},
      {1, 3, 0, 1721120},      {31, 12, -1, 1721059},   {1, 1, -1, 1720695},
      {28, 2, -100, 1684594},  {1, 3, -100, 1684595},   {29, 2, -400, 1575022},
      {1, 3, -400, 1575023},   {29, 2, -4, 1719658},    {24, 11, -4713, 0},
      {1, 1, -4713, -327},     {1, 1, 1900, 2415021},
      // The day is not checked against its month: it counts on from the 1st.
      {32, 1, 2000, 2451576},  {0, 3, 2000, 2451604},   {0, 1, 2000, 2451544},
  };
  for (const DatedJdn& c : cases) {
    EXPECT_EQ(julianDayNumber(c.day, c.month, c.year), c.jdn)
        << c.day << "." << c.month << "." << c.year;
  }
}

TEST(CalendarTest, FebruaryOfDatedYears) {
  const struct {
    int64_t year;
    int32_t february;
  } cases[] = {{2000, 29}, {2024, 29}, {0, 29},    {-4, 29},  {-400, 29},
               {1900, 28}, {2023, 28}, {2100, 28}, {-100, 28}, {-1, 28}};
  for (const auto& c : cases) {
    MonthLengthTable table;
    table.fill(-7);  // every entry must be written, the thirteenth included
    monthLengths(c.year, table);
    const MonthLengthTable expected = {31, c.february, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0};
    EXPECT_EQ(table, expected) << c.year;
  }
}

// Every day of 9601 years around year 0, against std::chrono's proleptic Gregorian calendar.
TEST(CalendarTest, AgreesWithChronoOverEveryDayOfYearsMinus4800To4800) {
  static_assert(int{year::min()} <= -4800 && int{year::max()} >= 4801);
  for (int y = -4800; y <= 4800; ++y) {
    MonthLengthTable table;
    table.fill(-7);
    monthLengths(y, table);
    ASSERT_EQ(table[12], 0) << y;

    int64_t expected = chronoJdn(year{y} / January / 1);
    int64_t yearLength = 0;
    for (unsigned m = 1; m <= 12; ++m) {
      const unsigned lastDay = unsigned{(year{y} / month{m} / last).day()};
      ASSERT_EQ(table[m - 1], static_cast<int32_t>(lastDay)) << y << "-" << m;
      yearLength += table[m - 1];
      for (unsigned d = 1; d <= lastDay; ++d, ++expected) {
        ASSERT_EQ(julianDayNumber(static_cast<int32_t>(d), static_cast<int32_t>(m), y), expected)
            << y << "-" << m << "-" << d;
      }
    }
    // The next 1 January follows on from the last day, and the year is as long as its table.
    ASSERT_EQ(julianDayNumber(1, 1, y + 1), expected) << y;
    ASSERT_EQ(julianDayNumber(1, 1, y + 1) - julianDayNumber(1, 1, y), yearLength) << y;
  }
}

// A month outside 1..12 is carried into the year instead of being read from beyond the table.
TEST(CalendarTest, MonthOutsideTheYearCarriesIntoTheYear) {
  const struct {
    int32_t day, month;
    int64_t year;
  } cases[] = {{1, 13, 2023}, {1, 0, 2024},   {15, -11, 2000}, {31, 25, 1999},
               {29, 14, 2023}, {10, 100, -5}, {3, -1000, 7},   {1, 14, 2024}};
  for (const auto& c : cases) {
    const year_month_day normalised{
        (year_month{year{static_cast<int>(c.year)}, January} + months{c.month - 1}) / day{1}};
    EXPECT_EQ(julianDayNumber(c.day, c.month, c.year), chronoJdn(normalised) + c.day - 1)
        << c.day << "." << c.month << "." << c.year;
  }
}

}  // namespace
