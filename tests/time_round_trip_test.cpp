// A date and time to a Julian Day and back, the system clock to a Julian Day and back, and TT to
// UT and back: over random instants of the library's span, against std::chrono's calendar, with
// the dates the calendar has not.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "astronomy/time_scales.h"
#include "calendar/calendar.h"

using namespace dockorrery;

namespace {

using namespace std::chrono;

std::string text(const CivilTime& t) {
  return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
         " " + std::to_string(t.hours) + ":" + std::to_string(t.minutes) + ":" +
         std::to_string(t.seconds);
}

// Random times of the span, to the millisecond.
struct RandomTimes {
  std::mt19937_64 engine{20261211};
  CivilTime next() {
    const auto in = [this](int64_t low, int64_t high) {
      return std::uniform_int_distribution<int64_t>(low, high)(engine);
    };
    CivilTime t{in(-2000, 5999), int32_t(in(1, 12)), 1, int32_t(in(0, 23)), int32_t(in(0, 59)),
                double(in(0, 59999)) / 1000.0};
    MonthLengthTable lengths;
    monthLengths(t.year, lengths);
    t.day = int32_t(in(1, lengths[t.month - 1]));
    return t;
  }
};

// A date and time to its Julian Day, as std::chrono counts the days, and back, to the
// millisecond; the instant to the Julian Day's last bits.
TEST(TimeRoundTripTest, CivilTimeThereAndBack) {
  RandomTimes random;
  for (int i = 0; i < 100000; ++i) {
    const CivilTime t = random.next();
    double jd;
    ASSERT_TRUE(julianDayOf(jd, t)) << text(t);
    // The oracle: days from std::chrono's epoch, whose 0h is a known Julian Day.
    const sys_days date{year{int(t.year)} / month{unsigned(t.month)} / day{unsigned(t.day)}};
    const double epochJd = julianDayNumber(1, 1, 1970) - 0.5;
    const double secondsOfDay = t.hours * 3600.0 + t.minutes * 60.0 + t.seconds;
    EXPECT_NEAR(jd, epochJd + date.time_since_epoch().count() + secondsOfDay / 86400.0, 1e-9)
        << text(t);
    CivilTime back;
    ASSERT_TRUE(civilTimeOf(back, jd)) << text(t);
    EXPECT_TRUE(back.year == t.year && back.month == t.month && back.day == t.day &&
                back.hours == t.hours && back.minutes == t.minutes &&
                std::fabs(back.seconds - t.seconds) < 1e-9)
        << text(t) << " came back as " << text(back);
  }
}

// Dates the calendar has not are refused, never rolled over; the span's ends; leap years.
TEST(TimeRoundTripTest, DatesTheCalendarHasNot) {
  struct Case {
    CivilTime time;
    bool holds;
  };
  const Case cases[] = {
      {{2027, 2, 29, 0, 0, 0.0}, false},    {{2028, 2, 29, 0, 0, 0.0}, true},
      {{1900, 2, 29, 0, 0, 0.0}, false},    {{2000, 2, 29, 0, 0, 0.0}, true},
      {{2400, 2, 29, 0, 0, 0.0}, true},     {{2100, 2, 29, 0, 0, 0.0}, false},
      {{2027, 2, 31, 0, 0, 0.0}, false},    {{2027, 4, 31, 0, 0, 0.0}, false},
      {{2027, 12, 31, 0, 0, 0.0}, true},    {{2027, 13, 1, 0, 0, 0.0}, false},
      {{2027, 0, 1, 0, 0, 0.0}, false},     {{2027, 1, 0, 0, 0, 0.0}, false},
      {{2027, 6, 21, 24, 0, 0.0}, false},   {{2027, 6, 21, -1, 0, 0.0}, false},
      {{2027, 6, 21, 0, 60, 0.0}, false},   {{2027, 6, 21, 0, -1, 0.0}, false},
      {{2027, 6, 21, 0, 0, 60.0}, false},   {{2027, 6, 21, 0, 0, -0.001}, false},
      {{2027, 6, 21, 0, 0, NAN}, false},    {{2027, 6, 21, 23, 59, 59.999}, true},
      {{-2000, 1, 1, 0, 0, 0.0}, true},     {{-2001, 12, 31, 23, 59, 59.0}, false},
      {{5999, 12, 31, 23, 59, 59.999}, true}, {{6000, 1, 1, 0, 0, 0.0}, false},
      {{INT64_MAX, 1, 1, 0, 0, 0.0}, false},  {{INT64_MIN, 1, 1, 0, 0, 0.0}, false},
  };
  for (const Case& c : cases) {
    double jd = 0.0;
    EXPECT_EQ(julianDayOf(jd, c.time), c.holds) << text(c.time);
    EXPECT_EQ(std::isnan(jd), !c.holds) << text(c.time);
  }
  for (double jd : {double(NAN), double(INFINITY), kFirstJd - 1e-6, kEndJd, 1e300}) {
    CivilTime t;
    EXPECT_FALSE(civilTimeOf(t, jd)) << jd;
    EXPECT_TRUE(std::isnan(t.seconds)) << jd;
  }
  CivilTime t;
  for (double resolution : {0.0, -1.0, double(NAN), 7.0, 86401.0}) {
    EXPECT_FALSE(civilTimeOf(t, 2451545.0, resolution)) << resolution;
  }
}

// Rounded to the minute, a time carries into the hour, the day, the month and the year.
TEST(TimeRoundTripTest, RoundedToTheMinute) {
  struct Case {
    CivilTime time, minute;
  };
  const Case cases[] = {
      {{2027, 7, 18, 15, 44, 51.0}, {2027, 7, 18, 15, 45, 0.0}},
      {{2027, 7, 18, 15, 44, 29.9}, {2027, 7, 18, 15, 44, 0.0}},
      {{2026, 12, 31, 23, 59, 40.0}, {2027, 1, 1, 0, 0, 0.0}},
      {{2028, 2, 28, 23, 59, 30.5}, {2028, 2, 29, 0, 0, 0.0}},
      {{-1, 12, 31, 23, 59, 59.0}, {0, 1, 1, 0, 0, 0.0}},
  };
  for (const Case& c : cases) {
    double jd;
    CivilTime minute;
    ASSERT_TRUE(julianDayOf(jd, c.time)) << text(c.time);
    ASSERT_TRUE(civilTimeOf(minute, jd, 60.0)) << text(c.time);
    EXPECT_EQ(text(minute), text(c.minute)) << text(c.time);
  }
}

// The system clock's time to a Julian Day and back, to the millisecond; the Julian Day of its
// epoch and of J2000.0.
TEST(TimeRoundTripTest, SystemClockThereAndBack) {
  using Milliseconds = time_point<system_clock, milliseconds>;
  double jd;
  ASSERT_TRUE(julianDayOf(jd, sys_days{1970y / 1 / 1}));
  EXPECT_EQ(jd, 2440587.5);
  ASSERT_TRUE(julianDayOf(jd, sys_days{2000y / 1 / 1} + 12h));
  EXPECT_EQ(jd, 2451545.0);
  std::mt19937_64 engine{7};
  // Milliseconds from 1970: from -1959 to 5963.
  std::uniform_int_distribution<int64_t> ms(-124000000000000, 126000000000000);
  for (int i = 0; i < 100000; ++i) {
    const Milliseconds t{milliseconds{ms(engine)}};
    Milliseconds back;
    ASSERT_TRUE(julianDayOf(jd, t));
    ASSERT_TRUE(systemTimeOf(back, jd));
    EXPECT_EQ(back, t) << t.time_since_epoch().count();
  }
  Milliseconds back;
  EXPECT_FALSE(julianDayOf(jd, Milliseconds{milliseconds{-126000000000000}}));  // -2023
  EXPECT_FALSE(systemTimeOf(back, NAN));
  EXPECT_FALSE(systemTimeOf(back, kEndJd));
  // A clock of nanoseconds counts only 292 years either side of 1970.
  time_point<system_clock, nanoseconds> fine;
  EXPECT_TRUE(systemTimeOf(fine, 2451545.0));
  EXPECT_FALSE(systemTimeOf(fine, julianDayNumber(1, 1, 1500) - 0.5));
}

// TT to UT and back, to the Julian Day's last bits; with the caller's delta T, exactly its
// inverse.
TEST(TimeRoundTripTest, UniversalTimeUndoesTerrestrialTime) {
  std::mt19937_64 engine{11};
  std::uniform_real_distribution<double> day(kFirstJd + 1.0, kEndJd - 1.0);
  double largest = 0.0;
  for (int i = 0; i < 100000; ++i) {
    const double jdTt = day(engine);
    const double jdUt = universalTime(jdTt);
    const double ulp = std::nextafter(jdTt, INFINITY) - jdTt;
    EXPECT_LE(std::fabs(terrestrialTime(jdUt) - jdTt), 2 * ulp) << jdTt;
    EXPECT_NEAR((jdTt - jdUt) * kSecondsPerDay, deltaT(jdUt), 1e-4) << jdTt;
    largest = std::fmax(largest, std::fabs(terrestrialTime(jdUt) - jdTt) * kSecondsPerDay);
  }
  std::printf("largest TT -> UT -> TT difference: %.3g s\n", largest);
  EXPECT_EQ(universalTime(2451545.0, 64.0), 2451545.0 - 64.0 / kSecondsPerDay);
  EXPECT_TRUE(std::isnan(universalTime(NAN)));
  EXPECT_TRUE(std::isnan(universalTime(kFirstJd)));  // its UT instant lies before the span
}

}  // namespace
