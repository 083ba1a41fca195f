// Stars from a catalogue: the book's theta Persei, with its steps through the frames of
// precession.h on the way; the Earth the stars are seen from against the series' Earth; the
// perspective acceleration of Barnard's star; 40 catalogue stars and 4000 random ones against
// Astronomy Engine (places, horizontal coordinates, rise, transit and set), the catalogue's
// against libnova's own steps composed; and the rise, transit and set of random stars over the
// whole span against the star's own place. The frames of J2000.0 and of date are
// astronomy_precession_test.cpp's.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "astronomy/frames.h"
#include "astronomy/nutation.h"
#include "astronomy/detail/stars.h"
#include "astronomy/precession.h"
#include "astronomy/stars.h"
#include "base/body.h"
#include "base/constants.h"
#include "astronomy/detail/heliocentric.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

using namespace fixture;

double hours(double h, double m, double s) { return (h + m / 60.0 + s / 3600.0) * 15.0 * kDegree; }
double degrees(double d, double m, double s) { return (d + m / 60.0 + s / 3600.0) * kDegree; }

// Theta Persei (ex. 23.a): J2000.0 place 2h44m11.986s, +49d13'42.48", annual proper motion
// +0.03425s in right ascension (the rate of alpha; times 15 cos delta on the sky) and -0.0895".
const CatalogueStar kThetaPersei{
    {hours(2, 44, 11.986), degrees(49, 13, 42.48)},
    0.03425 * 15.0 * kArcsecond * std::cos(degrees(49, 13, 42.48)),
    -0.0895 * kArcsecond,
    0.0,
    0.0};
constexpr double kBookInstant = 2462088.69;  // 2028 November 13.19 TD

// The book's steps: the place moved and precessed (2h46m11.331s, +49d20'54.54", tested with
// precessEquatorial), the nutation (+15.843" in right ascension, +6.218" in declination) and
// the aberration (+30.045", +6.697"), which the book takes from its eq. 23.3, the Earth on an
// unperturbed ellipse without its month about the barycentre: with it, +30.057" and +6.694"
// (Astronomy Engine's, from its full series, +30.058" and +6.694"), and the place 0.0010s and
// 0.0035" from the book's 2h46m14.390s, +49d21'07.45".
TEST(StarsTest, BookThetaPersei) {
  ApparentPlace p;
  ASSERT_TRUE(computeStarApparentPlace(p, kThetaPersei, kBookInstant));
  EXPECT_EQ(p.jdTt, kBookInstant);
  EXPECT_TRUE(std::isinf(p.distanceAu));
  const double years = (kBookInstant - kJ2000Epoch) / 365.25;
  const EquatorialCoordinates moved{
      kThetaPersei.place.rightAscension + years * 0.03425 * 15.0 * kArcsecond,
      kThetaPersei.place.declination - years * 0.0895 * kArcsecond};
  EquatorialCoordinates mean, ofDate;
  ASSERT_TRUE(equatorialFromJ2000(mean, moved, kBookInstant, EquinoxOfDate::Mean));
  ASSERT_TRUE(equatorialFromJ2000(ofDate, moved, kBookInstant, EquinoxOfDate::True));
  EXPECT_NEAR(mean.rightAscension, hours(2, 46, 11.331), 0.0005 * 15.0 * kArcsecond);
  EXPECT_NEAR(mean.declination, degrees(49, 20, 54.54), 0.005 * kArcsecond);
  EXPECT_NEAR((ofDate.rightAscension - mean.rightAscension) / kArcsecond, 15.843, 0.001);
  EXPECT_NEAR((ofDate.declination - mean.declination) / kArcsecond, 6.218, 0.001);
  EXPECT_NEAR((p.equatorial.rightAscension - ofDate.rightAscension) / kArcsecond, 30.045, 0.013);
  EXPECT_NEAR((p.equatorial.declination - ofDate.declination) / kArcsecond, 6.697, 0.004);
  EXPECT_NEAR(p.equatorial.rightAscension, hours(2, 46, 14.390), 0.0011 * 15.0 * kArcsecond);
  EXPECT_NEAR(p.equatorial.declination, degrees(49, 21, 7.45), 0.004 * kArcsecond);
  // The ecliptic place is the equatorial one turned by the true obliquity.
  EquatorialCoordinates turned;
  eclipticToEquatorial(turned, p.ecliptic, trueObliquity(kBookInstant));
  EXPECT_NEAR(turned.rightAscension, p.equatorial.rightAscension, 1e-12);
  EXPECT_NEAR(turned.declination, p.equatorial.declination, 1e-12);
}

// The Earth the stars are seen from, on its ellipse with its month about the barycentre, against
// the series' Earth over the span: its velocity over c within 0.004" of aberration near 2000 and
// 0.009" anywhere, its place within 5e-4 AU (0.01" of annual parallax at the nearest star taken).
TEST(StarsTest, TheEarthOfTheStarsIsTheSeriesEarth) {
  constexpr int kSteps = 20000;
  double nearest = 0.0, anywhere = 0.0, place = 0.0;
  for (int k = 0; k <= kSteps; ++k) {
    const double jd = kFirstJd + (kEndJd - 1.0 - kFirstJd) * k / kSteps;
    const detail::Motion fast = detail::earthMotionForStars(jd);
    detail::Motion series;
    detail::heliocentricMotion(static_cast<int>(Body::Earth), jd, series);
    const double aberration =
        std::hypot(fast.vx - series.vx, fast.vy - series.vy, fast.vz - series.vz) /
        std::hypot(series.vx, series.vy, series.vz) * 20.49;  // arcsec
    anywhere = std::fmax(anywhere, aberration);
    if (std::fabs(jd - kJ2000Epoch) < 3.0 * kJulianCentury) {
      nearest = std::fmax(nearest, aberration);
    }
    place = std::fmax(place, std::hypot(fast.x - series.x, fast.y - series.y, fast.z - series.z));
  }
  EXPECT_LT(nearest, 0.004);
  EXPECT_LT(anywhere, 0.009);
  EXPECT_LT(place, 5e-4);
}

// Barnard's star, the fastest on the sky and approaching at 110.6 km/s: its proper motion grows
// by the perspective acceleration, dmu/dt = -2 mu v pi / A (A = 4.74047 km/s for 1 AU a year),
// so that it moves 12.85" further in the century after J2000.0 than in the century before; with
// no radial velocity the two centuries are the same. Each place is taken back to J2000.0 from
// the apparent one, at instants a hundred Julian years apart, where the aberration and annual
// parallax nearly repeat.
TEST(StarsTest, PerspectiveAccelerationOfBarnardsStar) {
  constexpr double kMas = kArcsecond / 1000.0;
  const double mu = std::hypot(-798.58, 10328.12), parallax = 548.31;  // mas a year, mas
  for (double radialVelocity : {-110.6, 0.0}) {
    const CatalogueStar barnard{{hours(17, 57, 48.498), degrees(4, 41, 36.21)},
                                -798.58 * kMas, 10328.12 * kMas, parallax * kMas, radialVelocity};
    EquatorialCoordinates j2000[3];
    for (int k = 0; k < 3; ++k) {
      const double jd = kJ2000Epoch + (k - 1) * kJulianCentury;
      ApparentPlace p;
      ASSERT_TRUE(computeStarApparentPlace(p, barnard, jd));
      ASSERT_TRUE(equatorialToJ2000(j2000[k], p.equatorial, jd, EquinoxOfDate::True));
    }
    double before, after, angle;
    ASSERT_TRUE(angularSeparation(before, angle, j2000[0], j2000[1]));
    ASSERT_TRUE(angularSeparation(after, angle, j2000[1], j2000[2]));
    // mas a year squared, the parallax in rad
    const double acceleration = -2.0 * mu * radialVelocity / 4.74047 * parallax * kMas;
    EXPECT_NEAR((after - before) / kArcsecond, acceleration * 100.0 * 100.0 / 1000.0, 0.02)
        << radialVelocity;
    EXPECT_NEAR((after + before) / 2.0 / kArcsecond, mu * 100.0 / 1000.0, 0.2) << radialVelocity;
  }
}

// The catalogue of tests/data/bright_stars.csv, by name.
const std::map<std::string, CatalogueStar>& catalogue() {
  static const std::map<std::string, CatalogueStar> stars = [] {
    constexpr double kMas = kArcsecond / 1000.0;
    std::map<std::string, CatalogueStar> read;
    for (const Row& row : readTable("bright_stars.csv").rows) {
      const double sign = row.at("dec_sign") == "-" ? -1.0 : 1.0;
      read[row.at("name")] = {
          {hours(number(row, "ra_h"), number(row, "ra_m"), number(row, "ra_s")),
           sign * degrees(number(row, "dec_d"), number(row, "dec_m"), number(row, "dec_s"))},
          number(row, "pm_ra_mas") * kMas, number(row, "pm_dec_mas") * kMas,
          number(row, "parallax_mas") * kMas, number(row, "rv_kms")};
    }
    return read;
  }();
  return stars;
}

// The star of a fixture row: a catalogue star by name, or a random one from the row's own
// columns (its place in degrees, motions in mas a year, parallax in mas, epoch as a Julian Day).
CatalogueStar starOf(const Row& row) {
  if (!row.at("star").empty()) return catalogue().at(row.at("star"));
  constexpr double kMas = kArcsecond / 1000.0;
  return {{number(row, "star_ra") * kDegree, number(row, "star_dec") * kDegree},
          number(row, "pm_ra") * kMas, number(row, "pm_dec") * kMas,
          number(row, "parallax") * kMas, number(row, "rv"), number(row, "epoch_jd")};
}

// Where a row is, for messages: its star (or the random star's place) and its day.
std::string rowName(const Row& row) {
  return (row.at("star").empty() ? "random star at " + row.at("star_ra") + " " +
                                       row.at("star_dec")
                                 : row.at("star")) +
         " " + row.at("ut_jd");
}

struct PlaceDifference {
  std::string at;
  std::vector<double> place, horizontal, refracted;
};

// Astronomy Engine's stars (tools/astronomy-fixture/make-stars.mjs): the same space motion
// applied before its DefineStar, then its precession (IAU 2006), nutation (IAU 2000B, 0.34" from
// the full theory), annual parallax and aberration by the Earth's heliocentric velocity, as
// here; its sidereal time from the Earth's rotation angle. The refracted altitude is compared
// above the horizon, where both take Saemundsson's formula for the standard air. The stars are
// the catalogue's 40 at 300 instants and 4000 random ones (places over the whole sphere, proper
// motions to 12" a year, parallaxes to 1", epochs of 1800 to 2200), half of them within ten
// years of 1800 or 2200, where the two precessions part most.
TEST(StarsTest, AgreesWithAstronomyEngine) {
  const Table table = readTable("astronomy_stars.csv");
  ASSERT_EQ(catalogue().size(), 40u);
  const Quantity<PlaceDifference> quantities[] = {
      {"star apparent place", "arcsec", 0.9, [](const PlaceDifference& d) { return d.place; }},
      {"star azimuth and altitude", "arcsec", 0.8,
       [](const PlaceDifference& d) { return d.horizontal; }},
      {"star refracted altitude", "arcsec", 0.8,
       [](const PlaceDifference& d) { return d.refracted; }},
  };
  std::vector<PlaceDifference> differences;
  int random = 0;
  for (const Row& row : table.rows) {
    if (row.at("kind") != "place" && row.at("kind") != "random place") continue;
    random += row.at("kind") == "random place";
    const CatalogueStar star = starOf(row);
    const Observer observer =
        observerFromDegrees(number(row, "latitude"), number(row, "longitude"));
    const double jdUt = number(row, "ut_jd");
    const double deltaT = (number(row, "tt_jd") - jdUt) * kSecondsPerDay;
    PlaceDifference d{rowName(row), {}, {}, {}};
    ApparentPlace a;
    ASSERT_TRUE(computeStarApparentPlace(a, star, number(row, "tt_jd"))) << d.at;
    double separation, angle;
    ASSERT_TRUE(angularSeparation(
        separation, angle, a.equatorial,
        {number(row, "ra") * 15.0 * kDegree, number(row, "dec") * kDegree}));
    d.place.push_back(separation * kArcsecondsPerRadian);
    TopocentricPlace t, r;
    ASSERT_TRUE(computeStarTopocentricPlace(t, star, jdUt, observer, deltaT)) << d.at;
    ASSERT_TRUE(computeStarTopocentricPlace(r, star, jdUt, observer, Atmosphere{}, deltaT));
    const double altitude = number(row, "altitude") * kDegree;
    d.horizontal.push_back((t.horizontal.altitude - altitude) * kArcsecondsPerRadian);
    d.horizontal.push_back(angleDifference(t.horizontal.azimuth, number(row, "azimuth") * kDegree) *
                           std::cos(altitude) * kArcsecondsPerRadian);
    if (altitude > 0.0) {
      d.refracted.push_back((r.horizontal.altitude - number(row, "refracted_altitude") * kDegree) *
                            kArcsecondsPerRadian);
    }
    EXPECT_EQ(r.horizontal.azimuth, t.horizontal.azimuth);
    EXPECT_GE(r.horizontal.altitude, t.horizontal.altitude);
    differences.push_back(d);
  }
  EXPECT_EQ(random, 4000);
  compare(quantities, differences);
}

struct LibnovaDifference {
  std::string at;
  std::vector<double> place;
};

// libnova's own steps composed (tools/libnova-fixture/make-stars.c): its linear proper motion,
// its precession (which drops the angles' quadratic and cubic terms: up to 2" a century from
// J2000.0), its nutation applied by the book's eq. 23.1 and its aberration by eq. 23.3 (the
// Earth on an unperturbed ellipse), for the catalogue's stars slower than 0.5" a year, whose
// straight path the linear motion follows, from 1900 to 2100. Astronomy Engine covers the rest.
TEST(StarsTest, AgreesWithLibnovasSteps) {
  const Table table = readTable("libnova_stars.csv");
  ASSERT_EQ(table.rows.size(), 200u);
  const Quantity<LibnovaDifference> quantities[] = {
      {"star place by libnova's steps", "arcsec", 2.0,
       [](const LibnovaDifference& d) { return d.place; }},
  };
  std::vector<LibnovaDifference> differences;
  for (const Row& row : table.rows) {
    ApparentPlace a;
    ASSERT_TRUE(computeStarApparentPlace(a, catalogue().at(row.at("star")), number(row, "tt_jd")));
    double separation, angle;
    ASSERT_TRUE(angularSeparation(separation, angle, a.equatorial,
                                  {number(row, "ra") * kDegree, number(row, "dec") * kDegree}));
    differences.push_back({row.at("star") + " " + row.at("tt_jd"),
                           {separation * kArcsecondsPerRadian}});
  }
  compare(quantities, differences);
}

// The rate of the star's altitude at `jdUt`, as seconds per arcminute of altitude.
double secondsPerArcminute(const CatalogueStar& star, const Observer& observer, double jdUt) {
  constexpr double kStep = 1e-4;  // days
  TopocentricPlace before, after;
  EXPECT_TRUE(computeStarTopocentricPlace(before, star, jdUt - kStep, observer));
  EXPECT_TRUE(computeStarTopocentricPlace(after, star, jdUt + kStep, observer));
  const double rate = (after.horizontal.altitude - before.horizontal.altitude) / (2.0 * kStep);
  return kSecondsPerDay * kArcsecond * 60.0 / std::fabs(rate);
}

// Where the star stands at each event found, from its own place: at a rise or set its altitude
// is the standard altitude to 0.01"; at the transit its distance from the meridian along its
// path (the hour angle times cos delta; read here as sin(azimuth) cos(altitude), which is
// sin(hour angle) cos(delta) exactly) is within 0.01", or 0.2" for a star within 10" of the
// celestial pole, whose hour angle its own motion through the day turns. Returns the events.
int expectOnItsOwnPlace(const RiseTransitSet& found, const CatalogueStar& star,
                        const Observer& observer, const std::string& at) {
  int events = 0;
  for (const DayEvent& event : dayEvents(found)) {
    if (!event.has) continue;
    ++events;
    TopocentricPlace place;
    EXPECT_TRUE(computeStarTopocentricPlace(place, star, event.jdUt, observer)) << at;
    if (std::string(event.name) == "transit") {
      const bool nearPole = kPi / 2.0 - std::fabs(place.equatorial.declination) < 10.0 * kArcsecond;
      const double fromMeridian =
          std::sin(place.horizontal.azimuth) * std::cos(place.horizontal.altitude);
      EXPECT_LE(std::fabs(fromMeridian) * kArcsecondsPerRadian, nearPole ? 0.2 : 0.01)
          << "transit at " << at << ", declination "
          << place.equatorial.declination / kDegree;
    } else {
      EXPECT_LE(std::fabs(place.horizontal.altitude - kStandardAltitudeStar) * kArcsecondsPerRadian,
                0.01)
          << event.name << " at " << at;
    }
  }
  return events;
}

// The one-call search against the star's own place over the whole span: random stars as the
// fixture's (proper motions to 12" a year, parallaxes to 1", epochs anywhere in the span) on
// random days for observers from pole to pole; stars within a minute of arc of a pole of date,
// where the diurnal circle is a few arcseconds and the place's own motion through the day
// (aberration, nutation, precession: up to 0.5") turns the hour angle; and the star at
// declination -89.8 degrees whose hour angle at transit is 0.34" (0.0013" along its path).
TEST(StarsTest, RiseTransitSetAtTheStarsOwnPlace) {
  std::mt19937_64 engine{20261212};
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const auto between = [&](double low, double high) {
    return low + (high - low) * uniform(engine);
  };
  constexpr double kMas = kArcsecond / 1000.0;
  int events = 0;
  for (int k = 0; k < 24000; ++k) {
    const double jdUt = std::floor(between(kFirstJd, kEndJd - 2.0)) + 0.5;
    CatalogueStar star{{between(0.0, kTwoPi), std::asin(between(-1.0, 1.0))},
                       between(-12000.0, 12000.0) * kMas, between(-12000.0, 12000.0) * kMas,
                       uniform(engine) < 0.25 ? 0.0 : between(0.0, 1000.0) * kMas,
                       between(-500.0, 500.0), between(kFirstJd, kEndJd - 1.0)};
    if (k % 6 == 0) {  // within 60" of a pole of date, standing still
      const double pole =
          (k % 12 == 0 ? 1.0 : -1.0) * (kPi / 2.0 - between(0.0, 60.0) * kArcsecond);
      ASSERT_TRUE(equatorialToJ2000(star.place, {between(0.0, kTwoPi), pole}, jdUt + 0.5,
                                    EquinoxOfDate::Mean));
      star = {star.place, 0.0, 0.0, 0.0, 0.0};
    }
    const Observer observer{between(-kPi, kPi), std::asin(between(-0.99999, 0.99999)), 0.0};
    RiseTransitSet found;
    ASSERT_TRUE(computeStarRiseTransitSet(found, star, observer, jdUt)) << jdUt;
    events += expectOnItsOwnPlace(found, star, observer, "day " + std::to_string(jdUt));
  }
  for (double jdUt : {2460676.5, 2378496.5, 2524591.5}) {
    CatalogueStar star{{}, 0.0, 0.0, 0.0, 0.0};
    ASSERT_TRUE(
        equatorialToJ2000(star.place, {1.0, -89.8 * kDegree}, jdUt, EquinoxOfDate::Mean));
    for (double latitude : {-89.0, -60.0, -10.0}) {
      const Observer observer = observerFromDegrees(latitude, 20.0);
      RiseTransitSet found;
      ASSERT_TRUE(computeStarRiseTransitSet(found, star, observer, jdUt));
      EXPECT_TRUE(found.hasTransit);
      events += expectOnItsOwnPlace(found, star, observer, "-89.8 degrees " + std::to_string(jdUt));
    }
  }
  EXPECT_GT(events, 40000);
}

// Astronomy Engine's rise and set of its star (SearchRiseSet: 34' of refraction, no
// semidiameter for a star) and its upper transit (SearchHourAngle), over the fixture's
// star-days: 120 of the catalogue's stars and 2000 of random ones, 1800 to 2200, half within
// ten years of its ends. Each event found stands where the star's own place puts it, too.
TEST(StarsTest, RiseTransitSetAgreeWithAstronomyEngine) {
  const Table table = readTable("astronomy_stars.csv");
  // A transit's time is the star's hour angle, whose difference near the pole is a far smaller
  // one on the sky (Polaris: 0.6" is 3 s): transits are compared by the arc the star moves
  // along its diurnal circle in the time between the two.
  const Quantity<Crossing> quantities[] = {
      {"star rise and set", "s", 0.2, crossingsOf<0>, 0.02},
      {"star transit along its path", "arcsec", 0.8, crossingsOf<1>},
  };
  std::vector<Crossing> crossings;
  int events = 0;
  for (const Row& row : table.rows) {
    if (row.at("kind") != "events" && row.at("kind") != "random events") continue;
    const CatalogueStar star = starOf(row);
    const Observer observer =
        observerFromDegrees(number(row, "latitude"), number(row, "longitude"));
    const double jdUt = number(row, "ut_jd");
    RiseTransitSet found;
    ASSERT_TRUE(computeStarRiseTransitSet(found, star, observer, jdUt));
    const std::string at = rowName(row) + " " + row.at("latitude");
    events += expectOnItsOwnPlace(found, star, observer, at);
    for (const DayEvent& event : dayEvents(found)) {
      const bool reference = !row.at(event.name).empty();
      // An event within seconds of the day's ends may fall on either side of it.
      const double there = reference ? number(row, event.name) : event.jdUt;
      const bool nearEnd = reference && (there - jdUt < 1e-4 || jdUt + 1.0 - there < 1e-4);
      if (!nearEnd) {
        EXPECT_EQ(event.has, reference) << event.name << " at " << at;
      }
      if (!event.has || !reference) continue;
      if (std::string(event.name) == "transit") {
        TopocentricPlace place;
        ASSERT_TRUE(computeStarTopocentricPlace(place, star, event.jdUt, observer));
        crossings.push_back({at + " transit", 1,
                             (event.jdUt - there) * kSiderealRotationPerDay *
                                 std::cos(place.equatorial.declination) * kArcsecondsPerRadian});
      } else {
        crossings.push_back({at + " " + event.name, 0, (event.jdUt - there) * kSecondsPerDay,
                             secondsPerArcminute(star, observer, event.jdUt)});
      }
    }
  }
  EXPECT_GT(events, 4500);
  compare(quantities, crossings);
}

}  // namespace
