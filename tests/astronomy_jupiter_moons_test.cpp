// Jupiter's four large moons against the book's example and Astronomy Engine's JupiterMoons
// (tools/astronomy-fixture/make-jupiter-moons.mjs): the L1.2 theory's state vectors, turned by the
// script to the book's X, Y and Z with Jupiter's light time, each moon's own and the perspective,
// at 300 random instants of 1900 to 2100 and six where the differences are largest among some 1.3
// million. The two theories (the book's abridged E5 and L1.2) and the poles of Jupiter they take
// (the book's equator against the IAU model's) set the differences. The phenomena are checked 20
// minutes either side of the changes of state the reference's places make, and against the
// library's own X, Y and Z; their contacts against those the IMCCE published for a few days of
// 2016. Each tolerance is the largest difference found, with a little margin; the README's table of
// differences quotes both, and jupiter_moons.h the tolerance.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astronomy/jupiter_moons.h"
#include "astronomy/time_scales.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

using namespace fixture;

// The moons in the order the fixture numbers them, 1 Io to 4 Callisto.
constexpr JupiterMoon JupiterMoons::*kMoons[] = {&JupiterMoons::io, &JupiterMoons::europa,
                                                  &JupiterMoons::ganymede,
                                                  &JupiterMoons::callisto};

const JupiterMoon& moonNumbered(const JupiterMoons& moons, const Row& row) {
  const int k = static_cast<int>(number(row, "moon"));
  EXPECT_TRUE(k >= 1 && k <= 4) << k;
  return moons.*kMoons[(k >= 1 && k <= 4 ? k : 1) - 1];
}

// 1992 December 16, 0h UT (JDE 2448972.50068; ex. 44.b), to the book's four decimals.
TEST(JupiterMoonsTest, BookExample) {
  JupiterMoons moons;
  ASSERT_TRUE(computeJupiterMoons(moons, 2448972.50068));
  EXPECT_EQ(moons.jdTt, 2448972.50068);
  const double book[4][2] = {{-3.4503, 0.2137}, {7.4418, 0.2752}, {1.2010, 0.5900},
                             {7.0720, 1.0290}};
  for (int k = 0; k < 4; ++k) {
    const JupiterMoon& m = moons.*kMoons[k];
    EXPECT_NEAR(m.x, book[k][0], 1e-4) << k + 1;
    EXPECT_NEAR(m.y, book[k][1], 1e-4) << k + 1;
    // All four west of Jupiter and nearer than it, clear of the planet and its shadow.
    EXPECT_LT(m.z, 0.0) << k + 1;
    EXPECT_FALSE(m.transit || m.occultation || m.eclipse || m.shadowTransit) << k + 1;
  }
}

// One moon's X, Y and Z less the reference's at one instant.
struct Difference {
  std::string at;
  int moon;  // 1 Io to 4 Callisto
  std::vector<double> xyz;
};

template <int moon>
std::vector<double> differencesOf(const Difference& d) {
  return onlyIf(d.moon == moon, d.xyz);
}

// Each moon's bound is its largest difference with a little margin. Ganymede's and Callisto's
// mean motions part from the reference's by 2100 (some 0.1 degree of their longitudes), Io's and
// Europa's less.
TEST(JupiterMoonsTest, AgreesWithAstronomyEngine) {
  const Table table = readTable("astronomy_jupiter_moons.csv");
  ASSERT_EQ(table.rows.size(), 1224u);
  const Quantity<Difference> quantities[] = {
      {"Io X, Y and Z", "", 0.013, differencesOf<1>},
      {"Europa X, Y and Z", "", 0.024, differencesOf<2>},
      {"Ganymede X, Y and Z", "", 0.05, differencesOf<3>},
      {"Callisto X, Y and Z", "", 0.065, differencesOf<4>},
  };
  std::vector<Difference> differences;
  for (const Row& row : table.rows) {
    JupiterMoons moons;
    ASSERT_TRUE(computeJupiterMoons(moons, number(row, "tt_jd")));
    const JupiterMoon& m = moonNumbered(moons, row);
    const Difference d{row.at("tt_jd") + " moon " + row.at("moon"),
                       static_cast<int>(number(row, "moon")),
                       {m.x - number(row, "x"), m.y - number(row, "y"), m.z - number(row, "z")}};
    differences.push_back(d);
    // A moon in front of the disk is in transit, behind it occulted; never both.
    const bool onDisk = m.x * m.x + m.y * m.y / (0.93513 * 0.93513) < 1.0;
    EXPECT_EQ(m.transit, onDisk && m.z < 0.0) << d.at;
    EXPECT_EQ(m.occultation, onDisk && m.z > 0.0) << d.at;
    EXPECT_FALSE(m.eclipse && m.shadowTransit) << d.at;
  }
  compare(quantities, differences);
}

// Where the reference's places begin or end a transit, an occultation, an eclipse or a shadow
// transit, the library's state 20 minutes before and after is the reference's.
TEST(JupiterMoonsTest, PhenomenaAroundTheReferencesContacts) {
  const Table table = readTable("astronomy_jupiter_moon_events.csv");
  ASSERT_GE(table.rows.size(), 200u);
  int seen[4] = {0, 0, 0, 0};
  for (const Row& row : table.rows) {
    JupiterMoons moons;
    ASSERT_TRUE(computeJupiterMoons(moons, number(row, "tt_jd")));
    const JupiterMoon& m = moonNumbered(moons, row);
    const bool ours[] = {m.transit, m.occultation, m.eclipse, m.shadowTransit};
    const char* const columns[] = {"transit", "occultation", "eclipse", "shadow_transit"};
    for (int p = 0; p < 4; ++p) {
      const bool theirs = number(row, columns[p]) != 0.0;
      EXPECT_EQ(ours[p], theirs) << columns[p] << " at " << row.at("tt_jd") << " moon "
                                 << row.at("moon");
      seen[p] += theirs;
    }
  }
  // The table holds every kind of phenomenon, several times.
  for (int p = 0; p < 4; ++p) EXPECT_GE(seen[p], 5) << p;
}

// The phenomena of the first days of 2016 as published (Sky & Telescope, from the predictions of
// the IMCCE, Paris Observatory): the mid-time of each contact, UT, to the minute. Where ours
// changes the same state within half an hour, the difference of the two instants, minutes: the
// two theories' places (a hundredth of a radius is a minute of Io's motion, four of Callisto's)
// and the definitions (there, the half of the moon's light for an eclipse, the limb across the
// middle of its disk otherwise; here its centre against Jupiter's outline and the shadow of the
// Sun's centre).
struct PublishedContact {
  int day, hour, minute;  // 2016 January, UT
  int moon;               // 1 Io to 4 Callisto
  int phenomenon;         // 0 transit, 1 occultation, 2 eclipse, 3 shadow transit
  bool begins;
};
const PublishedContact kJanuary2016[] = {
    {1, 14, 12, 3, 2, true},  {1, 15, 39, 1, 2, true},  {1, 17, 39, 3, 2, false},
    {1, 19, 6, 3, 1, true},   {1, 19, 6, 1, 1, false},  {1, 22, 19, 3, 1, false},
    {2, 5, 35, 2, 2, true},   {2, 10, 41, 2, 1, false}, {2, 11, 32, 4, 2, true},
    {2, 13, 1, 1, 3, true},   {2, 14, 10, 1, 0, true},  {2, 15, 10, 4, 2, false},
    {2, 15, 16, 1, 3, false}, {2, 16, 24, 1, 0, false}, {2, 23, 24, 4, 1, true},
    {3, 1, 42, 4, 1, false},  {3, 10, 7, 1, 2, true},   {3, 13, 34, 1, 1, false},
    {3, 23, 48, 2, 3, true},  {4, 2, 10, 2, 0, true},   {4, 2, 37, 2, 3, false},
    {4, 4, 54, 2, 0, false},  {5, 4, 13, 3, 3, true},   {5, 7, 36, 3, 3, false},
    {5, 8, 56, 3, 0, true},   {5, 12, 6, 3, 0, false},
};

struct Contact {
  std::string at;
  double minutes;  // ours less the published, or NaN where ours makes no such change
};

bool inPhenomenon(const PublishedContact& c, double jdUt) {
  JupiterMoons moons;
  EXPECT_TRUE(computeJupiterMoons(moons, terrestrialTime(jdUt)));
  const JupiterMoon& m = moons.*kMoons[c.moon - 1];
  const bool states[] = {m.transit, m.occultation, m.eclipse, m.shadowTransit};
  return states[c.phenomenon];
}

TEST(JupiterMoonsTest, AgreesWithPublishedContacts) {
  const Quantity<Contact> quantities[] = {
      {"Jovian moon contact", "min", 2.5,
       [](const Contact& c) { return std::vector<double>{c.minutes}; }},
  };
  constexpr double kDayZero = 2457387.5;  // 2015 December 31, 0h UT
  constexpr double kMinute = 1.0 / 1440.0;
  std::vector<Contact> contacts;
  for (const PublishedContact& c : kJanuary2016) {
    const double published = kDayZero + c.day + (c.hour * 60 + c.minute) * kMinute;
    // The first minute within half an hour either side where ours has changed as published,
    // then the change to a second.
    double before = published - 30.0 * kMinute, after = NAN;
    for (double t = before; t <= published + 30.0 * kMinute; t += kMinute) {
      if (inPhenomenon(c, t) == c.begins) {
        after = t;
        break;
      }
      before = t;
    }
    Contact contact{std::to_string(c.day) + " " + std::to_string(c.hour) + ":" +
                        std::to_string(c.minute) + " moon " + std::to_string(c.moon),
                    NAN};
    ASSERT_FALSE(std::isnan(after)) << contact.at;
    ASSERT_NE(inPhenomenon(c, before), c.begins) << contact.at;
    while (after - before > 1.0 / 86400.0) {
      const double middle = (before + after) / 2.0;
      (inPhenomenon(c, middle) == c.begins ? after : before) = middle;
    }
    contact.minutes = (after - published) / kMinute;
    contacts.push_back(contact);
  }
  compare(quantities, contacts);
}

}  // namespace
