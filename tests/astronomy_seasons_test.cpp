// The equinoxes and solstices: the book's worked example, then every season of every year from
// -2000 to 5999 against Astronomy Engine's (tools/astronomy-fixture/make-seasons.mjs), whose Sun
// is apparent as this library's: the two find the same longitudes, and differ only by their two
// theories of the Sun. The tolerance is the largest difference found, rounded up; the README's
// table of differences quotes both, and seasons.h the tolerance.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "astronomy/apparent.h"
#include "astronomy/seasons.h"
#include "astronomy/detail/seeds.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

using namespace fixture;

double fieldOf(const Seasons& s, int season) {
  const double fields[4] = {s.marchEquinoxJdTt, s.juneSolsticeJdTt, s.septemberEquinoxJdTt,
                            s.decemberSolsticeJdTt};
  return fields[season];
}

// The June solstice of 1962 (ex. 27.a): the book's approximate instant JDE 2437837.39245, and the
// instant from the full VSOP87, 1962 June 21, 21h 24m 42s TD. The search finds the latter from
// the former, with the abridged Earth series here (0.9" from the full one: 22 s of the Sun's
// motion at most; 1.8 s here).
TEST(SeasonsTest, BookExample) {
  EXPECT_NEAR(detail::approximateSeason(1962, 1), 2437837.39245, 0.5e-5);
  Seasons seasons;
  ASSERT_TRUE(computeSeasons(seasons, 1962));
  const double exact = 2437836.5 + (21 + 24 / 60.0 + 42 / 3600.0) / 24.0;
  EXPECT_NEAR((seasons.juneSolsticeJdTt - exact) * kSecondsPerDay, 0.0, 3.0);
}

// Each instant is a root of the apparent longitude to 0.05 s, the four in order
// within their year, at the span's first and last years as near 2000; the years beyond fail.
TEST(SeasonsTest, RootsInOrderOverTheSpan) {
  for (int64_t year : {-2000, -1001, 0, 999, 1000, 2024, 3001, 5999}) {
    Seasons seasons;
    ASSERT_TRUE(computeSeasons(seasons, year)) << year;
    // The March equinox falls between 1 March and 1 April (JD of 1 March: 2000 day 61 of a
    // Gregorian year of 365.2425 days), the others 88 to 95 days after the season before.
    const double march1 = 2451605.5 + (year - 2000) * 365.2425;
    EXPECT_GT(seasons.marchEquinoxJdTt, march1 - 1.0) << year;
    EXPECT_LT(seasons.marchEquinoxJdTt, march1 + 32.0) << year;
    for (int season = 0; season < 4; ++season) {
      const double jdTt = fieldOf(seasons, season);
      if (season > 0) {
        EXPECT_GT(jdTt - fieldOf(seasons, season - 1), 88.0) << year;
        EXPECT_LT(jdTt - fieldOf(seasons, season - 1), 95.0) << year;
      }
      ApparentPlace sun;
      ASSERT_TRUE(computeApparentPlace(sun, Body::Sun, jdTt));
      const double off = std::remainder(sun.ecliptic.longitude - season * kPi / 2.0, kTwoPi);
      EXPECT_LT(std::fabs(off) / (kTwoPi / 365.25) * kSecondsPerDay, 0.05) << year << " " << season;
    }
  }
  for (int64_t year : {int64_t{-2001}, int64_t{6000}, INT64_MIN, INT64_MAX}) {
    Seasons seasons{};
    EXPECT_FALSE(computeSeasons(seasons, year)) << year;
    EXPECT_TRUE(std::isnan(seasons.marchEquinoxJdTt) && std::isnan(seasons.juneSolsticeJdTt) &&
                std::isnan(seasons.septemberEquinoxJdTt) &&
                std::isnan(seasons.decemberSolsticeJdTt))
        << year;
  }
}

TEST(SeasonsTest, AgreeWithAstronomyEngine) {
  const Table table = readTable("astronomy_seasons.csv");
  // Every year of the span, in order: the bounds are the largest differences there are.
  ASSERT_EQ(table.rows.size(), 8000u);
  for (size_t i = 0; i < table.rows.size(); ++i) {
    ASSERT_EQ(std::stoll(table.rows[i].at("year")), -2000 + int64_t(i));
  }
  struct Season {
    std::string at;
    bool near;          // a year of 1900 to 2100
    double difference;  // s, this library's instant less the reference's
  };
  // Both Suns are truncated theories of the Earth's orbit, whose errors grow with the distance
  // from 2000 as the powers of time in their terms do; so do the two models of precession.
  const Quantity<Season> quantities[] = {
      {"season instants", "s", 47.0,
       [](const Season& s) { return onlyIf(s.near, {s.difference}); }},
      {"season instants far from 2000", "s", 2000.0,
       [](const Season& s) { return onlyIf(!s.near, {s.difference}); }},
  };
  const char* const columns[4] = {"march", "june", "september", "december"};
  std::vector<Season> seasons;
  for (const Row& row : table.rows) {
    Seasons mine;
    const int64_t year = std::stoll(row.at("year"));
    ASSERT_TRUE(computeSeasons(mine, year)) << year;
    for (int season = 0; season < 4; ++season) {
      seasons.push_back({row.at("year") + " " + columns[season], year >= 1900 && year <= 2100,
                         (fieldOf(mine, season) - number(row, columns[season])) * kSecondsPerDay});
    }
  }
  compare(quantities, seasons);
}

}  // namespace
