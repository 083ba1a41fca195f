// Precession and the frames of J2000.0 and of date: the book's theta Persei and its Venus
// precessed on the ecliptic; the rotations the frames are built of; the frames' round trips and
// their agreement with one another; precessEquatorial between two epochs directly and through
// J2000.0, and precessEcliptic against it; and Astronomy Engine's precession
// (tools/astronomy-fixture/make-precession.mjs). Each tolerance against the reference is the
// largest difference found, rounded up; the README's table of differences quotes both, and
// precession.h the tolerance, by the names of the table below (readme_tables checks them).

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "astronomy/detail/vector.h"
#include "astronomy/frames.h"
#include "astronomy/nutation.h"
#include "astronomy/precession.h"
#include "base/constants.h"
#include "tests/support/fixture_table.h"

using namespace dockorrery;

namespace {

// The fixture helpers, the tables of quantities and the units of their differences.
using namespace fixture;

// The book's theta Persei: J2000.0 place 2h44m11.986s +49d13'42.48", proper motion +0.03425s
// and -0.0895" a year over the 28.8669 years to 2028 November 13.19 TD (JD 2462088.69), then
// precessed: 2h46m11.331s +49d20'54.54".
TEST(PrecessionTest, BookExampleThetaPersei) {
  constexpr double kSecondOfTime = 15.0 * kArcsecond;
  const double jd = 2462088.69;
  const double years = (jd - kJ2000Epoch) / 365.25;
  const EquatorialCoordinates catalogue{
      (2.0 * 3600.0 + 44.0 * 60.0 + 11.986 + 0.03425 * years) * kSecondOfTime,
      (49.0 * 3600.0 + 13.0 * 60.0 + 42.48 - 0.0895 * years) * kArcsecond};
  EquatorialCoordinates ofDate;
  ASSERT_TRUE(precessEquatorial(ofDate, catalogue, kJ2000Epoch, jd));
  EXPECT_NEAR(ofDate.rightAscension / kSecondOfTime, 2.0 * 3600.0 + 46.0 * 60.0 + 11.331, 0.0005);
  EXPECT_NEAR(ofDate.declination / kArcsecond, 49.0 * 3600.0 + 20.0 * 60.0 + 54.54, 0.005);
  // Back again, and a pole stays a pole.
  EquatorialCoordinates back;
  ASSERT_TRUE(precessEquatorial(back, ofDate, jd, kJ2000Epoch));
  EXPECT_NEAR(back.rightAscension, catalogue.rightAscension, 1e-9);
  EXPECT_NEAR(back.declination, catalogue.declination, 1e-9);
  ASSERT_TRUE(precessEquatorial(back, {0.0, kPi / 2.0}, kJ2000Epoch, kJ2000Epoch));
  EXPECT_NEAR(back.declination, kPi / 2.0, 1e-15);
  EXPECT_FALSE(precessEquatorial(back, catalogue, kJ2000Epoch, kEndJd));
  EXPECT_FALSE(precessEquatorial(back, {NAN, 0.0}, kJ2000Epoch, jd));
  EXPECT_TRUE(std::isnan(back.rightAscension) && std::isnan(back.declination));
}

// Ex. 21.c: Venus at J2000.0, 149.48194 degrees, +1.76549 degrees, to -214 June 30.0 TD:
// 118.704 degrees, +1.615 degrees.
TEST(PrecessionTest, BookEclipticPrecession) {
  EclipticCoordinates venus;
  ASSERT_TRUE(precessEcliptic(venus, {149.48194 * kDegree, 1.76549 * kDegree}, kJ2000Epoch,
                              1643074.5));
  EXPECT_NEAR(venus.longitude / kDegree, 118.704, 0.0005);
  EXPECT_NEAR(venus.latitude / kDegree, 1.615, 0.0005);
}

// The rotations the frames are built of: each turns the way its name says (a slip of sign would
// precess the wrong way), a product applies its right factor first, and the transpose undoes a
// rotation.
TEST(PrecessionTest, RotationsProductsAndTransposes) {
  using detail::Vector;
  const Vector x{1.0, 0.0, 0.0}, y{0.0, 1.0, 0.0}, z{0.0, 0.0, 1.0};
  EXPECT_LT(length(detail::rotationAboutZ(kPi / 2.0) * x - y), 1e-15);
  EXPECT_LT(length(detail::rotationAboutX(kPi / 2.0) * y - z), 1e-15);
  EXPECT_LT(length(cross(x, y) - z), 1e-15);
  const detail::Matrix a = detail::rotationAboutZ(0.3), b = detail::rotationAboutX(-1.1);
  const Vector v{0.2, -0.7, 0.5};
  EXPECT_LT(length((a * b) * v - a * (b * v)), 1e-15);
  EXPECT_LT(length(transpose(a * b) * ((a * b) * v) - v), 1e-15);
}

// The frames over the span and the sky: each inverse undoes its routine; the mean equator of
// date is precessEquatorial's and, turned by the mean obliquities, the mean ecliptic of date
// precessEcliptic's; the true ecliptic of date differs from the mean one by the nutation in
// longitude alone, and the true equator is the true ecliptic turned by the true obliquity.
TEST(PrecessionTest, FramesOfJ2000AndOfDate) {
  const double days[] = {kFirstJd, 2305447.5, kJ2000Epoch, 2462088.69, 2634166.5,
                         std::nextafter(kEndJd, 0.0)};
  const EquatorialCoordinates directions[] = {
      {0.0, 0.0}, {1.0, 0.5}, {4.0, -1.2}, {2.5, kPi / 2.0}, {5.9, -kPi / 2.0}, {3.1, 1.5707}};
  for (double jd : days) {
    // Within three centuries of 2000 the equatorial and ecliptic angles agree to 0.0011", at the
    // span's ends, forty centuries away, to 90" (precessEcliptic's).
    const bool near2000 = std::fabs(jd - kJ2000Epoch) < 3.0 * kJulianCentury;
    for (const EquatorialCoordinates& d : directions) {
      const std::string at = std::to_string(jd) + " " + std::to_string(d.rightAscension);
      for (EquinoxOfDate equinox : {EquinoxOfDate::Mean, EquinoxOfDate::True}) {
        EquatorialCoordinates ofDate, back;
        ASSERT_TRUE(equatorialFromJ2000(ofDate, d, jd, equinox)) << at;
        ASSERT_TRUE(equatorialToJ2000(back, ofDate, jd, equinox)) << at;
        double separation, angle;
        ASSERT_TRUE(angularSeparation(separation, angle, back, d));
        EXPECT_LT(separation, 1e-14) << at;
        EclipticCoordinates e{d.rightAscension, d.declination}, eOfDate, eBack;
        ASSERT_TRUE(eclipticFromJ2000(eOfDate, e, jd, equinox)) << at;
        ASSERT_TRUE(eclipticToJ2000(eBack, eOfDate, jd, equinox)) << at;
        ASSERT_TRUE(angularSeparation(separation, angle, {eBack.longitude, eBack.latitude},
                                      {e.longitude, e.latitude}));
        EXPECT_LT(separation, 1e-14) << at;
      }
      EquatorialCoordinates mean, precessed, viaEcliptic, trueOfDate, fromTrueEcliptic;
      ASSERT_TRUE(equatorialFromJ2000(mean, d, jd, EquinoxOfDate::Mean));
      ASSERT_TRUE(precessEquatorial(precessed, d, kJ2000Epoch, jd));
      double separation, angle;
      ASSERT_TRUE(angularSeparation(separation, angle, mean, precessed));
      EXPECT_LT(separation, 1e-14) << at;
      EclipticCoordinates e, meanEcliptic, trueEcliptic;
      equatorialToEcliptic(e, d, meanObliquity(kJ2000Epoch));
      ASSERT_TRUE(eclipticFromJ2000(meanEcliptic, e, jd, EquinoxOfDate::Mean));
      eclipticToEquatorial(viaEcliptic, meanEcliptic, meanObliquity(jd));
      ASSERT_TRUE(angularSeparation(separation, angle, mean, viaEcliptic));
      EXPECT_LT(separation, (near2000 ? 0.0011 : 90.0) * kArcsecond) << at;
      ASSERT_TRUE(eclipticFromJ2000(trueEcliptic, e, jd, EquinoxOfDate::True));
      Nutation n;
      ASSERT_TRUE(computeNutation(n, jd));
      EXPECT_NEAR(angleDifference(trueEcliptic.longitude, meanEcliptic.longitude), n.longitude,
                  1e-12) << at;
      EXPECT_NEAR(trueEcliptic.latitude, meanEcliptic.latitude, 1e-12) << at;
      ASSERT_TRUE(equatorialFromJ2000(trueOfDate, d, jd, EquinoxOfDate::True));
      eclipticToEquatorial(fromTrueEcliptic, trueEcliptic, trueObliquity(jd));
      ASSERT_TRUE(angularSeparation(separation, angle, trueOfDate, fromTrueEcliptic));
      EXPECT_LT(separation, (near2000 ? 0.0011 : 90.0) * kArcsecond) << at;
    }
  }
}

// The separation of two directions, arcsec.
double arcsecondsBetween(const EquatorialCoordinates& a, const EquatorialCoordinates& b) {
  double separation, angle;
  EXPECT_TRUE(angularSeparation(separation, angle, a, b));
  return separation * kArcsecondsPerRadian;
}

// A mean place precessed from one epoch to another by precessEquatorial directly, through
// J2000.0 in two steps, and through the ecliptic (turned by the mean obliquities, precessed by
// precessEcliptic): how far, arcsec, the second and the third land from the first.
struct Routes {
  double throughJ2000, throughEcliptic;
};
Routes precessionRoutes(const EquatorialCoordinates& d, double from, double to) {
  EquatorialCoordinates direct, j2000, twoSteps, viaEcliptic;
  EXPECT_TRUE(precessEquatorial(direct, d, from, to));
  EXPECT_TRUE(precessEquatorial(j2000, d, from, kJ2000Epoch));
  EXPECT_TRUE(precessEquatorial(twoSteps, j2000, kJ2000Epoch, to));
  EclipticCoordinates e, precessed;
  equatorialToEcliptic(e, d, meanObliquity(from));
  EXPECT_TRUE(precessEcliptic(precessed, e, from, to));
  eclipticToEquatorial(viaEcliptic, precessed, meanObliquity(to));
  return {arcsecondsBetween(direct, twoSteps), arcsecondsBetween(direct, viaEcliptic)};
}

// precessEquatorial's angles of arbitrary epochs against the two steps through J2000.0, and
// precessEcliptic's against it, over random directions and epochs: within two or three
// centuries of 2000 they agree to thousandths of an arcsecond, with J2000.0 one of the epochs
// or not; far from 2000 the powers of T of the angles of each set part, most between two epochs
// that are both far from it.
TEST(PrecessionTest, PrecessionRoutesAgree) {
  std::mt19937_64 engine{1976};
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const auto near2000 = [&](double centuries) {
    return kJ2000Epoch + (2.0 * uniform(engine) - 1.0) * centuries * kJulianCentury;
  };
  const auto anywhere = [&] { return kFirstJd + (kEndJd - kFirstJd) * uniform(engine); };
  double largest[5] = {};
  for (int k = 0; k < 20000; ++k) {
    const EquatorialCoordinates d{kTwoPi * uniform(engine), std::asin(2.0 * uniform(engine) - 1.0)};
    const double epoch = near2000(3.0), far = anywhere();
    const double cases[5] = {
        precessionRoutes(d, near2000(2.0), near2000(2.0)).throughJ2000,
        std::fmax(precessionRoutes(d, kJ2000Epoch, epoch).throughEcliptic,
                  precessionRoutes(d, epoch, kJ2000Epoch).throughEcliptic),
        std::fmax(precessionRoutes(d, kJ2000Epoch, far).throughEcliptic,
                  precessionRoutes(d, far, kJ2000Epoch).throughEcliptic),
        precessionRoutes(d, near2000(3.0), near2000(3.0)).throughEcliptic,
        precessionRoutes(d, anywhere(), anywhere()).throughEcliptic};
    for (int c = 0; c < 5; ++c) largest[c] = std::fmax(largest[c], cases[c]);
  }
  EXPECT_LE(largest[0], 0.001);   // direct and through J2000.0, both within two centuries
  EXPECT_LE(largest[1], 0.0011);  // ecliptic and equator from or to J2000.0, three centuries
  EXPECT_LE(largest[2], 90.0);    // the same over the span
  EXPECT_LE(largest[3], 0.005);   // ecliptic and equator between two epochs, three centuries
  EXPECT_LE(largest[4], 2000.0);  // the same over the span
  // Between two epochs both far from 2000 the routes part by a third of a degree and more.
  EXPECT_GT(precessionRoutes({1.0, 0.3}, kFirstJd, kEndJd - 1.0).throughJ2000, 1000.0);
}

struct PrecessionDifference {
  std::string at;
  std::vector<double> fromJ2000, perCentury, span, spanEpochs;
};

// Astronomy Engine's precession (tools/astronomy-fixture/make-precession.mjs): IAU 2006, its
// nutation taken out of its rotation to the true equator of date, at random directions, against
// the IAU 1976 angles here, whose rates differ by 0.31" a century. From J2000.0 the difference
// grows with the time from it, between two epochs with the time between them (arcseconds a
// century between the epochs; a year at least); far from 2000 each model's powers of T part,
// and between two epochs of the span the IAU 1976 angles take those powers in both.
TEST(PrecessionTest, PrecessionAgreesWithAstronomyEngine) {
  const Table table = readTable("astronomy_precession.csv");
  ASSERT_EQ(table.rows.size(), 8000u);
  const Quantity<PrecessionDifference> quantities[] = {
      {"precession from J2000.0", "arcsec", 0.65,
       [](const PrecessionDifference& d) { return d.fromJ2000; }},
      {"precession per century between epochs", "arcsec", 0.33,
       [](const PrecessionDifference& d) { return d.perCentury; }},
      {"precession over the span", "arcsec", 175.0,
       [](const PrecessionDifference& d) { return d.span; }},
      {"precession between epochs over the span", "arcsec", 1900.0,
       [](const PrecessionDifference& d) { return d.spanEpochs; }},
  };
  std::vector<PrecessionDifference> differences;
  for (const Row& row : table.rows) {
    const double from = number(row, "from_jd"), to = number(row, "to_jd");
    EquatorialCoordinates precessed;
    ASSERT_TRUE(precessEquatorial(precessed,
                                  {number(row, "ra") * kDegree, number(row, "dec") * kDegree},
                                  from, to));
    const double difference = arcsecondsBetween(
        precessed, {number(row, "to_ra") * kDegree, number(row, "to_dec") * kDegree});
    PrecessionDifference d{row.at("kind") + " " + row.at("from_jd") + " " + row.at("to_jd"),
                           {}, {}, {}, {}};
    const std::string& kind = row.at("kind");
    if (kind == "j2000") {
      d.fromJ2000.push_back(difference);
    } else if (kind == "epochs") {
      d.perCentury.push_back(difference /
                             std::fmax(std::fabs(to - from) / kJulianCentury, 0.01));
    } else if (kind == "span") {
      d.span.push_back(difference);
    } else {
      ASSERT_EQ(kind, "span epochs");
      d.spanEpochs.push_back(difference);
    }
    differences.push_back(d);
  }
  compare(quantities, differences);
}

}  // namespace
