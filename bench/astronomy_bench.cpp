// The astronomy library beside libnova, one row per quantity: the median time of one call of
// each over a thousand instants from 1950 to 2050 taken in turn (so that libnova's nutation,
// which keeps its last answer for 0.1 day, computes each one), and the largest difference of
// each from Astronomy Engine over the fixture of tests/data, computed here the same way for both.
//
// libnova's habits, minded in the accuracy columns: its nutation and sidereal time take the
// instant as UT, and its apparent sidereal time multiplies delta psi by cos(delta epsilon) where
// cos(epsilon) belongs, so its equation of the equinoxes is about 8% too large; its places take
// the instant as TT and are referred to the equator and equinox of J2000.0 (0.35 deg from those
// of date in 2025), so its rows here add its own precession to the date (ln_get_equ_prec), in
// the time as well; its rising and setting refine each event once. The rows of rising and
// setting count the events each finds of the reference's, and take the largest difference over
// those.
#include "bench/astronomy_bench.h"
#include "bench/astronomy_engine.h"

#include <benchmark/benchmark.h>
#include <libnova/libnova.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "astronomy/apparent.h"
#include "astronomy/constellations.h"
#include "astronomy/elements.h"
#include "astronomy/detail/magnitudes.h"
#include "astronomy/elongation.h"
#include "astronomy/events.h"
#include "astronomy/frames.h"
#include "astronomy/galactic.h"
#include "astronomy/illumination.h"
#include "astronomy/jupiter_moons.h"
#include "astronomy/libration.h"
#include "astronomy/lunar_eclipses.h"
#include "astronomy/moon.h"
#include "astronomy/moon_orbit.h"
#include "astronomy/mpc_orbits.h"
#include "astronomy/nutation.h"
#include "astronomy/detail/orbits.h"
#include "astronomy/detail/vector.h"
#include "astronomy/orbits.h"
#include "astronomy/precession.h"
#include "astronomy/refraction.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/seasons.h"
#include "astronomy/sidereal.h"
#include "astronomy/detail/solar_eclipses.h"
#include "astronomy/solar_eclipses.h"
#include "astronomy/stars.h"
#include "astronomy/time_scales.h"
#include "astronomy/transits.h"
#include "base/constants.h"
#include "astronomy/detail/heliocentric.h"
#include "tests/support/fixture_file.h"

using namespace dockorrery;

namespace {

// A thousand instants from 1950 to 2050 at every time of day, the same every run.
const std::vector<double>& instants() {
  static const std::vector<double> jds = [] {
    std::vector<double> v;
    uint32_t x = 271828;
    for (int i = 0; i < 1000; ++i) {
      x = x * 1664525u + 1013904223u;  // a linear congruential sequence
      v.push_back(2433282.5 + 36525.0 * (x / 4294967296.0));
    }
    return v;
  }();
  return jds;
}

// One call of a routine at an instant (Julian Day); what it gives is kept from the optimizer.
using Call = std::function<void(double)>;

void timeCalls(benchmark::State& state, const Call& call) {
  const std::vector<double>& jds = instants();
  size_t i = 0;
  for (auto _ : state) {
    call(jds[i]);
    if (++i == jds.size()) i = 0;
  }
}

// A benchmark's name: "library/", then the contender or the group (ours, libnova, whole, parts,
// engine), then the row.
std::string benchmarkName(const char* group, const char* row) {
  return std::string("library/") + group + "/" + row;
}

// Keeps what a timed call gives (its status, the record it filled) from the optimizer.
template <class... Values>
void keep(Values&&... values) {
  (benchmark::DoNotOptimize(values), ...);
}

// What the contenders are given, and the steps of libnova's that make one of its answers.

const Observer kGreenwich{0.0, 51.4769 * kDegree};

// Comet Encke's orbit of the book's example 33.a, for ours and for libnova.
const OrbitalElements kEncke{2448192.5 + 0.54502, 2.2091404 * (1.0 - 0.8502196), 0.8502196,
                             11.94524 * kDegree, 186.23352 * kDegree, 334.75006 * kDegree};

ln_ell_orbit libnovaEncke() {
  return {2.2091404, 0.8502196, 11.94524, 186.23352, 334.75006,
          ln_get_ell_mean_motion(2.2091404), 2448192.5 + 0.54502};
}

// (1) Ceres from its line of MPCORB.DAT (epoch 2025 May 5), for ours and for libnova, and the
// lines the reader is timed on: Ceres' and comet Hale-Bopp's of CometEls.txt.
constexpr const char* kCeresLine =
    "00001    3.34  0.15 K2555 188.70269   73.27343   80.25221   10.58780  0.0794013  "
    "0.21424651   2.7660512  0 E2024-V47  7330 125 1801-2024 0.80 M-v 30k MPCLINUX   4000      "
    "(1) Ceres              20241101";
constexpr const char* kHaleBoppLine =
    "    CJ95O010  1997 03 29.0319  0.925246  0.994897  130.7250  281.8047   89.7360  20260922  "
    "-2.0  4.0  C/1995 O1 (Hale-Bopp)                                    MPC194091";

const OrbitalElements& ceres() {
  static const OrbitalElements elements = [] {
    MpcOrbit orbit;
    static_cast<void>(parseMpcMinorPlanetLine(orbit, kCeresLine));
    return orbit.elements;
  }();
  return elements;
}

ln_ell_orbit libnovaCeres() {
  const OrbitalElements& c = ceres();
  const double a = c.perihelionDistanceAu / (1.0 - c.eccentricity);
  return {a, c.eccentricity, c.inclination / kDegree, c.argumentOfPerihelion / kDegree,
          c.ascendingNode / kDegree, ln_get_ell_mean_motion(a), c.perihelionJdTt};
}

// The magnitudes of Ceres by H = 3.34, G = 0.15 and of comet Encke by g = 10, k = 4 (libnova's
// k = 10), ours and libnova's; and the comet's from libnova's distances from the Sun and the
// Earth put into the law, what gives its right magnitude with libnova.
bool minorBodyMagnitude(MinorBodyBrightness& b, bool comet, double jd) {
  return comet ? computeCometMagnitude(b, kEncke, 10.0, 4.0, jd)
               : computeAsteroidMagnitude(b, ceres(), 3.34, 0.15, jd);
}

void minorBodyMagnitude(bool comet, double jd) {
  MinorBodyBrightness b;
  keep(minorBodyMagnitude(b, comet, jd), b);
}

double libnovaCeresMagnitude(double jd) {
  ln_ell_orbit orbit = libnovaCeres();
  return ln_get_asteroid_mag(jd, &orbit, 3.34, 0.15);
}

double libnovaEnckeMagnitude(double jd) {
  ln_ell_orbit orbit = libnovaEncke();
  return ln_get_ell_comet_mag(jd, &orbit, 10.0, 10.0);
}

double libnovaEnckeMagnitudeByItsDistances(double jd) {
  ln_ell_orbit orbit = libnovaEncke();
  const double r = ln_get_ell_body_solar_dist(jd, &orbit);
  const double delta = ln_get_ell_body_earth_dist(jd, &orbit);
  return detail::cometMagnitude(10.0, 4.0, r, delta);
}

// A direction of J2000.0 drawn from an instant, anywhere on the sphere, cheaply: the fraction
// of the day turned into right ascension, another fraction into declination.
EquatorialCoordinates skyDirection(double jd) {
  const double day = jd - std::floor(jd), other = jd * 7.3 - std::floor(jd * 7.3);
  return {day * kTwoPi, (other - 0.5) * kPi};
}

// libnova's constellation of a direction of J2000.0, precessed by libnova to B1875.0.
const char* libnovaConstellation(const EquatorialCoordinates& j2000) {
  ln_equ_posn from{j2000.rightAscension / kDegree, j2000.declination / kDegree}, b1875;
  ln_get_equ_prec2(&from, JD2000, kB1875Epoch, &b1875);
  return ln_get_constellation(&b1875);
}

using LibnovaPlace = void (*)(double, ln_equ_posn*);

// libnova's place of a body at `jd`, precessed by libnova from J2000.0 to the date.
ln_equ_posn libnovaOfDate(LibnovaPlace libnova, double jd) {
  ln_equ_posn j2000, ofDate;
  libnova(jd, &j2000);
  ln_get_equ_prec(&j2000, jd, &ofDate);
  return ofDate;
}

// libnova's precession of an ecliptic place from J2000.0 to `jd`. Its ln_get_ecl_prec is empty
// in 0.16 (it leaves 0 in its result): its way is through the equator, ln_get_equ_from_ecl at
// J2000.0, ln_get_equ_prec2 and ln_get_ecl_from_equ at the date (which takes its own nutation's
// true obliquity: its place is of the true ecliptic's obliquity, the mean equinox).
ln_lnlat_posn libnovaEclipticPrecession(ln_lnlat_posn from, double jd) {
  ln_equ_posn j2000, ofDate;
  ln_lnlat_posn to;
  ln_get_equ_from_ecl(&from, JD2000, &j2000);
  ln_get_equ_prec2(&j2000, JD2000, jd, &ofDate);
  ln_get_ecl_from_equ(&ofDate, jd, &to);
  return to;
}

// The catalogue of tests/data/bright_stars.csv: each star for ours, and for libnova its place
// (degrees) and its rates of right ascension and declination (degrees a year).
struct BenchStar {
  CatalogueStar ours;
  ln_equ_posn place, motion;
};
const std::map<std::string, BenchStar>& benchStars() {
  static const std::map<std::string, BenchStar> stars = [] {
    std::map<std::string, BenchStar> read;
    for (const auto& row : readFixtureTable(SOURCE_DIR, "bright_stars.csv").rows) {
      const double ra = (fixtureNumber(row, "ra_h") + fixtureNumber(row, "ra_m") / 60.0 +
                         fixtureNumber(row, "ra_s") / 3600.0) * 15.0;
      const double dec = (row.at("dec_sign") == "-" ? -1.0 : 1.0) *
                         (fixtureNumber(row, "dec_d") + fixtureNumber(row, "dec_m") / 60.0 +
                          fixtureNumber(row, "dec_s") / 3600.0);
      const double mas = 1.0 / 3600000.0;
      const double pmRa = fixtureNumber(row, "pm_ra_mas") * mas, pmDec = fixtureNumber(row, "pm_dec_mas") * mas;
      read[row.at("name")] = {{{ra * kDegree, dec * kDegree}, pmRa * kDegree, pmDec * kDegree,
                               fixtureNumber(row, "parallax_mas") * mas * kDegree,
                               fixtureNumber(row, "rv_kms")},
                              {ra, dec},
                              {pmRa / std::cos(dec * kDegree), pmDec}};
    }
    return read;
  }();
  return stars;
}

// libnova's apparent place of a star at `jdTt`, of its own steps: its proper motion, precession,
// nutation (its angles by the book's eq. 23.1: it has no routine that applies them) and
// aberration. Its nutation is given the instant as UT, as its nutation's row takes it.
ln_equ_posn libnovaStar(const BenchStar& star, double jdTt) {
  ln_equ_posn place = star.place, motion = star.motion, moved, precessed, nutated, apparent;
  ln_get_equ_pm(&place, &motion, jdTt, &moved);
  ln_get_equ_prec2(&moved, JD2000, jdTt, &precessed);
  ln_nutation n;
  ln_get_nutation(jdTt, &n);
  const double e = n.ecliptic * kDegree, a = precessed.ra * kDegree,
               t = std::tan(precessed.dec * kDegree);
  nutated.ra = precessed.ra + (std::cos(e) + std::sin(e) * std::sin(a) * t) * n.longitude -
               std::cos(a) * t * n.obliquity;
  nutated.dec = precessed.dec + std::sin(e) * std::cos(a) * n.longitude +
                std::sin(a) * n.obliquity;
  ln_get_equ_aber(&nutated, jdTt, &apparent);
  return apparent;
}

// The calls that several rows time.

void motion(Body body, double jdTt) {
  detail::Motion m;
  detail::heliocentricMotion(static_cast<int>(body), jdTt, m);
  keep(m);
}

void nutation(double jdTt) {
  Nutation n;
  keep(computeNutation(n, jdTt), n);
}

void apparentPlace(Body body, double jdTt) {
  ApparentPlace p;
  keep(computeApparentPlace(p, body, jdTt), p);
}

void illumination(Body body, double jdTt) {
  Illumination i;
  keep(computeIllumination(i, body, jdTt), i);
}

using LibnovaRiseSet = int (*)(double, ln_lnlat_posn*, ln_rst_time*);

// A day's rising, transit and setting at Greenwich, ours and libnova's.
void riseTransitSet(Body body, double jdUt) {
  RiseTransitSet e;
  keep(computeBodyRiseTransitSet(e, body, kGreenwich, jdUt), e);
}

void libnovaRiseTransitSet(LibnovaRiseSet libnova, double jdUt) {
  ln_lnlat_posn observer{0.0, 51.4769};
  ln_rst_time rst;
  keep(libnova(jdUt, &observer, &rst), rst);
}

// What each row times: one call of ours and one of libnova's that computes the same thing (none
// where libnova has no equivalent), at one of the instants.
struct TimedRow {
  const char* name;
  Call ours, libnova;
};

const std::vector<TimedRow>& timedRows() {
  static const std::vector<TimedRow> table = {
      {"orbit position, Encke",
       [](double jd) {
         OrbitPosition p;
         keep(computeOrbitPosition(p, kEncke, jd), p);
       },
       [](double jd) {
         ln_ell_orbit orbit = libnovaEncke();
         ln_rect_posn p;
         ln_get_ell_helio_rect_posn(&orbit, jd, &p);
         keep(p);
       }},
      // Ours the apparent place of date, libnova's the place of J2000.0 with its light time.
      {"orbit apparent place, Encke",
       [](double jd) {
         ApparentPlace p;
         keep(computeOrbitApparentPlace(p, kEncke, jd), p);
       },
       [](double jd) {
         ln_ell_orbit orbit = libnovaEncke();
         ln_equ_posn p;
         ln_get_ell_body_equ_coords(jd, &orbit, &p);
         keep(p);
       }},
      {"nutation", nutation,
       [](double jd) {
         ln_nutation n;
         ln_get_nutation(jd, &n);
         keep(n);
       }},
      {"mean sidereal time", [](double jd) { keep(meanSiderealTime(jd)); },
       [](double jd) { keep(ln_get_mean_sidereal_time(jd)); }},
      {"apparent sidereal time", [](double jd) { keep(apparentSiderealTime(jd)); },
       [](double jd) { keep(ln_get_apparent_sidereal_time(jd)); }},
      {"delta T", [](double jd) { keep(deltaT(jd)); },
       [](double jd) { keep(ln_get_dynamical_time_diff(jd)); }},
      // An apparent altitude of 0 to 90 degrees drawn from the instant.
      {"refraction, apparent to true",
       [](double jd) {
         double h;
         keep(unrefractedAltitude(h, std::fmod(jd, 90.0) * kDegree), h);
       },
       [](double jd) { keep(ln_get_refraction_adj(std::fmod(jd, 90.0), 1010.0, 10.0)); }},
      // Two directions a little apart drawn from the instant, their separation and position
      // angle (libnova's two calls).
      {"angular separation",
       [](double jd) {
         double d, p;
         keep(angularSeparation(d, p, {0.7, 0.3}, {std::fmod(jd, 1.0), 0.2}), d, p);
       },
       [](double jd) {
         ln_equ_posn a{0.7 / kDegree, 0.3 / kDegree};
         ln_equ_posn b{std::fmod(jd, 1.0) / kDegree, 0.2 / kDegree};
         keep(ln_get_angular_separation(&a, &b), ln_get_rel_posn_angle(&a, &b));
       }},
      // A star's J2000.0 place to the mean place of the instant.
      {"precession",
       [](double jd) {
         EquatorialCoordinates q;
         keep(precessEquatorial(q, {0.7, 0.8}, kJ2000Epoch, jd), q);
       },
       [](double jd) {
         ln_equ_posn from{0.7 / kDegree, 0.8 / kDegree}, to;
         ln_get_equ_prec2(&from, JD2000, jd, &to);
         keep(to);
       }},
      {"apparent place, Sun", [](double jd) { apparentPlace(Body::Sun, jd); },
       [](double jd) { keep(libnovaOfDate(ln_get_solar_equ_coords, jd)); }},
      {"apparent place, Moon", [](double jd) { apparentPlace(Body::Moon, jd); },
       [](double jd) { keep(libnovaOfDate(ln_get_lunar_equ_coords, jd)); }},
      {"apparent place, Mars", [](double jd) { apparentPlace(Body::Mars, jd); },
       [](double jd) { keep(libnovaOfDate(ln_get_mars_equ_coords, jd)); }},
      {"rise, transit and set, Sun", [](double jd) { riseTransitSet(Body::Sun, jd); },
       [](double jd) { libnovaRiseTransitSet(ln_get_solar_rst, jd); }},
      {"rise, transit and set, Moon", [](double jd) { riseTransitSet(Body::Moon, jd); },
       [](double jd) { libnovaRiseTransitSet(ln_get_lunar_rst, jd); }},
      // libnova's look of a planet: the four calls that give what computeIllumination gives at
      // once.
      {"illumination, Venus", [](double jd) { illumination(Body::Venus, jd); },
       [](double jd) {
         keep(ln_get_venus_magnitude(jd), ln_get_venus_disk(jd), ln_get_venus_phase(jd),
              ln_get_venus_sdiam(jd));
       }},
      {"illumination, Saturn", [](double jd) { illumination(Body::Saturn, jd); },
       [](double jd) {
         keep(ln_get_saturn_magnitude(jd), ln_get_saturn_disk(jd), ln_get_saturn_phase(jd),
              ln_get_saturn_equ_sdiam(jd));
       }},
      // A direction of J2000.0 drawn from the instant.
      {"galactic coordinates",
       [](double jd) {
         GalacticCoordinates g;
         keep(equatorialToGalactic(g, skyDirection(jd)), g);
       },
       [](double jd) {
         const EquatorialCoordinates q = skyDirection(jd);
         ln_equ_posn equ{q.rightAscension / kDegree, q.declination / kDegree};
         ln_gal_posn gal;
         ln_get_gal_from_equ2000(&equ, &gal);
         keep(gal);
       }},
      // The same directions of J2000.0; libnova's lookup wants places of B1875.0, so its row
      // adds its own precession there.
      {"constellation",
       [](double jd) {
         Constellation c;
         keep(findConstellation(c, skyDirection(jd), kJ2000Epoch), c);
       },
       [](double jd) { keep(libnovaConstellation(skyDirection(jd))); }},
      {"asteroid magnitude, Ceres", [](double jd) { minorBodyMagnitude(false, jd); },
       [](double jd) { keep(libnovaCeresMagnitude(jd)); }},
      {"comet magnitude, Encke", [](double jd) { minorBodyMagnitude(true, jd); },
       [](double jd) { keep(libnovaEnckeMagnitude(jd)); }},
      {"comet magnitude, Encke, libnova's distances",
       [](double jd) { minorBodyMagnitude(true, jd); },
       [](double jd) { keep(libnovaEnckeMagnitudeByItsDistances(jd)); }},
      // libnova has no reader of the Minor Planet Center's lines: ours is timed alone, a minor
      // planet's and a comet's line in turn.
      {"Minor Planet Center line",
       [](double jd) {
         MpcOrbit orbit;
         const bool comet = std::fmod(jd, 1.0) < 0.5;
         keep(comet ? parseMpcCometLine(orbit, kHaleBoppLine)
                    : parseMpcMinorPlanetLine(orbit, kCeresLine),
              orbit);
       },
       nullptr},
      // Arcturus moves 2.3" a year.
      {"star apparent place, Arcturus",
       [](double jd) {
         ApparentPlace p;
         keep(computeStarApparentPlace(p, benchStars().at("Arcturus").ours, jd), p);
       },
       [](double jd) { keep(libnovaStar(benchStars().at("Arcturus"), jd)); }},
      // A day at Greenwich; libnova's given its own place of the star at the day's middle.
      {"star rise, transit and set, Arcturus",
       [](double jd) {
         RiseTransitSet e;
         keep(computeStarRiseTransitSet(e, benchStars().at("Arcturus").ours, kGreenwich, jd), e);
       },
       [](double jd) {
         ln_lnlat_posn observer{0.0, 51.4769};
         ln_equ_posn place = libnovaStar(benchStars().at("Arcturus"), jd + 0.5);
         ln_rst_time rst;
         keep(ln_get_object_rst(jd, &observer, &place, &rst), rst);
       }},
      // An ecliptic place of J2000.0 drawn from the instant to the mean ecliptic of the instant.
      {"ecliptic precession",
       [](double jd) {
         EclipticCoordinates e;
         keep(precessEcliptic(e, {std::fmod(jd, 6.0), 0.03}, kJ2000Epoch, jd), e);
       },
       [](double jd) {
         ln_lnlat_posn from{std::fmod(jd, 6.0) / kDegree, 0.03 / kDegree};
         keep(libnovaEclipticPrecession(from, jd));
       }},
  };
  return table;
}

// How each row's accuracy is measured.

// The largest difference of a quantity over the fixture, for ours and for libnova; for events,
// also how many of the reference's each found (an event not found adds NaN).
struct Accuracy {
  double ours = 0.0, libnova = 0.0;
  int oursFound = 0, libnovaFound = 0, events = 0;
  void add(double oursDifference, double libnovaDifference) {
    if (!std::isnan(oursDifference)) ours = std::fmax(ours, std::fabs(oursDifference));
    if (!std::isnan(libnovaDifference)) libnova = std::fmax(libnova, std::fabs(libnovaDifference));
  }
  void addEvent(double oursDifference, double libnovaDifference) {
    ++events;
    oursFound += !std::isnan(oursDifference);
    libnovaFound += !std::isnan(libnovaDifference);
    add(oursDifference, libnovaDifference);
  }
};

// A row's accuracy: both contenders' against the reference, in `unit`, and what the reference
// is; no measure where libnova is not timed.
struct AccuracyRow {
  const char* name;
  std::function<Accuracy()> measure;
  const char* unit;
  const char* reference;
};

constexpr double kSecondsPerRadianOfTime = kSecondsPerDay / kTwoPi;

FixtureTable instantsTable() { return readFixtureTable(SOURCE_DIR, "astronomy_instants.csv"); }

// The apparent places of every body at 10000 instants, read once for the rows of all bodies.
const FixtureTable& apparentTable() {
  static const FixtureTable table = readFixtureTable(SOURCE_DIR, "astronomy_apparent.csv");
  return table;
}

// An angle difference in rad reduced into (-pi, pi].
double angleDifference(double a, double b) { return std::remainder(a - b, kTwoPi); }

// Angle between two directions of right ascension and declination (rad), by the haversine.
double separation(double ra1, double dec1, double ra2, double dec2) {
  const double a = std::sin((dec2 - dec1) / 2.0), b = std::sin((ra2 - ra1) / 2.0);
  return 2.0 * std::asin(std::sqrt(a * a + std::cos(dec1) * std::cos(dec2) * b * b));
}

// A vector of the ecliptic of J2000.0 on the equator of J2000.0.
detail::Vector eclipticToEquatorJ2000(const detail::Vector& v) {
  return detail::rotationAboutX(23.4392911 * kDegree) * v;
}

// Heliocentric, against each other over the bench's instants (both solve the same equation):
// how far ours is from libnova's.
Accuracy orbitPositionAccuracy() {
  Accuracy a;
  ln_ell_orbit orbit = libnovaEncke();
  for (double jd : instants()) {
    OrbitPosition p;
    if (!computeOrbitPosition(p, kEncke, jd)) continue;
    ln_rect_posn l;
    ln_get_ell_helio_rect_posn(&orbit, jd, &l);
    const detail::Vector e = eclipticToEquatorJ2000({p.x, p.y, p.z});
    a.add(std::hypot(e.x - l.X, e.y - l.Y, e.z - l.Z), 0.0);
  }
  return a;
}

// Both against the book's example 33.a: ours its place of J2000.0 with light time, libnova's
// the place it times.
Accuracy orbitApparentPlaceAccuracy() {
  Accuracy a;
  detail::Vector v;
  double distance;
  if (!detail::orbitGeocentricJ2000(v, distance, kEncke, 2448170.5, false)) return a;
  const detail::Vector e = eclipticToEquatorJ2000(v);
  const double ra = std::atan2(e.y, e.x) / kDegree;
  const double dec = std::atan2(e.z, std::hypot(e.x, e.y)) / kDegree;
  ln_ell_orbit orbit = libnovaEncke();
  ln_equ_posn l;
  ln_get_ell_body_equ_coords(2448170.5, &orbit, &l);
  const double c = std::cos(19.158496 * kDegree);
  a.add((ra - 158.558965) * 3600.0 * c, (l.ra - 158.558965) * 3600.0 * c);
  a.add((dec - 19.158496) * 3600.0, (l.dec - 19.158496) * 3600.0);
  return a;
}

Accuracy nutationAccuracy() {
  Accuracy a;
  for (const auto& row : instantsTable().rows) {
    const double tt = fixtureNumber(row, "tt_jd"), ut = fixtureNumber(row, "ut_jd");
    Nutation n;
    if (!computeNutation(n, tt)) continue;
    ln_nutation l;
    ln_get_nutation(ut, &l);
    a.add(n.longitude / kArcsecond - fixtureNumber(row, "dpsi"),
          l.longitude * 3600.0 - fixtureNumber(row, "dpsi"));
    a.add(n.obliquity / kArcsecond - fixtureNumber(row, "deps"),
          l.obliquity * 3600.0 - fixtureNumber(row, "deps"));
  }
  return a;
}

// The mean sidereal time is the reference's apparent one less its equation of the equinoxes.
Accuracy siderealTimeAccuracy(bool apparent) {
  Accuracy a;
  for (const auto& row : instantsTable().rows) {
    const double ut = fixtureNumber(row, "ut_jd");
    double reference = fixtureNumber(row, "gast_hours") * 15.0 * kDegree;
    if (!apparent) reference -= fixtureNumber(row, "ee_seconds") / kSecondsPerRadianOfTime;
    const double ours = apparent ? apparentSiderealTime(ut) : meanSiderealTime(ut);
    const double libnova =
        apparent ? ln_get_apparent_sidereal_time(ut) : ln_get_mean_sidereal_time(ut);
    a.add(angleDifference(ours, reference) * kSecondsPerRadianOfTime,
          angleDifference(libnova * 15.0 * kDegree, reference) * kSecondsPerRadianOfTime);
  }
  return a;
}

// The observed values from 1900 and the IERS values from 1973, as the library's table is made
// from them (at instants of TT: their UT is delta T earlier).
Accuracy deltaTAccuracy() {
  Accuracy a;
  for (const char* name : {"historic.csv", "iers_daily.csv"}) {
    const std::string path = std::string(SOURCE_DIR) + "/astronomy/data/delta_t/" + name;
    for (const auto& row : readCsvTable(path).rows) {
      const double reference = fixtureNumber(row, "delta_t");
      const double ut = fixtureNumber(row, "tt_jd") - reference / kSecondsPerDay;
      if (ut < 2415020.5) continue;  // from 1900
      a.add(deltaT(ut) - reference, ln_get_dynamical_time_diff(ut) - reference);
    }
  }
  return a;
}

// The book's 28.754' at 0.5 degrees (libnova's small correction takes the refraction in
// degrees, not minutes of arc).
Accuracy refractionAccuracy() {
  Accuracy a;
  double h = NAN;
  static_cast<void>(unrefractedAltitude(h, 0.5 * kDegree));
  a.add((0.5 * kDegree - h) / kArcsecond - 28.754 * 60.0,
        ln_get_refraction_adj(0.5, 1010.0, 10.0) * 3600.0 - 28.754 * 60.0);
  return a;
}

// The book's Arcturus and Spica, 32.7930 degrees apart.
Accuracy angularSeparationAccuracy() {
  Accuracy a;
  double d = NAN, p = NAN;
  static_cast<void>(angularSeparation(d, p, {213.9154 * kDegree, 19.1825 * kDegree},
                                      {201.2983 * kDegree, -11.1614 * kDegree}));
  ln_equ_posn arcturus{213.9154, 19.1825}, spica{201.2983, -11.1614};
  a.add((d / kDegree - 32.7930) * 3600.0,
        (ln_get_angular_separation(&arcturus, &spica) - 32.7930) * 3600.0);
  return a;
}

// The book's theta Persei of 2028 November 13.19 TD.
Accuracy precessionAccuracy() {
  Accuracy a;
  const double jd = 2462088.69, years = (jd - kJ2000Epoch) / 365.25;
  const double ra = (9851.986 + 0.03425 * years) * 15.0, dec = 177222.48 - 0.0895 * years;
  EquatorialCoordinates q{NAN, NAN};
  static_cast<void>(precessEquatorial(q, {ra * kArcsecond, dec * kArcsecond}, kJ2000Epoch, jd));
  ln_equ_posn from{ra / 3600.0, dec / 3600.0}, to;
  ln_get_equ_prec2(&from, JD2000, jd, &to);
  const double bookRa = 9971.331 * 15.0, bookDec = 177654.54;
  a.add(q.rightAscension / kArcsecond - bookRa, to.ra * 3600.0 - bookRa);
  a.add(q.declination / kArcsecond - bookDec, to.dec * 3600.0 - bookDec);
  return a;
}

// The apparent place of `body`, libnova's by `libnova`, against the reference's apparent right
// ascension and declination (true equator and equinox of date).
AccuracyRow apparentPlaceRow(const char* name, Body body, const char* bodyName,
                             LibnovaPlace libnova) {
  return {name,
          [body, bodyName, libnova] {
            Accuracy a;
            for (const auto& row : apparentTable().rows) {
              if (row.at("body") != bodyName) continue;
              const double tt = fixtureNumber(row, "tt_jd");
              const double ra = fixtureNumber(row, "ra") * kDegree;
              const double dec = fixtureNumber(row, "dec") * kDegree;
              ApparentPlace p;
              if (!computeApparentPlace(p, body, tt)) continue;
              const ln_equ_posn l = libnovaOfDate(libnova, tt);
              a.add(separation(p.equatorial.rightAscension, p.equatorial.declination, ra, dec) /
                        kArcsecond,
                    separation(l.ra * kDegree, l.dec * kDegree, ra, dec) / kArcsecond);
            }
            return a;
          },
          "″", "apparent place of date, 1900–2100"};
}

// The day's rising, transit and setting of ours and libnova's against a fixture row's: an event
// counts as found when it falls within 30 minutes of the reference's.
void addDayEvents(Accuracy& a, const std::map<std::string, std::string>& row,
                  const RiseTransitSet& e, const ln_rst_time& rst) {
  constexpr double kWindow = 1800.0;  // s
  const auto near = [](double time, double reference) {
    const double d = (time - reference) * kSecondsPerDay;
    return std::fabs(d) <= kWindow ? d : NAN;
  };
  const struct {
    const char* column;
    double ours, libnova;
  } events[] = {{"rise", e.riseJdUt, rst.rise},
                {"transit", e.transitJdUt, rst.transit},
                {"set", e.setJdUt, rst.set}};
  for (const auto& event : events) {
    if (row.at(event.column).empty()) continue;
    const double reference = fixtureNumber(row, event.column);
    a.addEvent(near(event.ours, reference), near(event.libnova, reference));
  }
}

// One day's rising, transit and setting of `body` against the reference's events at observers
// from the equator to the polar circles.
AccuracyRow riseSetRow(const char* name, Body body, const char* bodyName,
                       LibnovaRiseSet libnova) {
  return {name,
          [body, bodyName, libnova] {
            Accuracy a;
            for (const auto& row : readFixtureTable(SOURCE_DIR, "astronomy_events.csv").rows) {
              if (row.at("body") != bodyName) continue;
              const double jd0 = fixtureNumber(row, "jd0_ut");
              const double lat = fixtureNumber(row, "obs_lat"), lon = fixtureNumber(row, "obs_lon");
              RiseTransitSet e;
              // A failure leaves every time NaN: its events count as not found.
              static_cast<void>(
                  computeBodyRiseTransitSet(e, body, {lon * kDegree, lat * kDegree}, jd0));
              ln_lnlat_posn observer{lon, lat};
              ln_rst_time rst{NAN, NAN, NAN};
              if (libnova(jd0, &observer, &rst) != 0) rst = {NAN, NAN, NAN};
              addDayEvents(a, row, e, rst);
            }
            return a;
          },
          "s", "events of the fixture's days"};
}

// The phase angle of `body`, libnova's by `libnova`, against the phase angles of Astronomy
// Engine's fixture. None of the three takes the same directions: libnova leaves out the light
// time, the reference takes the aberrated direction to the planet, the library the book's, the
// planet where the light left it.
AccuracyRow illuminationRow(const char* name, Body body, const char* bodyName,
                            double (*libnova)(double)) {
  return {name,
          [body, bodyName, libnova] {
            static const FixtureTable table =
                readFixtureTable(SOURCE_DIR, "astronomy_illumination.csv");
            Accuracy a;
            for (const auto& row : table.rows) {
              if (row.at("body") != bodyName) continue;
              const double tt = fixtureNumber(row, "tt_jd");
              const double reference = fixtureNumber(row, "phase_angle");
              Illumination i;
              if (!computeIllumination(i, body, tt)) continue;
              a.add((i.phaseAngle / kDegree - reference) * 3600.0,
                    (libnova(tt) - reference) * 3600.0);
            }
            return a;
          },
          "″", "phase angle, 1900–2100 (the reference's aberrated direction)"};
}

// A direction of the galactic centre of the Hipparcos catalogue, 17h45m37.20s -28d56'10.2"
// (Astronomy Engine's origin is 8" off it).
Accuracy galacticAccuracy() {
  Accuracy a;
  const double ra = (17.0 + 45.0 / 60.0 + 37.20 / 3600.0) * 15.0 * kDegree;
  const double dec = -(28.0 + 56.0 / 60.0 + 10.2 / 3600.0) * kDegree;
  EquatorialCoordinates q{NAN, NAN};
  static_cast<void>(galacticToEquatorial(q, {0.0, 0.0}));
  ln_gal_posn centre{0.0, 0.0};
  ln_equ_posn l;
  ln_get_equ2000_from_gal(&centre, &l);
  a.add(separation(q.rightAscension, q.declination, ra, dec) / kArcsecond,
        separation(l.ra * kDegree, l.dec * kDegree, ra, dec) / kArcsecond);
  return a;
}

// Astronomy Engine's constellation of the fixture's places (those within 30" of a boundary left
// out): the places each puts in another constellation.
Accuracy constellationAccuracy() {
  Accuracy a;
  const FixtureTable table = readFixtureTable(SOURCE_DIR, "astronomy_constellations.csv");
  double ours = 0.0, libnova = 0.0;
  for (const auto& row : table.rows) {
    const EquatorialCoordinates q{fixtureNumber(row, "ra") * 15.0 * kDegree,
                                  fixtureNumber(row, "dec") * kDegree};
    Constellation c;
    ours += !findConstellation(c, q, kJ2000Epoch) || row.at("symbol") != c.abbreviation;
    libnova += row.at("symbol") != libnovaConstellation(q);
  }
  a.add(ours, libnova);
  return a;
}

// libnova's own distances of a body on an ellipse at `jd` (r from its heliocentric vector, Delta
// and the Earth's from its own routines) and the phase angle they make.
void libnovaDistances(ln_ell_orbit orbit, double jd, double& r, double& delta, double& phase) {
  ln_rect_posn p;
  ln_get_ell_helio_rect_posn(&orbit, jd, &p);
  r = std::hypot(p.X, p.Y, p.Z);
  delta = ln_get_ell_body_earth_dist(jd, &orbit);
  const double earth = ln_get_earth_solar_dist(jd);
  phase = std::acos(std::clamp((r * r + delta * delta - earth * earth) / (2.0 * r * delta), -1.0,
                               1.0));
}

// The magnitude of comet Encke or of Ceres, ours and libnova's by `libnova`, both against the
// law at libnova's own distances: libnova's asteroid law takes the Sun's distance for Delta,
// 0.187 for 1.87 and a broken phase angle, its comet law the Sun's distance for Delta.
AccuracyRow magnitudeRow(const char* name, bool comet, double (*libnova)(double),
                         const char* reference) {
  return {name,
          [comet, libnova] {
            Accuracy a;
            for (double jd : instants()) {
              MinorBodyBrightness b;
              if (!minorBodyMagnitude(b, comet, jd)) continue;
              double r, delta, phase;
              libnovaDistances(comet ? libnovaEncke() : libnovaCeres(), jd, r, delta, phase);
              const double law = comet ? detail::cometMagnitude(10.0, 4.0, r, delta)
                                       : detail::asteroidMagnitude(3.34, 0.15, r, delta, phase);
              a.add(b.magnitude - law, libnova(jd) - law);
            }
            return a;
          },
          "mag", reference};
}

// The stars' places against Astronomy Engine's over the star fixture, 1800 to 2200.
Accuracy starPlaceAccuracy() {
  Accuracy a;
  for (const auto& row : readFixtureTable(SOURCE_DIR, "astronomy_stars.csv").rows) {
    if (row.at("kind") != "place") continue;
    const BenchStar& star = benchStars().at(row.at("star"));
    const double tt = fixtureNumber(row, "tt_jd");
    const EquatorialCoordinates reference{fixtureNumber(row, "ra") * 15.0 * kDegree,
                                          fixtureNumber(row, "dec") * kDegree};
    ApparentPlace p;
    double ours = NAN, theirs = NAN, angle;
    if (computeStarApparentPlace(p, star.ours, tt) &&
        angularSeparation(ours, angle, p.equatorial, reference)) {
      ours /= kArcsecond;
    }
    const ln_equ_posn l = libnovaStar(star, tt);
    if (angularSeparation(theirs, angle, {l.ra * kDegree, l.dec * kDegree}, reference)) {
      theirs /= kArcsecond;
    }
    a.add(ours, theirs);
  }
  return a;
}

// The stars' days against Astronomy Engine's events of its stars, libnova given its own place
// of the star at the day's middle.
Accuracy starRiseSetAccuracy() {
  Accuracy a;
  for (const auto& row : readFixtureTable(SOURCE_DIR, "astronomy_stars.csv").rows) {
    if (row.at("kind") != "events") continue;
    const BenchStar& star = benchStars().at(row.at("star"));
    const double jd0 = fixtureNumber(row, "ut_jd");
    const double lat = fixtureNumber(row, "latitude"), lon = fixtureNumber(row, "longitude");
    RiseTransitSet e;
    static_cast<void>(computeStarRiseTransitSet(e, star.ours, {lon * kDegree, lat * kDegree}, jd0));
    ln_lnlat_posn observer{lon, lat};
    ln_equ_posn place = libnovaStar(star, jd0 + 0.5);
    ln_rst_time rst{NAN, NAN, NAN};
    if (ln_get_object_rst(jd0, &observer, &place, &rst) != 0) rst = {NAN, NAN, NAN};
    addDayEvents(a, row, e, rst);
  }
  return a;
}

// The book's Venus of -214 June 30.0 TD, 118.704 and +1.615 degrees.
Accuracy eclipticPrecessionAccuracy() {
  Accuracy a;
  constexpr double kVenusJd = 1643074.5;
  EclipticCoordinates e{NAN, NAN};
  static_cast<void>(
      precessEcliptic(e, {149.48194 * kDegree, 1.76549 * kDegree}, kJ2000Epoch, kVenusJd));
  const ln_lnlat_posn to = libnovaEclipticPrecession({149.48194, 1.76549}, kVenusJd);
  a.add((e.longitude / kDegree - 118.704) * 3600.0, (to.lng - 118.704) * 3600.0);
  a.add((e.latitude / kDegree - 1.615) * 3600.0, (to.lat - 1.615) * 3600.0);
  return a;
}

const std::vector<AccuracyRow>& accuracyRows() {
  static const std::vector<AccuracyRow> table = {
      {"orbit position, Encke", orbitPositionAccuracy, "AU",
       "libnova's heliocentric position (libnova's column: 0)"},
      {"orbit apparent place, Encke", orbitApparentPlaceAccuracy, "\"",
       "the book's comet Encke, example 33.a"},
      {"nutation", nutationAccuracy, "″", "IAU 2000B, its five largest terms"},
      {"mean sidereal time", [] { return siderealTimeAccuracy(false); }, "s", "IAU 2006"},
      {"apparent sidereal time", [] { return siderealTimeAccuracy(true); }, "s",
       "IAU 2006 with IAU 2000B"},
      {"delta T", deltaTAccuracy, "s", "observed and IERS values, 1900–2023"},
      {"refraction, apparent to true", refractionAccuracy, "″",
       "the book's example, Bennett at 0.5°"},
      {"angular separation", angularSeparationAccuracy, "″", "the book's Arcturus and Spica"},
      {"precession", precessionAccuracy, "″", "the book's theta Persei"},
      apparentPlaceRow("apparent place, Sun", Body::Sun, "Sun", ln_get_solar_equ_coords),
      apparentPlaceRow("apparent place, Moon", Body::Moon, "Moon", ln_get_lunar_equ_coords),
      apparentPlaceRow("apparent place, Mars", Body::Mars, "Mars", ln_get_mars_equ_coords),
      riseSetRow("rise, transit and set, Sun", Body::Sun, "Sun", ln_get_solar_rst),
      riseSetRow("rise, transit and set, Moon", Body::Moon, "Moon", ln_get_lunar_rst),
      illuminationRow("illumination, Venus", Body::Venus, "Venus", ln_get_venus_phase),
      illuminationRow("illumination, Saturn", Body::Saturn, "Saturn", ln_get_saturn_phase),
      {"galactic coordinates", galacticAccuracy, "″", "the Hipparcos catalogue's galactic centre"},
      {"constellation", constellationAccuracy, "places",
       "Astronomy Engine's constellations of 2103 places"},
      magnitudeRow("asteroid magnitude, Ceres", false, libnovaCeresMagnitude,
                   "the H, G law at libnova's own distances and phase angle"),
      magnitudeRow("comet magnitude, Encke", true, libnovaEnckeMagnitude,
                   "g + 5 log Delta + 2.5 k log r at libnova's own distances"),
      magnitudeRow("comet magnitude, Encke, libnova's distances", true,
                   libnovaEnckeMagnitudeByItsDistances, "as above"),
      {"Minor Planet Center line", nullptr, "", "none: libnova has no such reader"},
      {"star apparent place, Arcturus", starPlaceAccuracy, "″",
       "stars of 1800–2200 moved as ours (libnova's motion is linear)"},
      {"star rise, transit and set, Arcturus", starRiseSetAccuracy, "s",
       "events of the fixture's star-days"},
      {"ecliptic precession", eclipticPrecessionAccuracy, "″",
       "the book's Venus, -214 (to its 0.001°)"},
  };
  return table;
}

// Whether the two tables name the same rows, each once, and compare with libnova in the same
// rows (its call timed, its accuracy measured); says on stderr which rows do not.
bool rowsPair() {
  bool paired = true;
  const auto fault = [&paired](std::string_view name, const char* what) {
    std::fprintf(stderr, "dockorrery_bench: \"%.*s\" %s\n", static_cast<int>(name.size()),
                 name.data(), what);
    paired = false;
  };
  std::map<std::string_view, const TimedRow*> timed;
  for (const TimedRow& row : timedRows()) {
    if (!timed.emplace(row.name, &row).second) fault(row.name, "is timed twice");
  }
  for (const AccuracyRow& row : accuracyRows()) {
    const auto found = timed.find(row.name);
    if (found == timed.end()) {
      fault(row.name, "is measured but not timed, or measured twice");
      continue;
    }
    if (!found->second->libnova != !row.measure) {
      fault(row.name, "compares with libnova in one table only");
    }
    timed.erase(found);
  }
  for (const auto& [name, row] : timed) fault(name, "is timed but not measured");
  return paired;
}

// A place beside its parts, each done once at the same instant: the series its light time needs
// (one pass over the body's and the Earth's, each with its motion, which carries them back over
// the light time) and one nutation. What the place adds to them (the light time's arithmetic,
// the frames' turns) is to stay within kPartsRatioTarget of them.
struct PartsRow {
  const char* name;
  Call place, parts;
};

constexpr double kPartsRatioTarget = 1.10;  // a place against its parts, at most

const std::vector<PartsRow>& partsRows() {
  static const std::vector<PartsRow> table = {
      {"apparent place, Sun", [](double jd) { apparentPlace(Body::Sun, jd); },
       [](double jd) {
         motion(Body::Earth, jd);
         nutation(jd);
       }},
      {"apparent place, Moon", [](double jd) { apparentPlace(Body::Moon, jd); },
       [](double jd) {
         MoonPosition m;
         keep(computeMoonPosition(m, jd), m);
         nutation(jd);
       }},
      {"apparent place, Mars", [](double jd) { apparentPlace(Body::Mars, jd); },
       [](double jd) {
         motion(Body::Mars, jd);
         motion(Body::Earth, jd);
         nutation(jd);
       }},
  };
  return table;
}

// The rows timed beside Astronomy Engine in Node, where libnova has no equivalent or the
// engine is the peer to beat: our call at an instant (a UT Julian Day of 1950-2050) doing
// what the job of the same name in bench/astronomy-engine/jobs/ does once; for a search,
// `counts` has the table give the apparent places (or Moon positions) it evaluates per call,
// from the library's own count of them.
struct EngineRow {
  const char* name;
  Call ours;
  bool counts = false;
};

// The year (proleptic Gregorian, astronomical numbering) in which Julian Day `jd` falls, near
// enough for the bench: the same rule as the Node jobs'.
int64_t yearOf(double jd) {
  return static_cast<int64_t>(std::floor(2000.0 + (jd - kJ2000Epoch) / 365.25));
}

// Every solar eclipse whose peak falls from 1950 to 2050, each found from the one before.
void solarEclipsesOfACentury() {
  GlobalSolarEclipse eclipse;
  double jdTt = 2433282.5;
  while (computeNextSolarEclipse(eclipse, jdTt) && eclipse.peakJdTt < 2469807.5) {
    jdTt = eclipse.peakJdTt;
  }
  keep(jdTt);
}

void nextLunarEclipse(double jdUt) {
  LunarEclipse e;
  keep(computeNextLunarEclipse(e, terrestrialTime(jdUt)), e);
}

void nextTransit(Body body, double jdUt) {
  Transit t;
  keep(computeNextTransit(t, body, terrestrialTime(jdUt)), t);
}

// Every eclipse of the Moon from 1950 to 2050 by repeated calls, whatever the instant.
constexpr double kJd1950 = 2433282.5, kJd2050 = 2469807.5;
void lunarEclipseCentury(double) {
  LunarEclipse e;
  int count = 0;
  for (double jd = kJd1950; computeNextLunarEclipse(e, jd) && e.peakJdTt < kJd2050;
       jd = e.peakJdTt) {
    ++count;
  }
  keep(count);
}

const std::vector<EngineRow>& engineRows() {
  static const std::vector<EngineRow> table = {
      {"apparent place, Sun", [](double jd) { apparentPlace(Body::Sun, jd); }},
      {"apparent place, Moon", [](double jd) { apparentPlace(Body::Moon, jd); }},
      {"apparent place, Mars", [](double jd) { apparentPlace(Body::Mars, jd); }},
      {"search of an altitude, Moon",
       [](double jd) {
         SearchedInstant found;
         keep(searchAltitude(found, Body::Moon, kGreenwich, CrossingDirection::Rising,
                             0.0, jd, 2.0),
              found);
       },
       true},
      {"search of an hour angle, Moon",
       [](double jd) {
         SearchedInstant found;
         keep(searchHourAngle(found, Body::Moon, kGreenwich, 0.0, jd), found);
       },
       true},
      {"seasons of a year",
       [](double jd) {
         Seasons seasons;
         keep(computeSeasons(seasons, yearOf(jd)), seasons);
       },
       true},
      {"next perigee and apogee",
       [](double jd) {
         MoonApsides apsides;
         keep(computeNextMoonApsides(apsides, jd), apsides);
       },
       true},
      {"next ascending and descending node",
       [](double jd) {
         MoonNodes nodes;
         keep(computeNextMoonNodes(nodes, jd), nodes);
       },
       true},
      {"illumination, Venus", [](double jd) { illumination(Body::Venus, jd); }},
      {"illumination, Saturn", [](double jd) { illumination(Body::Saturn, jd); }},
      {"illumination, Moon", [](double jd) { illumination(Body::Moon, jd); }},
      {"elongation, Venus",
       [](double jd) {
         Elongation elongation;
         keep(computeElongation(elongation, Body::Venus, jd), elongation);
       }},
      {"next greatest elongations, Mercury",
       [](double jd) {
         GreatestElongations elongations;
         keep(computeNextGreatestElongations(elongations, Body::Mercury, jd), elongations);
       },
       true},
      // The engine finds heliocentric conjunctions; its job takes them on to the apparent ones.
      {"next conjunction and opposition, Mars",
       [](double jd) {
         SolarConjunctions conjunctions;
         keep(computeNextSolarConjunctions(conjunctions, Body::Mars, jd), conjunctions);
       },
       true},
      {"next solar eclipse",
       [](double jd) {
         GlobalSolarEclipse eclipse;
         keep(computeNextSolarEclipse(eclipse, terrestrialTime(jd)));
       },
       true},
      {"solar eclipses of 1950-2050", [](double) { solarEclipsesOfACentury(); },
       true},
      {"next local solar eclipse, Greenwich",
       [](double jd) {
         LocalSolarEclipse eclipse;
         keep(computeNextLocalSolarEclipse(eclipse, observerFromDegrees(51.4769, 0.0, 46.0), jd));
       },
       true},
      {"next lunar eclipse", nextLunarEclipse, true},
      {"lunar eclipses 1950-2050", lunarEclipseCentury, true},
      {"next transit, Mercury", [](double jd) { nextTransit(Body::Mercury, jd); }, true},
      {"next transit, Venus", [](double jd) { nextTransit(Body::Venus, jd); }, true},
      // The engine's Libration gives l and b alone; ours adds the axis and the Sun.
      {"libration of the Moon",
       [](double jd) {
         MoonLibration libration;
         keep(computeMoonLibration(libration, jd), libration);
       }},
      // The engine's job takes Jupiter's light time and its moons then; ours also turns them to
      // the sky of the Earth and of the Sun and finds their phenomena.
      {"Jupiter's four moons",
       [](double jd) {
         JupiterMoons moons;
         keep(computeJupiterMoons(moons, jd), moons);
       }},
  };
  return table;
}

}  // namespace

bool registerAstronomyBenchmarks() {
  if (!rowsPair()) return false;
  const auto add = [](const std::string& name, const Call& call) {
    benchmark::RegisterBenchmark(name.c_str(), timeCalls, call)
        ->Unit(benchmark::kNanosecond)
        ->Repetitions(7)
        ->ReportAggregatesOnly(true);
  };
  for (const TimedRow& row : timedRows()) {
    add(benchmarkName("ours", row.name), row.ours);
    if (row.libnova) add(benchmarkName("libnova", row.name), row.libnova);
  }
  for (const PartsRow& row : partsRows()) {
    add(benchmarkName("whole", row.name), row.place);
    add(benchmarkName("parts", row.name), row.parts);
  }
  for (const EngineRow& row : engineRows()) add(benchmarkName("engine", row.name), row.ours);
  return true;
}

void printAstronomyTable(const std::map<std::string, double>& medians) {
  std::printf("\nThe astronomy library beside libnova: CPU per call, median of 7 runs over a "
              "thousand instants of 1950–2050; largest difference from Astronomy Engine over the "
              "fixture of tests/data.\n\n");
  std::printf("| routine | ours | libnova | ratio | ours, largest difference | libnova, largest "
              "difference | reference |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  for (const AccuracyRow& row : accuracyRows()) {
    const auto ours = medians.find(benchmarkName("ours", row.name));
    const auto libnova = medians.find(benchmarkName("libnova", row.name));
    if (ours != medians.end() && !row.measure) {  // no libnova equivalent: ours alone
      std::printf("| %s | %.1f ns | — | — | — | — | %s |\n", row.name, ours->second, row.reference);
      continue;
    }
    if (ours == medians.end() || libnova == medians.end()) continue;  // left out by a filter
    const Accuracy accuracy = row.measure();
    char found[2][48] = {"", ""};
    if (accuracy.events > 0) {
      std::snprintf(found[0], sizeof found[0], ", %d of %d events", accuracy.oursFound,
                    accuracy.events);
      std::snprintf(found[1], sizeof found[1], ", %d of %d events", accuracy.libnovaFound,
                    accuracy.events);
    }
    std::printf("| %s | %.1f ns | %.1f ns | %.2f | %.3g %s%s | %.3g %s%s | %s |\n", row.name,
                ours->second, libnova->second, ours->second / libnova->second, accuracy.ours,
                row.unit, found[0], accuracy.libnova, row.unit, found[1], row.reference);
  }
  std::printf("\n");

  std::printf("Each place beside its parts done once at the same instants (one pass over each "
              "series the light time needs, with its motion; one nutation): CPU per call, median "
              "of 7 runs.\n\n");
  std::printf("| place | whole | its parts | ratio | target |\n|---|---|---|---|---|\n");
  for (const PartsRow& row : partsRows()) {
    const auto whole = medians.find(benchmarkName("whole", row.name));
    const auto parts = medians.find(benchmarkName("parts", row.name));
    if (whole == medians.end() || parts == medians.end()) continue;  // left out by a filter
    const double ratio = whole->second / parts->second;
    std::printf("| %s | %.1f ns | %.1f ns | %.2f | at most %.2f: %s |\n", row.name, whole->second,
                parts->second, ratio, kPartsRatioTarget,
                ratio <= kPartsRatioTarget ? "met" : "MISSED");
  }
  std::printf("\n");

  std::vector<std::string> jobs;
  for (const EngineRow& row : engineRows()) {
    if (medians.count(benchmarkName("engine", row.name)) != 0) jobs.push_back(row.name);
  }
  if (jobs.empty()) return;
  std::string why;
  const std::map<std::string, double> engine = timeAstronomyEngine(jobs, why);
  std::printf("Beside Astronomy Engine %s in Node on the same machine, the same job over the "
              "same instants: CPU per call, median of 7 runs (Node's of 0.2 s of CPU each).\n\n",
              ASTRONOMY_ENGINE_VERSION);
  if (engine.empty()) {
    std::printf("Astronomy Engine not timed: %s.\n\n", why.c_str());
    return;
  }
  std::printf("| job | ours | Astronomy Engine | ratio | places per call |\n"
              "|---|---|---|---|---|\n");
  for (const EngineRow& row : engineRows()) {
    const auto ours = medians.find(benchmarkName("engine", row.name));
    const auto theirs = engine.find(row.name);
    if (ours == medians.end() || theirs == engine.end()) continue;
    char places[32] = "—";
    if (row.counts) {
      const long before = detail::searchPlaces;
      for (double jd : instants()) row.ours(jd);
      std::snprintf(places, sizeof places, "%.1f",
                    double(detail::searchPlaces - before) / double(instants().size()));
    }
    std::printf("| %s | %.1f ns | %.1f ns | %.2f | %s |\n", row.name, ours->second,
                theirs->second, ours->second / theirs->second, places);
  }
  std::printf("\n");
}
