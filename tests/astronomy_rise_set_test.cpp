// Rise, transit and set from the caller's three places (rise_set.h) against Astronomy Engine's
// (tools/astronomy-fixture), an independent implementation by other methods, over the fixture's
// days of the Sun, the Moon and Mars: the tolerance keeps the method's claim, a minute. The
// largest difference found is printed; the README's table of differences quotes both, and
// rise_set.h the tolerance, by the names of the table below (readme_tables checks them).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "astronomy/coordinates.h"
#include "astronomy/rise_set.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

// The fixture helpers, the tables of quantities and the units of their differences.
using namespace fixture;

TEST(AstronomyTest, RiseTransitSetAgreesWithAstronomyEngine) {
  const Table table = readTable("astronomy_rise_set.csv");
  ASSERT_GE(table.rows.size(), 100u);
  // The method claims about a minute. The reference searches the altitude of the topocentric
  // body with its true semidiameter, the method interpolates geocentric coordinates and uses
  // fixed standard altitudes; both take 34' of refraction at the horizon.
  const Quantity<Crossing> quantities[] = {
      {"Sun rise, transit and set", "s", 60.0, crossingsOf<0>},
      {"Moon rise, transit and set", "s", 60.0, crossingsOf<1>},
      {"Mars rise, transit and set", "s", 60.0, crossingsOf<2>},
  };
  std::vector<Crossing> crossings;
  int kinds[3] = {0, 0, 0};

  for (const auto& row : table.rows) {
    const std::string body = row.at("body");
    const double jd0 = number(row, "jd0_ut");
    const std::string at = body + " " + row.at("jd0_ut") + " " + row.at("obs_lat");
    const EquatorialCoordinates apparent[3] = {
        {number(row, "ra_m1") * kDegree, number(row, "dec_m1") * kDegree},
        {number(row, "ra_0") * kDegree, number(row, "dec_0") * kDegree},
        {number(row, "ra_p1") * kDegree, number(row, "dec_p1") * kDegree}};
    const Observer observer{number(row, "obs_lon") * kDegree, number(row, "obs_lat") * kDegree};
    const double h0 = body == "Sun"    ? kStandardAltitudeSun
                      : body == "Moon" ? moonStandardAltitude(number(row, "dist"))
                                       : kStandardAltitudeStar;
    RiseTransitSet events;
    ASSERT_TRUE(computeRiseTransitSet(events, jd0, apparent, observer, h0, number(row, "delta_t")))
        << at;
    const int kind = body == "Sun" ? 0 : body == "Moon" ? 1 : 2;  // its row of the table above
    ASSERT_NE(events.kind, RiseSetKind::Invalid) << at;
    ++kinds[static_cast<int>(events.kind)];

    for (const DayEvent& event : dayEvents(events)) {
      const std::string text = row.at(event.name);
      const std::string where = at + " " + event.name;
      if (event.has && !text.empty()) {
        crossings.push_back({where, kind, (event.jdUt - std::stod(text)) * 86400.0});
      } else if (event.has) {
        // The reference finds none within the day: then this one lies at the day's edge.
        const double edge = std::min(event.jdUt - jd0, jd0 + 1.0 - event.jdUt) * 86400.0;
        EXPECT_LE(edge, quantities[kind].tolerance) << where << " only here";
      } else if (!text.empty()) {
        const double time = std::stod(text);
        const double edge = std::min(time - jd0, jd0 + 1.0 - time) * 86400.0;
        EXPECT_LE(edge, quantities[kind].tolerance) << where << " only in the reference";
      }
    }
    // Above or below the standard altitude all day: the reference finds no rise and no set.
    if (events.kind != RiseSetKind::RisesAndSets) {
      EXPECT_EQ(row.at("rise") + row.at("set"), "") << at;
    }
  }
  compare(quantities, crossings);
  // The fixture's observer inside the Arctic circle has both kinds of day.
  EXPECT_GT(kinds[static_cast<int>(RiseSetKind::Circumpolar)], 0);
  EXPECT_GT(kinds[static_cast<int>(RiseSetKind::NeverRises)], 0);
}

}  // namespace
