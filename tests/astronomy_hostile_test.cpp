// Every public routine of the astronomy library fed hostile inputs: NaN, the infinities, days
// millions of years away, angles of 1e300 rad, latitudes at and beyond the poles, distances of 0.
// A routine either gives its documented failure (NaN, or false) or a result inside every range
// its header promises; never a plausible number outside its span. Run under ASan and UBSan as
// well, which fail it on any undefined operation on the way.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/constellations.h"
#include "astronomy/coordinates.h"
#include "astronomy/elements.h"
#include "astronomy/elongation.h"
#include "astronomy/events.h"
#include "astronomy/frames.h"
#include "astronomy/galactic.h"
#include "astronomy/heliocentric.h"
#include "astronomy/illumination.h"
#include "astronomy/jupiter_moons.h"
#include "astronomy/libration.h"
#include "astronomy/lunar_eclipses.h"
#include "astronomy/moon.h"
#include "astronomy/moon_orbit.h"
#include "astronomy/moon_phases.h"
#include "astronomy/mpc_orbits.h"
#include "astronomy/nutation.h"
#include "astronomy/orbits.h"
#include "astronomy/pluto.h"
#include "astronomy/precession.h"
#include "astronomy/refraction.h"
#include "astronomy/rise_set.h"
#include "astronomy/seasons.h"
#include "astronomy/sidereal.h"
#include "astronomy/solar_eclipses.h"
#include "astronomy/stars.h"
#include "astronomy/time_scales.h"
#include "astronomy/transits.h"
#include "base/body.h"
#include "base/constants.h"
#include "ephemeris/position.h"
#include "tests/support/mpc_line_promises.h"
#include "tests/support/twilight_events.h"

using namespace dockorrery;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The hostile numbers, each tried in every argument it could reach.
const double kHostile[] = {kNaN, kInf, -kInf, 1e9, -1e9, 1e15, -1e15, 1e300, -1e300};

// A range a header promises for one value, closed or open at its upper end.
struct Range {
  double low, high;
  bool halfOpen;
  bool holds(double v) const { return v >= low && (halfOpen ? v < high : v <= high); }
};
constexpr Range kTurn{0.0, kTwoPi, true};              // [0, 2pi)
constexpr Range kClosedTurn{0.0, kTwoPi, false};       // [0, 2pi], normalizeRadians
constexpr Range kHalfTurn{-kPi, kPi, false};           // (-pi, pi]: -pi is excluded below
constexpr Range kLatitude{-kPi / 2.0, kPi / 2.0, false};
constexpr Range kFinite{-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                        false};

// What one call gave: its status (for a routine without one, whether its value is a number) and
// each value it filled, beside the range promised for it.
struct Outcome {
  bool ok;
  std::vector<std::pair<double, Range>> values;
};

std::string describe(const Outcome& outcome) {
  std::string text = outcome.ok ? "ok:" : "failed:";
  for (const auto& [value, range] : outcome.values) text += " " + std::to_string(value);
  return text;
}

// The documented failure: a false status and NaN in every value.
bool failed(const Outcome& outcome) {
  if (outcome.ok) return false;
  for (const auto& value : outcome.values) {
    if (!std::isnan(value.first)) return false;
  }
  return true;
}

// The outcome of a routine that returns one value: a status of its own is whether it is a number.
Outcome scalar(double value, Range range) { return Outcome{!std::isnan(value), {{value, range}}}; }

// A result: a true status and every value inside its range.
bool held(const Outcome& outcome) {
  if (!outcome.ok) return false;
  for (const auto& [value, range] : outcome.values) {
    if (!range.holds(value)) return false;
  }
  return true;
}

// A constellation with the ranges it promises: an index of the 88, three letters and a name,
// and a place of B1875.0; on failure index -1 and empty names, which count as NaN here.
Outcome constellationOutcome(bool ok, const Constellation& c) {
  const bool named = std::strlen(c.abbreviation) == 3 && std::strlen(c.name) > 2;
  const bool empty = c.abbreviation[0] == '\0' && c.name[0] == '\0';
  return Outcome{ok,
                 {{c.index == -1 ? kNaN : c.index, {0.0, kConstellationCount - 1.0, false}},
                  {named ? 0.0 : empty ? kNaN : 1.0, {0.0, 0.0, false}},
                  {c.b1875.rightAscension, kTurn},
                  {c.b1875.declination, kLatitude}}};
}

// ---- Routines of one day ----

// Coordinates of the Sun on three days at 0h TT, rough but of the right kind, for rise and set.
const EquatorialCoordinates kSunDays[3] = {
    {1.60, 0.4090}, {1.62, 0.4091}, {1.64, 0.4090}};
const Observer kTromso{19.0 * kDegree, 69.6 * kDegree};

// A rise, transit and set record with the ranges it promises for a day starting at `jdUt`.
Outcome riseTransitSetOutcome(bool ok, const RiseTransitSet& e, double jdUt) {
  const Range day{jdUt, jdUt + 1.0, true};
  // An absent event has a NaN time: the range is checked on the events that are there.
  Outcome outcome{ok && e.kind != RiseSetKind::Invalid, {}};
  const bool has[] = {e.hasRise, e.hasTransit, e.hasSet};
  const double time[] = {e.riseJdUt, e.transitJdUt, e.setJdUt};
  for (int i = 0; i < 3; ++i) {
    if (has[i] || !ok) {
      outcome.values.push_back({time[i], day});
    } else if (!std::isnan(time[i])) {
      outcome.ok = false;  // absent, yet a time
    }
  }
  if (!ok && (e.kind != RiseSetKind::Invalid || e.hasRise || e.hasTransit || e.hasSet)) {
    outcome.values.push_back({0.0, kLatitude});  // a failure must say so everywhere
  }
  return outcome;
}

// A search's record with the ranges it promises, found within `limitDays` of `jdUt`.
const Observer kQuito{-78.5 * kDegree, -0.2 * kDegree};
Outcome searchOutcome(bool ok, const SearchedInstant& found, double jdUt, double limitDays) {
  Outcome outcome{ok && found.outcome == SearchOutcome::Found,
                  {{found.jdUt, {jdUt, jdUt + limitDays, false}},
                   {found.horizontal.azimuth, kTurn},
                   {found.horizontal.altitude, kLatitude}}};
  if (!ok && found.outcome == SearchOutcome::Found) outcome.values.push_back({0.0, kFinite});
  return outcome;
}

// Where the days of a routine of a whole UT day end: their last hour, plus delta T (0.647 day
// there), leaves the span; some 0.05 day past the last day that holds.
constexpr double kLastDayEnd = kEndJd - 1.6;

// The earliest of the last events of each kind that the searches for the next apsides and
// nodes find before the span's end: from there on, one of the kinds has no next event.
struct LastEvents {
  double apsis, node, greatestElongation, conjunction;
};
const LastEvents& lastEvents() {
  static const LastEvents last = [] {
    // Chains each kind's events from two of their periods before the end until none is found.
    const auto lastOf = [](auto next, double period = 30.0) {
      double last = kEndJd;
      for (int kind = 0; kind < 2; ++kind) {
        double jd = kEndJd - 1.5 * period, found;
        while (next(jd, kind, found)) jd = found;
        last = std::min(last, jd);
      }
      return last;
    };
    return LastEvents{lastOf([](double jd, int kind, double& found) {
                        MoonApsides a;
                        const bool ok = computeNextMoonApsides(a, jd);
                        found = kind == 0 ? a.perigeeJdTt : a.apogeeJdTt;
                        return ok;
                      }),
                      lastOf([](double jd, int kind, double& found) {
                        MoonNodes n;
                        const bool ok = computeNextMoonNodes(n, jd);
                        found = kind == 0 ? n.ascendingJdTt : n.descendingJdTt;
                        return ok;
                      }),
                      lastOf(
                          [](double jd, int kind, double& found) {
                            GreatestElongations g;
                            const bool ok = computeNextGreatestElongations(g, Body::Mercury, jd);
                            found = kind == 0 ? g.eastJdTt : g.westJdTt;
                            return ok;
                          },
                          116.0),
                      lastOf(
                          [](double jd, int kind, double& found) {
                            SolarConjunctions c;
                            const bool ok = computeNextSolarConjunctions(c, Body::Mars, jd);
                            found = kind == 0 ? c.conjunctionJdTt : c.oppositionJdTt;
                            return ok;
                          },
                          780.0)};
  }();
  return last;
}

// The peak of the last eclipse of the Moon the library finds before the end of its span; after
// it the search fails.
double lastLunarEclipsePeak() {
  LunarEclipse e;
  double peak = kEndJd - 1000.0;
  while (computeNextLunarEclipse(e, peak)) peak = e.peakJdTt;
  return peak;
}

// The peak of the last transit of `body` the library finds before the end of its span.
double lastTransitPeak(Body body) {
  Transit t;
  double peak = kEndJd - 80000.0;
  while (computeNextTransit(t, body, peak)) peak = t.peakJdTt;
  return peak;
}

// A transit with the ranges it promises: the peak after the instant (within 130 synodic periods
// of Venus), the contacts within 8 hours of it, the separation less than the Sun's
// semidiameter and the planet's; the internal contacts NaN in a grazing transit.
Outcome transitOutcome(bool ok, const Transit& t, double jd) {
  const Range hours{t.peakJdTt - 0.34, t.peakJdTt + 0.34, false};
  Outcome outcome{ok,
                  {{t.peakJdTt, {std::nextafter(jd, kInf), jd + 130.0 * 584.0, false}},
                   {t.firstContactJdTt, hours},
                   {t.lastContactJdTt, hours},
                   {t.leastSeparation, {0.0, 0.3 * kDegree, false}}}};
  for (double internal : {t.secondContactJdTt, t.thirdContactJdTt}) {
    if (!ok || !std::isnan(internal)) outcome.values.push_back({internal, hours});
  }
  return outcome;
}

struct DayRoutine {
  const char* name;
  double first, end;  // span of validity, Julian Days
  std::function<Outcome(double)> run;
};

// An apparent or topocentric place with the ranges it promises; distances in AU, from the
// Moon's 0.0023 to Pluto's 50.
Outcome placeOutcome(bool ok, const EquatorialCoordinates& equatorial, double distanceAu,
                     std::vector<std::pair<double, Range>> more) {
  Outcome outcome{ok,
                  {{equatorial.rightAscension, kTurn},
                   {equatorial.declination, kLatitude},
                   {distanceAu, {0.002, 51.0, false}}}};
  outcome.values.insert(outcome.values.end(), more.begin(), more.end());
  return outcome;
}

// Comet Encke's orbit (the book's example 33.a) and a hyperbola through perihelion at J2000.0.
const OrbitalElements kEncke{2448193.04502, 0.330886, 0.8502196, 0.2084828, 3.2503978, 5.8425};
const OrbitalElements kHyperbola{2451545.0, 1.0, 1.2, 1.0, 2.0, 3.0};

// The rows of the apparent place, by body index (the Earth has none).
const char* const kApparentPlaceOf[] = {
    "computeApparentPlace, Sun",     "computeApparentPlace, Mercury",
    "computeApparentPlace, Venus",   nullptr,
    "computeApparentPlace, Mars",    "computeApparentPlace, Jupiter",
    "computeApparentPlace, Saturn",  "computeApparentPlace, Uranus",
    "computeApparentPlace, Neptune", "computeApparentPlace, Moon",
    "computeApparentPlace, Pluto"};

std::vector<DayRoutine> makeDayRoutines() {
  std::vector<DayRoutine> routines = {
      {"computeMoonPosition", kFirstJd, kEndJd,
       [](double jd) {
         MoonPosition m;
         const bool ok = computeMoonPosition(m, jd);
         return Outcome{ok && m.jdTt == jd,
                        {{m.longitude, kTurn},
                         {m.latitude, kLatitude},
                         {m.distanceKm, {350000.0, 410000.0, false}}}};
       }},
      {"computeMoonIllumination", kFirstJd, kEndJd,
       [](double jd) {
         MoonIllumination p;
         const bool ok = computeMoonIllumination(p, jd);
         Outcome outcome{ok, {{p.phaseAngle, {0.0, kPi, false}},
                              {p.illuminatedFraction, {0.0, 1.0, false}}}};
         if (!ok && p.waxing) outcome.values.push_back({1.0, kFinite});  // a failure says false
         return outcome;
       }},
      {"computePlutoPosition", kPlutoFirstJd, kPlutoEndJd,
       [](double jd) {
         PlutoPosition p;
         const bool ok = computePlutoPosition(p, jd);
         return Outcome{ok && p.jdTt == jd,
                        {{p.longitude, kTurn},
                         {p.latitude, kLatitude},
                         {p.distanceAu, {29.0, 50.0, false}}}};
       }},
      {"computeNutation", kFirstJd, kEndJd,
       [](double jd) {
         Nutation n;
         const bool ok = computeNutation(n, jd);
         return Outcome{ok,
                        {{n.longitude, {-25 * kArcsecond, 25 * kArcsecond, false}},
                         {n.obliquity, {-15 * kArcsecond, 15 * kArcsecond, false}}}};
       }},
      // Neptune, the farthest the series hold: 29.8 to 30.4 AU.
      {"computeHeliocentricPosition, Neptune", kFirstJd, kEndJd,
       [](double jd) {
         BodyPosition p;
         const bool ok = computeHeliocentricPosition(p, Body::Neptune, jd);
         return Outcome{ok && p.jd == jd && p.body == static_cast<int32_t>(Body::Neptune),
                        {{p.L, kTurn}, {p.B, kLatitude}, {p.R, {29.0, 31.0, false}}}};
       }},
      // A comet of Encke's orbit, 0.33 to 4.1 AU from the Sun, and a hyperbola.
      {"computeOrbitPosition", kFirstJd, kEndJd,
       [](double jd) {
         OrbitPosition p;
         const bool ok = computeOrbitPosition(p, kEncke, jd);
         return Outcome{ok && p.jdTt == jd,
                        {{p.x, {-4.2, 4.2, false}},
                         {p.vz, {-0.1, 0.1, false}},
                         {p.distanceAu, {0.33, 4.2, false}},
                         {p.trueAnomaly, {-kPi, kPi, false}}}};
       }},
      {"computeOrbitApparentPlace", kFirstJd, kEndJd,
       [](double jd) {
         ApparentPlace p;
         const bool ok = computeOrbitApparentPlace(p, kHyperbola, jd);
         return Outcome{ok && p.jdTt == jd,
                        {{p.equatorial.rightAscension, kTurn},
                         {p.equatorial.declination, kLatitude},
                         {p.ecliptic.longitude, kTurn},
                         {p.ecliptic.latitude, kLatitude},
                         {p.distanceAu, {0.0, 1e5, false}}}};
       }},
      {"meanObliquity", kFirstJd, kEndJd,
       [](double jd) {
         return scalar(meanObliquity(jd), {22 * kDegree, 25 * kDegree, false});
       }},
      {"trueObliquity", kFirstJd, kEndJd,
       [](double jd) {
         return scalar(trueObliquity(jd), {22 * kDegree, 25 * kDegree, false});
       }},
      {"meanSiderealTime", kFirstJd, kEndJd,
       [](double jd) { return scalar(meanSiderealTime(jd), kTurn); }},
      {"apparentSiderealTime", kFirstJd, kEndJd,
       [](double jd) { return scalar(apparentSiderealTime(jd), kTurn); }},
      // The model's delta T is nowhere below -20 s; 56000 s at the span's ends.
      {"deltaT", kFirstJd, kEndJd,
       [](double jd) { return scalar(deltaT(jd), {-20.0, 60000.0, false}); }},
      {"terrestrialTime", kFirstJd, kEndJd,
       [](double jd) {
         return scalar(terrestrialTime(jd) - jd, {-20.0 / 86400, 1.0, false});
       }},
      {"computeRiseTransitSet", kFirstJd, kEndJd,
       [](double jd) {
         RiseTransitSet e;
         const bool ok = computeRiseTransitSet(e, jd, kSunDays, kTromso, kStandardAltitudeSun);
         return riseTransitSetOutcome(ok, e, jd);
       }},
      // TT runs ahead by delta T, 0.54 day at the span's start and 0.65 at its end: within the
      // span from its first UT day, outside it from the last one on.
      {"computeTopocentricPlace, Moon", kFirstJd, kEndJd,
       [](double jd) {
         TopocentricPlace p;
         const bool ok = computeTopocentricPlace(p, Body::Moon, jd, kTromso);
         return placeOutcome(ok && p.jdUt == jd, p.equatorial, p.distanceAu,
                             {{p.horizontal.azimuth, kTurn}, {p.horizontal.altitude, kLatitude}});
       }},
      {"computeTopocentricPlace through the air, Moon", kFirstJd, kEndJd,
       [](double jd) {
         TopocentricPlace p;
         const bool ok = computeTopocentricPlace(p, Body::Moon, jd, kTromso, Atmosphere{});
         return placeOutcome(ok && p.jdUt == jd, p.equatorial, p.distanceAu,
                             {{p.horizontal.azimuth, kTurn}, {p.horizontal.altitude, kLatitude}});
       }},
      // The places of the whole UT day are needed, a day and delta T (0.65 day there) before
      // the span's end.
      {"computeBodyRiseTransitSet, Moon", kFirstJd, kLastDayEnd,
       [](double jd) {
         RiseTransitSet e;
         const bool ok = computeBodyRiseTransitSet(e, Body::Moon, kTromso, jd);
         return riseTransitSetOutcome(ok, e, jd);
       }},
      {"computeTwilight, astronomical", kFirstJd, kLastDayEnd,
       [](double jd) {
         TwilightTimes t;
         const bool ok = computeTwilight(t, Twilight::Astronomical, kTromso, jd);
         return riseTransitSetOutcome(ok, twilightEvents(t), jd);
       }},
      // A search takes the places of each day it may search: a second day for a limit of
      // 1.05 days, and up to 1.04 days for an hour angle.
      {"searchAltitude, Moon rising at the equator", kFirstJd, kLastDayEnd - 1.0,
       [](double jd) {
         SearchedInstant found;
         const bool ok = searchAltitude(found, Body::Moon, kQuito, CrossingDirection::Rising,
                                        0.0, jd, 1.05);
         return searchOutcome(ok, found, jd, 1.05);
       }},
      {"searchHourAngle, Moon", kFirstJd, kLastDayEnd,
       [](double jd) {
         SearchedInstant found;
         const bool ok = searchHourAngle(found, Body::Moon, kTromso, kPi, jd);
         return searchOutcome(ok, found, jd, 1.04);
       }},
      {"computeNextMoonPhases", kFirstJd, kEndJd,
       [](double jd) {
         MoonPhases p;
         const bool ok = computeNextMoonPhases(p, jd);
         const Range lunation{std::nextafter(jd, kInf), jd + 29.9, false};  // strictly after
         return Outcome{ok,
                        {{p.newMoonJdTt, lunation},
                         {p.firstQuarterJdTt, lunation},
                         {p.fullMoonJdTt, lunation},
                         {p.lastQuarterJdTt, lunation}}};
       }},
      // The next apsides and nodes: from the span's start up to the last event of a kind
      // before its end (lastEvents below).
      {"computeNextMoonApsides", kFirstJd, lastEvents().apsis,
       [](double jd) {
         MoonApsides a;
         const bool ok = computeNextMoonApsides(a, jd);
         const Range month{std::nextafter(jd, kInf), jd + 32.0, false};  // strictly after
         const Range distance{356000.0, 407000.0, false};
         return Outcome{ok,
                        {{a.perigeeJdTt, month},
                         {a.perigeeDistanceKm, distance},
                         {a.apogeeJdTt, month},
                         {a.apogeeDistanceKm, distance}}};
       }},
      {"computeNextMoonNodes", kFirstJd, lastEvents().node,
       [](double jd) {
         MoonNodes n;
         const bool ok = computeNextMoonNodes(n, jd);
         const Range month{std::nextafter(jd, kInf), jd + 28.0, false};
         return Outcome{ok,
                        {{n.ascendingJdTt, month},
                         {n.ascendingLongitude, kTurn},
                         {n.descendingJdTt, month},
                         {n.descendingLongitude, kTurn}}};
       }},
      {"computeElongation, Moon", kFirstJd, kEndJd,
       [](double jd) {
         Elongation e;
         const bool ok = computeElongation(e, Body::Moon, jd);
         Outcome outcome{ok && e.east == (e.longitudeDifference > 0.0),
                         {{e.angle, {0.0, kPi, false}}, {e.longitudeDifference, kHalfTurn}}};
         if (!ok && e.east) outcome.values.push_back({1.0, kFinite});  // a failure says false
         return outcome;
       }},
      {"computeIllumination, Saturn", kFirstJd, kEndJd,
       [](double jd) {
         Illumination a;
         const bool ok = computeIllumination(a, Body::Saturn, jd);
         const double half = kPi / 2.0;
         return Outcome{ok,
                        {{a.phaseAngle, {0.0, 0.12, false}},
                         {a.illuminatedFraction, {0.996, 1.0, false}},
                         {a.diameter, {0.0, 1.1e-4, false}},
                         {a.magnitude, {-1.5, 2.0, false}},
                         {a.heliocentricAu, {8.9, 10.2, false}},
                         {a.geocentricAu, {7.9, 11.2, false}},
                         {a.ringTilt, {-half, half, false}},
                         {a.ringMagnitude, {-1.35, 0.0, false}}}};
       }},
      {"computeIllumination, Moon", kFirstJd, kEndJd,
       [](double jd) {
         Illumination a;
         const bool ok = computeIllumination(a, Body::Moon, jd);
         Outcome outcome{ok,
                         {{a.phaseAngle, {0.0, kPi, false}},
                          {a.illuminatedFraction, {0.0, 1.0, false}},
                          {a.diameter, {0.0, 0.011, false}},
                          {a.magnitude, {-13.5, 0.0, false}},
                          {a.geocentricAu, {0.0023, 0.0028, false}}}};
         if (!ok && !std::isnan(a.ringTilt)) outcome.values.push_back({1.0, kFinite});
         if (ok && !std::isnan(a.ringTilt)) outcome.values.push_back({NAN, kFinite});
         return outcome;
       }},
      {"computeNextGreatestElongations, Mercury", kFirstJd, lastEvents().greatestElongation,
       [](double jd) {
         GreatestElongations g;
         const bool ok = computeNextGreatestElongations(g, Body::Mercury, jd);
         const Range synodic{std::nextafter(jd, kInf), jd + 125.0, false};
         const Range angle{17.0 * kDegree, 28.0 * kDegree, false};
         return Outcome{ok,
                        {{g.eastJdTt, synodic},
                         {g.eastAngle, angle},
                         {g.westJdTt, synodic},
                         {g.westAngle, angle}}};
       }},
      {"computeNextSolarConjunctions, Mars", kFirstJd, lastEvents().conjunction,
       [](double jd) {
         SolarConjunctions c;
         const bool ok = computeNextSolarConjunctions(c, Body::Mars, jd);
         const Range synodic{std::nextafter(jd, kInf), jd + 815.0, false};
         Outcome outcome{ok, {{c.conjunctionJdTt, synodic}, {c.oppositionJdTt, synodic}}};
         if (!std::isnan(c.inferiorConjunctionJdTt)) outcome.values.push_back({kNaN, kFinite});
         return outcome;
       }},
      {"computeNextLunarEclipse", kFirstJd, lastLunarEclipsePeak(),
       [](double jd) {
         LunarEclipse e;
         const bool ok = computeNextLunarEclipse(e, jd);
         // Within three years, magnitudes and semi-durations of the Moon in the shadow; the
         // phases an eclipse lacks are NaN.
         Outcome outcome{ok && e.kind != LunarEclipseKind::Invalid,
                         {{e.peakJdTt, {std::nextafter(jd, kInf), jd + 1100.0, false}},
                          {e.peakJdUt, {jd - 1.0, jd + 1100.0, false}},
                          {e.umbralMagnitude, {-1.2, 2.0, false}},
                          {e.penumbralMagnitude, {0.0, 3.0, false}},
                          {e.gamma, {-1.7, 1.7, false}},
                          {e.penumbralSemiDurationMinutes, {0.0, 200.0, false}}}};
         const bool partial = ok && e.kind != LunarEclipseKind::Penumbral;
         const bool total = ok && e.kind == LunarEclipseKind::Total;
         for (auto [present, value] : {std::pair{partial, e.partialSemiDurationMinutes},
                                       std::pair{total, e.totalSemiDurationMinutes}}) {
           if (present || !ok) {
             outcome.values.push_back({value, {0.0, 200.0, false}});
           } else if (!std::isnan(value)) {
             outcome.ok = false;  // a phase the kind lacks, yet a time
           }
         }
         if (!ok && e.kind != LunarEclipseKind::Invalid) outcome.values.push_back({0.0, kLatitude});
         return outcome;
       }},
      {"computeNextTransit, Mercury", kFirstJd, lastTransitPeak(Body::Mercury),
       [](double jd) {
         Transit t;
         return transitOutcome(computeNextTransit(t, Body::Mercury, jd), t, jd);
       }},
      {"computeNextTransit, Venus", kFirstJd, lastTransitPeak(Body::Venus),
       [](double jd) {
         Transit t;
         return transitOutcome(computeNextTransit(t, Body::Venus, jd), t, jd);
       }},
      {"findConstellation", kFirstJd, kEndJd,
       [](double jd) {
         Constellation c;
         return constellationOutcome(findConstellation(c, {1.0, 0.3}, jd), c);
       }},
      // The libration within 8 and 7 degrees (optical 7.9 and 6.9, physical a few hundredths);
      // the axis within 26 degrees of the disk's north point.
      {"computeMoonLibration", kFirstJd, kEndJd,
       [](double jd) {
         MoonLibration l;
         const bool ok = computeMoonLibration(l, jd);
         return Outcome{ok,
                        {{l.longitude, {-8.5 * kDegree, 8.5 * kDegree, false}},
                         {l.latitude, {-7.5 * kDegree, 7.5 * kDegree, false}},
                         {l.positionAngle, {-26.0 * kDegree, 26.0 * kDegree, false}},
                         {l.sunLongitude, kHalfTurn},
                         {l.sunLatitude, {-2.0 * kDegree, 2.0 * kDegree, false}}}};
       }},
      // Each moon within its orbit's radius (Callisto's 26.6 radii); a failure says no
      // phenomenon, a result at most transit or occultation, eclipse or shadow transit.
      {"computeJupiterMoons", kFirstJd, kEndJd,
       [](double jd) {
         JupiterMoons moons;
         const bool ok = computeJupiterMoons(moons, jd);
         Outcome outcome{ok && moons.jdTt == jd, {}};
         for (const JupiterMoon* m : {&moons.io, &moons.europa, &moons.ganymede, &moons.callisto}) {
           const Range orbit{-27.0, 27.0, false};
           outcome.values.insert(outcome.values.end(),
                                 {{m->x, orbit}, {m->y, orbit}, {m->z, orbit}});
           const bool any = m->transit || m->occultation || m->eclipse || m->shadowTransit;
           if ((!ok && any) || (m->transit && m->occultation) || (m->eclipse && m->shadowTransit)) {
             outcome.values.push_back({kNaN, kFinite});
           }
         }
         return outcome;
       }},
  };
  // The apparent place of every body but the Earth.
  for (int b = 0; b <= static_cast<int>(Body::Pluto); ++b) {
    const Body body = static_cast<Body>(b);
    if (body == Body::Earth) continue;
    const bool pluto = body == Body::Pluto;
    // Pluto's places start a day before its fit's first day, so that the first day's rising and
    // setting hold for any delta T.
    routines.push_back({kApparentPlaceOf[b], pluto ? kPlutoFirstJd - 1.0 : kFirstJd,
                        pluto ? kPlutoEndJd : kEndJd, [body](double jd) {
                          ApparentPlace p;
                          const bool ok = computeApparentPlace(p, body, jd);
                          return placeOutcome(ok && p.jdTt == jd, p.equatorial, p.distanceAu,
                                              {{p.ecliptic.longitude, kTurn},
                                               {p.ecliptic.latitude, kLatitude}});
                        }});
  }
  return routines;
}

const std::vector<DayRoutine>& dayRoutines() {
  static const std::vector<DayRoutine> routines = makeDayRoutines();
  return routines;
}

// Outside its span, or for a day that is not a number, each routine fails as documented.
TEST(AstronomyHostileTest, DaysOutsideTheSpanFail) {
  for (const DayRoutine& routine : dayRoutines()) {
    std::vector<double> days(std::begin(kHostile), std::end(kHostile));
    days.insert(days.end(), {std::nextafter(routine.first, -kInf), routine.end});
    for (double jd : days) {
      const Outcome outcome = routine.run(jd);
      EXPECT_TRUE(failed(outcome)) << routine.name << "(" << jd << ") " << describe(outcome);
    }
  }
}

// Within its span, at its ends and across it, each routine gives a result in its ranges.
TEST(AstronomyHostileTest, DaysInsideTheSpanHoldTheirRanges) {
  constexpr int kSteps = 997;  // prime, so the days fall at every time of day
  for (const DayRoutine& routine : dayRoutines()) {
    std::vector<double> days = {routine.first, std::nextafter(routine.end - 1.0, -kInf)};
    for (int k = 0; k < kSteps; ++k) {
      days.push_back(routine.first + (routine.end - 1.0 - routine.first) * k / kSteps);
    }
    for (double jd : days) {
      const Outcome outcome = routine.run(jd);
      EXPECT_TRUE(held(outcome)) << routine.name << "(" << jd << ") " << describe(outcome);
    }
  }
}

// ---- Routines of angles ----

// A routine of several angles, each slot of which is tried with every hostile number.
struct AngleRoutine {
  const char* name;
  int slots;
  std::function<Outcome(const double*)> run;
};

// Ordinary arguments, as a base into which a hostile number is put.
constexpr double kBase[5] = {1.0, 0.3, 0.409, -0.7, 2.5};

const std::vector<AngleRoutine>& angleRoutines() {
  static const std::vector<AngleRoutine> routines = {
      {"reduceAngle", 1, [](const double* a) { return scalar(reduceAngle(a[0]), kTurn); }},
      {"signedAngle", 1,
       [](const double* a) {
         Outcome outcome = scalar(signedAngle(a[0]), kHalfTurn);
         if (outcome.values[0].first == -kPi) outcome.values[0].first = kInf;  // open at -pi
         return outcome;
       }},
      {"normalizeRadians", 1,
       [](const double* a) { return scalar(normalizeRadians(a[0]), kClosedTurn); }},
      {"eclipticToEquatorial", 3,
       [](const double* a) {
         EquatorialCoordinates q;
         eclipticToEquatorial(q, {a[0], a[1]}, a[2]);
         return Outcome{!std::isnan(q.rightAscension + q.declination),
                        {{q.rightAscension, kTurn}, {q.declination, kLatitude}}};
       }},
      {"equatorialToEcliptic", 3,
       [](const double* a) {
         EclipticCoordinates e;
         equatorialToEcliptic(e, {a[0], a[1]}, a[2]);
         return Outcome{!std::isnan(e.longitude + e.latitude),
                        {{e.longitude, kTurn}, {e.latitude, kLatitude}}};
       }},
      {"angularSeparation", 4,
       [](const double* a) {
         double d, p;
         const bool ok = angularSeparation(d, p, {a[0], a[1]}, {a[2], a[3]});
         return Outcome{ok, {{d, Range{0.0, kPi, false}}, {p, kTurn}}};
       }},
      {"precessEquatorial", 2,
       [](const double* a) {
         EquatorialCoordinates q;
         const bool ok = precessEquatorial(q, {a[0], a[1]}, kJ2000Epoch, kJ2000Epoch + 36525.0);
         return Outcome{ok, {{q.rightAscension, kTurn}, {q.declination, kLatitude}}};
       }},
      {"equatorialToHorizontal", 5,
       [](const double* a) {
         HorizontalCoordinates h;
         equatorialToHorizontal(h, {a[0], a[1]}, {a[2], a[3]}, a[4]);
         return Outcome{!std::isnan(h.azimuth + h.altitude),
                        {{h.azimuth, kTurn}, {h.altitude, kLatitude}}};
       }},
      {"horizontalToEquatorial", 5,
       [](const double* a) {
         EquatorialCoordinates q;
         const bool ok = horizontalToEquatorial(q, {a[0], a[1]}, {a[2], a[3]}, a[4]);
         return Outcome{ok, {{q.rightAscension, kTurn}, {q.declination, kLatitude}}};
       }},
      {"equatorialToGalactic", 2,
       [](const double* a) {
         GalacticCoordinates g;
         const bool ok = equatorialToGalactic(g, {a[0], a[1]});
         return Outcome{ok, {{g.longitude, kTurn}, {g.latitude, kLatitude}}};
       }},
      {"galacticToEquatorial", 2,
       [](const double* a) {
         EquatorialCoordinates q;
         const bool ok = galacticToEquatorial(q, {a[0], a[1]});
         return Outcome{ok, {{q.rightAscension, kTurn}, {q.declination, kLatitude}}};
       }},
      {"findConstellation", 2,
       [](const double* a) {
         Constellation c;
         return constellationOutcome(findConstellation(c, {a[0], a[1]}, kJ2000Epoch), c);
       }},
  };
  return routines;
}

// A number that is not finite gives NaN in every value; any finite one, however large, a
// direction inside the promised ranges.
TEST(AstronomyHostileTest, AnglesOfAnySize) {
  for (const AngleRoutine& routine : angleRoutines()) {
    for (int slot = 0; slot < routine.slots; ++slot) {
      for (double hostile : kHostile) {
        double arguments[5];
        std::copy(std::begin(kBase), std::end(kBase), arguments);
        arguments[slot] = hostile;
        const Outcome outcome = routine.run(arguments);
        EXPECT_TRUE(std::isfinite(hostile) ? held(outcome) : failed(outcome))
            << routine.name << " argument " << slot << " = " << hostile << ": "
            << describe(outcome);
      }
    }
  }
  // The angles at which a reduction rounds: a hair below 0 and below a multiple of 2pi, -0.0.
  for (double angle : {-1e-20, -std::numeric_limits<double>::denorm_min(), -0.0, -kTwoPi,
                       std::nextafter(kTwoPi, 0.0), kTwoPi, 1e300}) {
    const double r = reduceAngle(angle);
    EXPECT_TRUE(kTurn.holds(r) && !std::signbit(r)) << angle << " gave " << r;
  }
}

// ---- Routines of bounded arguments ----

// Refraction and airmass take an altitude, a pressure and a temperature within stated ranges:
// every hostile number in any slot fails with NaN; the ends of the ranges hold them.
struct BoundedRoutine {
  const char* name;
  std::function<Outcome(double, double, double)> run;
};

const BoundedRoutine kBoundedRoutines[] = {
    {"refractedAltitude",
     [](double h, double p, double t) {
       double a;
       const bool ok = refractedAltitude(a, h, p, t);
       return Outcome{ok, {{a, kLatitude}}};
     }},
    {"unrefractedAltitude",
     [](double h, double p, double t) {
       double a;
       const bool ok = unrefractedAltitude(a, h, p, t);
       return Outcome{ok, {{a, kLatitude}}};
     }},
    {"computeAirmass",
     [](double h, double, double) {
       double x;
       const bool ok = computeAirmass(x, h);
       return Outcome{ok, {{x, Range{0.99, 38.0, false}}}};
     }},
};

TEST(AstronomyHostileTest, RefractionAndAirmassArguments) {
  for (const BoundedRoutine& routine : kBoundedRoutines) {
    for (double hostile : kHostile) {
      for (int slot = 0; slot < 3; ++slot) {
        if (slot > 0 && std::string(routine.name) == "computeAirmass") continue;
        double arguments[3] = {0.2, 1010.0, 10.0};
        arguments[slot] = hostile;
        const Outcome outcome = routine.run(arguments[0], arguments[1], arguments[2]);
        EXPECT_TRUE(failed(outcome)) << routine.name << " argument " << slot << " = " << hostile
                                     << ": " << describe(outcome);
      }
    }
    for (double h : {-kPi / 2.0, -0.0, kPi / 2.0}) {
      for (double p : {0.0, 1200.0}) {
        for (double t : {-100.0, 100.0}) {
          const Outcome outcome = routine.run(h, p, t);
          EXPECT_TRUE(held(outcome)) << routine.name << "(" << h << ", " << p << ", " << t
                                     << ") " << describe(outcome);
        }
      }
    }
  }
  // A topocentric place through air that is not air fails as a whole; the ends of the ranges
  // hold it.
  const auto throughTheAir = [](double p, double t) {
    TopocentricPlace place;
    const bool ok = computeTopocentricPlace(place, Body::Moon, 2461212.5, kTromso, {p, t});
    return placeOutcome(ok, place.equatorial, place.distanceAu,
                        {{place.horizontal.azimuth, kTurn}, {place.horizontal.altitude, kLatitude}});
  };
  for (double hostile : kHostile) {
    EXPECT_TRUE(failed(throughTheAir(hostile, 10.0))) << "pressure " << hostile;
    EXPECT_TRUE(failed(throughTheAir(1010.0, hostile))) << "temperature " << hostile;
  }
  for (double p : {0.0, 1200.0}) {
    for (double t : {-100.0, 100.0}) EXPECT_TRUE(held(throughTheAir(p, t))) << p << ", " << t;
  }
}

// ---- Places and distances ----

// Rise and set at the poles and beyond them, with coordinates and delta T that are not numbers:
// the poles are places like any other; the rest fails as a whole.
TEST(AstronomyHostileTest, RiseTransitSetPlacesAndCoordinates) {
  const double jdUt = 2461212.5;  // 2026 June 21, 0h UT: the Sun above the north pole
  struct Case {
    const char* what;
    Observer observer;
    EquatorialCoordinates middle;
    double standardAltitude, deltaTSeconds;
    RiseSetKind kind;  // Invalid for a failure
  };
  const Case cases[] = {
      {"north pole", {0.0, kPi / 2.0}, kSunDays[1], kStandardAltitudeSun, 69.0,
       RiseSetKind::Circumpolar},
      {"south pole", {0.0, -kPi / 2.0}, kSunDays[1], kStandardAltitudeSun, 69.0,
       RiseSetKind::NeverRises},
      {"past the pole", {0.0, kPi / 2.0 + 1e-9}, kSunDays[1], kStandardAltitudeSun, 69.0,
       RiseSetKind::Invalid},
      {"latitude NaN", {0.0, kNaN}, kSunDays[1], kStandardAltitudeSun, 69.0, RiseSetKind::Invalid},
      {"longitude inf", {kInf, 0.5}, kSunDays[1], kStandardAltitudeSun, 69.0,
       RiseSetKind::Invalid},
      {"declination NaN", kTromso, {1.62, kNaN}, kStandardAltitudeSun, 69.0, RiseSetKind::Invalid},
      {"declination past the pole", kTromso, {1.62, 2.0}, kStandardAltitudeSun, 69.0,
       RiseSetKind::Invalid},
      {"right ascension -inf", kTromso, {-kInf, 0.4}, kStandardAltitudeSun, 69.0,
       RiseSetKind::Invalid},
      {"standard altitude NaN", kTromso, kSunDays[1], kNaN, 69.0, RiseSetKind::Invalid},
      {"delta T NaN", kTromso, kSunDays[1], kStandardAltitudeSun, kNaN, RiseSetKind::Invalid},
      {"delta T 1e300", kTromso, kSunDays[1], kStandardAltitudeSun, 1e300, RiseSetKind::Invalid},
      {"delta T over a day", kTromso, kSunDays[1], kStandardAltitudeSun, -86401.0,
       RiseSetKind::Invalid},
  };
  for (const Case& c : cases) {
    const EquatorialCoordinates days[3] = {kSunDays[0], c.middle, kSunDays[2]};
    RiseTransitSet e;
    const bool ok = computeRiseTransitSet(e, jdUt, days, c.observer, c.standardAltitude,
                                          c.deltaTSeconds);
    const Outcome outcome = riseTransitSetOutcome(ok, e, jdUt);
    EXPECT_EQ(e.kind, c.kind) << c.what;
    EXPECT_TRUE(c.kind == RiseSetKind::Invalid ? failed(outcome) : held(outcome))
        << c.what << ": " << describe(outcome);
  }
}

// The Moon's standard altitude needs a distance outside the Earth.
TEST(AstronomyHostileTest, MoonStandardAltitudeDistances) {
  for (double distanceKm : {0.0, -0.0, -384400.0, kEarthEquatorialRadiusKm, kNaN, kInf, -kInf}) {
    EXPECT_TRUE(std::isnan(moonStandardAltitude(distanceKm))) << distanceKm;
  }
  // From the nearest to the farthest Moon, about +0.18 to +0.09 deg, and towards a star's
  // standard altitude as the parallax vanishes far beyond.
  for (double distanceKm : {6378.2, 356000.0, 407000.0, 1e15, 1e300}) {
    const double h0 = moonStandardAltitude(distanceKm);
    EXPECT_TRUE(h0 >= kStandardAltitudeStar && h0 <= 0.7275 * kPi / 2.0) << distanceKm << " " << h0;
  }
  EXPECT_NEAR(moonStandardAltitude(384400.0) / kDegree, 0.125, 0.01);  // the book's mean value
}

// Bodies outside the enumeration, the Earth seen from itself, and observers at, beyond and
// without a latitude, for the routines of a body and a place.
TEST(AstronomyHostileTest, BodiesAndObservers) {
  const double jd = 2461212.5;  // 2026 June 21, 0h: the Sun above the north pole
  struct Case {
    const char* what;
    Body body;
    Observer observer;
    bool holds;
    bool eventsHold;  // rising and setting take no height, so a height that is not one is no harm
  };
  const Case cases[] = {
      {"the Earth", Body::Earth, kTromso, false, false},
      {"body -1", static_cast<Body>(-1), kTromso, false, false},
      {"body 11", static_cast<Body>(11), kTromso, false, false},
      {"north pole", Body::Sun, {0.0, kPi / 2.0}, true, true},
      {"south pole", Body::Moon, {0.0, -kPi / 2.0}, true, true},
      {"past the pole", Body::Sun, {0.0, -kPi / 2.0 - 1e-9}, false, false},
      {"latitude NaN", Body::Moon, {0.0, kNaN}, false, false},
      {"longitude -inf", Body::Moon, {-kInf, 0.3}, false, false},
      {"longitude 1e300", Body::Moon, {1e300, 0.3}, true, true},
      {"height inf", Body::Moon, {0.3, 0.3, kInf}, false, true},
      {"height NaN", Body::Moon, {0.3, 0.3, kNaN}, false, true},
      {"height 1e9 m", Body::Sun, {0.3, 0.3, 1e9}, true, true},
  };
  for (const Case& c : cases) {
    TopocentricPlace place, refracted;
    const bool placed = computeTopocentricPlace(place, c.body, jd, c.observer);
    const Outcome topocentric = placeOutcome(
        placed, place.equatorial, place.distanceAu,
        {{place.horizontal.azimuth, kTurn}, {place.horizontal.altitude, kLatitude}});
    const bool seen = computeTopocentricPlace(refracted, c.body, jd, c.observer, Atmosphere{});
    const Outcome throughTheAir = placeOutcome(
        seen, refracted.equatorial, refracted.distanceAu,
        {{refracted.horizontal.azimuth, kTurn}, {refracted.horizontal.altitude, kLatitude}});
    EXPECT_TRUE(c.holds ? held(throughTheAir) : failed(throughTheAir))
        << c.what << " through the air: " << describe(throughTheAir);
    RiseTransitSet e;
    const Outcome events = riseTransitSetOutcome(
        computeBodyRiseTransitSet(e, c.body, c.observer, jd), e, jd);
    EXPECT_TRUE(c.holds ? held(topocentric) : failed(topocentric))
        << c.what << ": " << describe(topocentric);
    EXPECT_TRUE(c.eventsHold ? held(events) : failed(events)) << c.what << ": " << describe(events);
    SearchedInstant found;
    const Outcome search =
        searchOutcome(searchHourAngle(found, c.body, c.observer, 0.0, jd), found, jd, 1.04);
    EXPECT_TRUE(c.holds ? held(search) : failed(search)) << c.what << ": " << describe(search);
    BodyPosition heliocentric;
    EXPECT_EQ(computeHeliocentricPosition(heliocentric, c.body, jd),
              c.body >= Body::Sun && c.body <= Body::Neptune)
        << c.what;
    Elongation elongation;
    EXPECT_EQ(computeElongation(elongation, c.body, jd),
              c.body >= Body::Mercury && c.body <= Body::Pluto && c.body != Body::Earth)
        << c.what;
    Illumination illumination;
    EXPECT_EQ(computeIllumination(illumination, c.body, jd),
              c.body >= Body::Mercury && c.body <= Body::Pluto && c.body != Body::Earth)
        << c.what;
    ApparentPlace apparent;
    const bool known = computeApparentPlace(apparent, c.body, jd);
    EXPECT_EQ(known, c.body >= Body::Sun && c.body <= Body::Pluto && c.body != Body::Earth)
        << c.what;
  }
  // Transits: Mercury and Venus only; every other body, and values outside the enumeration, fail.
  for (int b = -1; b <= static_cast<int>(Body::Pluto) + 1; ++b) {
    const Body body = static_cast<Body>(b);
    Transit t;
    const Outcome transit = transitOutcome(computeNextTransit(t, body, jd), t, jd);
    const bool inferior = body == Body::Mercury || body == Body::Venus;
    EXPECT_TRUE(inferior ? held(transit) : failed(transit)) << b << ": " << describe(transit);
  }
}

// A longitude of any size is the direction it names: 1e300 rad gives what its remainder gives,
// not an hour angle swamped by it.
TEST(AstronomyHostileTest, HugeLongitudesAreTheirDirections) {
  const double jd = 2461385.5;
  const Observer huge{1e300, 0.3}, reduced{reduceAngle(1e300), 0.3};
  TopocentricPlace a, b;
  ASSERT_TRUE(computeTopocentricPlace(a, Body::Moon, jd, huge));
  ASSERT_TRUE(computeTopocentricPlace(b, Body::Moon, jd, reduced));
  EXPECT_NEAR(a.horizontal.altitude, b.horizontal.altitude, 1e-12);
  EXPECT_NEAR(a.horizontal.azimuth, b.horizontal.azimuth, 1e-12);
  RiseTransitSet e, f;
  ASSERT_TRUE(computeBodyRiseTransitSet(e, Body::Moon, huge, jd));
  ASSERT_TRUE(computeBodyRiseTransitSet(f, Body::Moon, reduced, jd));
  EXPECT_NEAR(e.transitJdUt, f.transitJdUt, 1e-9);
  SearchedInstant g, h;
  ASSERT_TRUE(searchHourAngle(g, Body::Moon, huge, 0.0, jd));
  ASSERT_TRUE(searchHourAngle(h, Body::Moon, reduced, 0.0, jd));
  EXPECT_NEAR(g.jdUt, h.jdUt, 1e-9);
}

// An hour angle of any size is the angle it names, reduced before it meets the sidereal time:
// 1e300 rad searched as its remainder, 5.5597586 rad, not 9.8 hours away from it.
TEST(AstronomyHostileTest, HugeHourAnglesAreTheirRemainders) {
  const Observer observer{0.3, 0.8};
  const double jd = 2460400.5;
  for (double angle : {1e300, -1e300, 1e15, -1e15, 4.0 * kTwoPi + 1.0, -0.5}) {
    SearchedInstant huge, reduced;
    ASSERT_TRUE(searchHourAngle(huge, Body::Moon, observer, angle, jd)) << angle;
    ASSERT_TRUE(searchHourAngle(reduced, Body::Moon, observer, reduceAngle(angle), jd)) << angle;
    EXPECT_NEAR(huge.jdUt, reduced.jdUt, 1e-9) << angle;
  }
  EXPECT_NEAR(reduceAngle(1e300), 5.5597586, 1e-7);
}

// ---- Routines of a year ----

// The seasons of every year of the span fall in order within it; the years beyond and the
// extremes of the integer fail.
TEST(AstronomyHostileTest, SeasonsOfAnyYear) {
  const Range span{kFirstJd, kEndJd, true};
  for (int64_t year : {int64_t{-2000}, int64_t{-1}, int64_t{0}, int64_t{5999}}) {
    Seasons s;
    const bool ok = computeSeasons(s, year);
    const Outcome outcome{ok && s.marchEquinoxJdTt < s.juneSolsticeJdTt &&
                              s.juneSolsticeJdTt < s.septemberEquinoxJdTt &&
                              s.septemberEquinoxJdTt < s.decemberSolsticeJdTt,
                          {{s.marchEquinoxJdTt, span}, {s.decemberSolsticeJdTt, span}}};
    EXPECT_TRUE(held(outcome)) << year << " " << describe(outcome);
  }
  for (int64_t year : {INT64_MIN, int64_t{-2001}, int64_t{6000}, INT64_MAX}) {
    Seasons s;
    const bool ok = computeSeasons(s, year);
    const Outcome outcome{ok,
                          {{s.marchEquinoxJdTt, kFinite},
                           {s.juneSolsticeJdTt, kFinite},
                           {s.septemberEquinoxJdTt, kFinite},
                           {s.decemberSolsticeJdTt, kFinite}}};
    EXPECT_TRUE(failed(outcome)) << year << " " << describe(outcome);
  }
}

// The searches of a planet's events take only the planets they are defined for.
TEST(AstronomyHostileTest, ElongationSearchBodies) {
  const double jd = 2461212.5;
  for (int b = -1; b <= 11; ++b) {
    const Body body = static_cast<Body>(b);
    GreatestElongations g;
    const bool inner = body == Body::Mercury || body == Body::Venus;
    EXPECT_EQ(computeNextGreatestElongations(g, body, jd), inner) << b;
    EXPECT_EQ(std::isnan(g.eastJdTt) && std::isnan(g.westAngle), !inner) << b;
    SolarConjunctions c;
    const bool planet = b >= 1 && b <= 8 && b != 3;
    EXPECT_EQ(computeNextSolarConjunctions(c, body, jd), planet) << b;
    EXPECT_EQ(std::isnan(c.conjunctionJdTt), !planet) << b;
    if (planet) {
      EXPECT_NE(std::isnan(c.oppositionJdTt), std::isnan(c.inferiorConjunctionJdTt)) << b;
    }
  }
}

// ---- Searches for the next event ----

// The promised ranges of a solar eclipse found from `jdTt`: a peak after it, within six lunations;
// a place only where the axis meets the Earth.
Outcome solarEclipseOutcome(bool ok, const GlobalSolarEclipse& e, double jdTt) {
  Outcome outcome{ok && e.kind != SolarEclipseKind::Invalid,
                  {{e.peakJdTt, {std::nextafter(jdTt, kInf), jdTt + 179.0, false}},
                   {e.peakJdTt - e.peakJdUt, kFinite},
                   {e.axisDistanceKm, {0.0, 1.6 * kEarthEquatorialRadiusKm, false}},
                   {e.gamma, {0.0, 1.6, false}}}};
  if (e.central || !ok) {
    outcome.values.push_back({e.latitude, kLatitude});
    outcome.values.push_back({e.longitude, {std::nextafter(-kPi, kInf), kPi, false}});
  } else if (!std::isnan(e.latitude) || !std::isnan(e.longitude)) {
    outcome.ok = false;  // not central, yet a place
  }
  if (!ok && (e.kind != SolarEclipseKind::Invalid || e.central)) {
    outcome.values.push_back({0.0, kLatitude});  // a failure must say so everywhere
  }
  return outcome;
}

// The promised ranges of a local solar eclipse found from `jdUt`: the contacts in their order
// around a peak that follows it, only the central ones of a partial eclipse absent.
Outcome localSolarEclipseOutcome(bool ok, const LocalSolarEclipse& e, double jdUt) {
  const bool central = e.kind == SolarEclipseKind::Annular || e.kind == SolarEclipseKind::Total;
  Outcome outcome{ok && e.kind != SolarEclipseKind::Invalid && e.kind != SolarEclipseKind::Hybrid,
                  {{e.obscuration, {0.0, 1.0, false}}, {e.magnitude, {0.0, 1.1, false}}}};
  const EclipseContact* order[] = {&e.partialBegin, &e.centralBegin, &e.peak, &e.centralEnd,
                                   &e.partialEnd};
  double last = -kInf;
  for (int i = 0; i < 5; ++i) {
    const bool present = !ok || central || i == 0 || i == 2 || i == 4;
    if (!present) {
      if (!std::isnan(order[i]->jdUt) || !std::isnan(order[i]->altitude)) outcome.ok = false;
      continue;
    }
    outcome.values.push_back({order[i]->jdUt, {last, kInf, false}});
    outcome.values.push_back({order[i]->altitude, kLatitude});
    if (ok) last = order[i]->jdUt;
  }
  if (ok && !(e.peak.jdUt > jdUt)) outcome.ok = false;
  if (!ok && e.kind != SolarEclipseKind::Invalid) outcome.values.push_back({0.0, kLatitude});
  return outcome;
}

// A search for the next event from a day: `reach` the longest the event may follow the day.
struct SearchRoutine {
  const char* name;
  double reach;
  std::function<Outcome(double)> run;
};

const SearchRoutine kSearches[] = {
    {"computeNextSolarEclipse", 179.0,
     [](double jd) {
       GlobalSolarEclipse e;
       return solarEclipseOutcome(computeNextSolarEclipse(e, jd), e, jd);
     }},
    // Tromso sees an eclipse every few years; 80 years of them are searched before failing.
    {"computeNextLocalSolarEclipse", 80 * 365.25,
     [](double jd) {
       LocalSolarEclipse e;
       return localSolarEclipseOutcome(computeNextLocalSolarEclipse(e, kTromso, jd), e, jd);
     }},
};

// Outside the span a search fails; across it, it finds an event in its ranges; within its reach
// of the span's end, it finds one or, where the next lies beyond the end, fails as documented.
TEST(AstronomyHostileTest, SearchesAcrossTheSpan) {
  constexpr int kSteps = 997;
  for (const SearchRoutine& search : kSearches) {
    std::vector<double> outside(std::begin(kHostile), std::end(kHostile));
    outside.insert(outside.end(), {std::nextafter(kFirstJd, -kInf), kEndJd});
    for (double jd : outside) {
      const Outcome outcome = search.run(jd);
      EXPECT_TRUE(failed(outcome)) << search.name << "(" << jd << ") " << describe(outcome);
    }
    std::vector<double> inside = {kFirstJd, kEndJd - search.reach};
    for (int k = 0; k < kSteps; ++k) {
      inside.push_back(kFirstJd + (kEndJd - search.reach - kFirstJd) * k / kSteps);
    }
    for (double jd : inside) {
      const Outcome outcome = search.run(jd);
      EXPECT_TRUE(held(outcome)) << search.name << "(" << jd << ") " << describe(outcome);
    }
    for (double jd = kEndJd - search.reach; jd < kEndJd; jd += search.reach / 97.0) {
      const Outcome outcome = search.run(jd);
      EXPECT_TRUE(held(outcome) || failed(outcome))
          << search.name << "(" << jd << ") " << describe(outcome);
    }
  }
}

// Observers at, beyond and without a latitude for the local eclipse, which takes no body.
TEST(AstronomyHostileTest, LocalEclipseObservers) {
  const double jd = 2461212.5;
  struct Case {
    const char* what;
    Observer observer;
    bool holds;
  };
  const Case cases[] = {
      {"north pole", {0.0, kPi / 2.0}, true},
      {"south pole", {0.0, -kPi / 2.0}, true},
      {"longitude 1e300", {1e300, 0.3}, true},
      {"height -11 km", {0.3, 0.3, -11000.0}, true},
      {"past the pole", {0.0, -kPi / 2.0 - 1e-9}, false},
      {"latitude NaN", {0.0, kNaN}, false},
      {"longitude -inf", {-kInf, 0.3}, false},
      {"height inf", {0.3, 0.3, kInf}, false},
      {"height NaN", {0.3, 0.3, kNaN}, false},
      {"height -13 km", {0.3, 0.3, -13000.0}, false},
  };
  for (const Case& c : cases) {
    LocalSolarEclipse e;
    const Outcome local =
        localSolarEclipseOutcome(computeNextLocalSolarEclipse(e, c.observer, jd), e, jd);
    EXPECT_TRUE(c.holds ? held(local) : failed(local)) << c.what << ": " << describe(local);
  }
  // Delta T that is not a number, and one of a day (the search still answers in its ranges).
  for (const double deltaT : {kNaN, kInf, 86400.0}) {
    LocalSolarEclipse e;
    const Outcome local = localSolarEclipseOutcome(
        computeNextLocalSolarEclipse(e, kTromso, jd, deltaT), e, jd);
    EXPECT_TRUE(std::isfinite(deltaT) ? held(local) : failed(local))
        << "delta T " << deltaT << ": " << describe(local);
  }
}

}  // namespace

// Elements that are no orbit fail, whatever the day: each field not a number, infinite or out of
// its range.
TEST(AstronomyHostileTest, OrbitalElementsThatAreNoOrbit) {
  double OrbitalElements::*fields[] = {
      &OrbitalElements::perihelionJdTt,       &OrbitalElements::perihelionDistanceAu,
      &OrbitalElements::eccentricity,         &OrbitalElements::inclination,
      &OrbitalElements::argumentOfPerihelion, &OrbitalElements::ascendingNode};
  for (auto field : fields) {
    for (double value : {kNaN, kInf, -kInf}) {
      OrbitalElements el = kEncke;
      el.*field = value;
      OrbitPosition p;
      EXPECT_FALSE(computeOrbitPosition(p, el, 2451545.0));
      EXPECT_TRUE(std::isnan(p.x) && std::isnan(p.distanceAu));
      ApparentPlace a;
      EXPECT_FALSE(computeOrbitApparentPlace(a, el, 2451545.0));
      EXPECT_TRUE(std::isnan(a.equatorial.rightAscension) && std::isnan(a.distanceAu));
    }
  }
  const double outOfRange[][2] = {{1, 0.0}, {1, -1.0}, {2, -1e-300}, {2, 101.0}, {3, -0.1},
                                  {3, 3.2}};
  for (const auto& row : outOfRange) {
    OrbitalElements el = kEncke;
    el.*fields[static_cast<int>(row[0])] = row[1];
    OrbitPosition p;
    EXPECT_FALSE(computeOrbitPosition(p, el, 2451545.0)) << row[0] << " " << row[1];
  }
  // Perihelia at the edge of the doubles overflow the orbit: it fails as a whole, NaN in every
  // field, not infinities beside a plausible true anomaly.
  const struct {
    double q, e;
  } overflowing[] = {{5e-324, 1.0}, {1e-300, 20.0}};
  for (const auto& c : overflowing) {
    OrbitPosition p;
    const bool ok = computeOrbitPosition(p, {2451000.5, c.q, c.e, 0.5, 1.0, 2.0}, 3912514.4999999995);
    const double fields[] = {p.x, p.y, p.z, p.vx, p.vy, p.vz, p.distanceAu, p.trueAnomaly};
    for (double v : fields) {
      EXPECT_TRUE(ok ? std::isfinite(v) : std::isnan(v)) << c.q << " " << c.e << ": " << v;
    }
  }
  // Far from perihelion, however far within the span, the orbit holds.
  for (double e : {0.0, 0.5, 0.99999, 1.0, 1.00001, 100.0}) {
    OrbitPosition p;
    EXPECT_TRUE(computeOrbitPosition(p, {kFirstJd, 1e-3, e, 1.0, 2.0, 3.0}, kEndJd - 1e-6)) << e;
    EXPECT_TRUE(computeOrbitPosition(p, {kEndJd, 1e3, e, 1.0, 2.0, 3.0}, kFirstJd)) << e;
  }
}

// Elements by mean anomaly: every argument hostile in turn, from a main-belt orbit's.
TEST(AstronomyHostileTest, OrbitalElementsFromMeanAnomalyArguments) {
  const double good[7] = {2460800.5, 3.3, 2.77, 0.08, 0.18, 1.28, 1.4};
  for (int k = 0; k < 7; ++k) {
    for (double value : kHostile) {
      double a[7];
      std::copy(std::begin(good), std::end(good), a);
      a[k] = value;
      OrbitalElements el;
      const bool ok = orbitalElementsFromMeanAnomaly(el, a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
      const Outcome outcome{ok,
                            {{el.perihelionJdTt, kFinite},
                             {el.perihelionDistanceAu, {0.0, 1e6, false}},
                             {el.eccentricity, {0.0, 1.0, true}},
                             {el.inclination, {0.0, kPi, false}},
                             {el.argumentOfPerihelion, kTurn},
                             {el.ascendingNode, kTurn}}};
      // Angles of any size are directions; a semi-major axis of 1e9 AU and the rest are not.
      const bool angle = (k == 1 || k == 5 || k == 6) && std::isfinite(value);
      EXPECT_TRUE(angle ? held(outcome) : failed(outcome))
          << "argument " << k << " = " << value << ": " << describe(outcome);
      OrbitPosition p;
      if (ok) {
        EXPECT_TRUE(computeOrbitPosition(p, el, a[0])) << k << " " << value;
      }
    }
  }
}

// Magnitudes: H, G, g and k hostile, on a main-belt orbit and on Encke's.
TEST(AstronomyHostileTest, MagnitudeParameters) {
  OrbitalElements belt;
  ASSERT_TRUE(orbitalElementsFromMeanAnomaly(belt, 2460800.5, 3.3, 2.77, 0.08, 0.18, 1.28, 1.4));
  for (double value : kHostile) {
    for (int which = 0; which < 4; ++which) {
      MinorBodyBrightness b;
      const double h = which == 0 ? value : 3.34, g = which == 1 ? value : 0.15;
      const bool asteroid = which < 2;
      const bool ok = asteroid ? computeAsteroidMagnitude(b, belt, h, g, 2451545.0)
                               : computeCometMagnitude(b, kEncke, which == 2 ? value : 10.0,
                                                       which == 3 ? value : 4.0, 2451545.0);
      const Outcome outcome{ok,
                            {{b.magnitude, kFinite},
                             {b.heliocentricAu, {0.3, 4.2, false}},
                             {b.geocentricAu, {0.0, 5.3, false}},
                             {b.phaseAngle, {0.0, kPi, false}}}};
      // A finite parameter of 1e300 still gives a finite magnitude, or says it has none.
      EXPECT_TRUE(std::isfinite(value) ? held(outcome) || failed(outcome) : failed(outcome))
          << which << " " << value << ": " << describe(outcome);
    }
  }
}

// Magnitudes over the span: a main-belt asteroid (never near phase 180 degrees) and a comet of
// Encke's orbit, at the span's ends and across it; outside it they fail.
TEST(AstronomyHostileTest, MagnitudesAcrossTheSpan) {
  OrbitalElements belt;
  ASSERT_TRUE(orbitalElementsFromMeanAnomaly(belt, 2460800.5, 3.3, 2.77, 0.08, 0.18, 1.28, 1.4));
  std::vector<double> days = {kFirstJd, std::nextafter(kEndJd, 0.0)};
  for (int k = 0; k < 997; ++k) days.push_back(kFirstJd + (kEndJd - kFirstJd) * k / 997.0);
  for (double jd : days) {
    MinorBodyBrightness a, c;
    const Outcome asteroid{computeAsteroidMagnitude(a, belt, 3.34, 0.15, jd),
                           {{a.magnitude, {-10.0, 20.0, false}},
                            {a.heliocentricAu, {2.5, 3.0, false}},
                            {a.phaseAngle, {0.0, 25.0 * kDegree, false}}}};
    EXPECT_TRUE(held(asteroid)) << jd << ": " << describe(asteroid);
    const Outcome comet{computeCometMagnitude(c, kEncke, 10.0, 4.0, jd),
                        {{c.magnitude, {-20.0, 40.0, false}},
                         {c.heliocentricAu, {0.33, 4.2, false}},
                         {c.geocentricAu, {0.0, 5.3, false}},
                         {c.phaseAngle, {0.0, kPi, false}}}};
    EXPECT_TRUE(held(comet)) << jd << ": " << describe(comet);
  }
  for (double jd : {kNaN, kInf, -kInf, std::nextafter(kFirstJd, 0.0), kEndJd}) {
    MinorBodyBrightness a, c;
    EXPECT_TRUE(failed({computeAsteroidMagnitude(a, belt, 3.34, 0.15, jd),
                        {{a.magnitude, kFinite}, {a.geocentricAu, kFinite}}}));
    EXPECT_TRUE(failed({computeCometMagnitude(c, kEncke, 10.0, 4.0, jd),
                        {{c.magnitude, kFinite}, {c.phaseAngle, kFinite}}}));
  }
}

// The readers of the Minor Planet Center's lines fed bytes of every kind: real lines with each
// byte in turn replaced by hostile ones, cut at every length, and lines of pseudo-random bytes.
// Each read keeps its promises (tests/support/mpc_line_promises.h).
TEST(AstronomyHostileTest, MpcLinesOfAnyBytes) {
  const std::string lines[2] = {
      "00001    3.34  0.15 K2555 188.70269   73.27343   80.25221   10.58780  0.0794013  "
      "0.21424651   2.7660512  0 E2024-V47  7330 125 1801-2024 0.80 M-v 30k MPCLINUX   4000      "
      "(1) Ceres              20241101",
      "    CJ95O010  1997 03 29.0319  0.925246  0.994897  130.7250  281.8047   89.7360  20260922  "
      "-2.0  4.0  C/1995 O1 (Hale-Bopp)                                    MPC194091"};
  const auto read = [](int which, std::string_view bytes) {
    MpcOrbit o;
    const bool ok = which == 0 ? parseMpcMinorPlanetLine(o, bytes) : parseMpcCometLine(o, bytes);
    const MpcBodyKind kind = which == 0 ? MpcBodyKind::MinorPlanet : MpcBodyKind::Comet;
    return mpc_promises::broken(ok, o, kind);
  };
  const char hostileBytes[] = {'\0', '\n', '\r', '\t', '\x7f', '\x80', '\xff', '-', '+', '.',
                               '9',  'z',  '~',  ' ',  'e',    'I'};
  uint32_t x = 12345;
  for (int which = 0; which < 2; ++which) {
    const std::string& line = lines[which];
    for (size_t length = 0; length <= line.size(); ++length) {
      const std::unique_ptr<char[]> cut(new char[length + 1]);
      std::memcpy(cut.get(), line.data(), length);
      const char* fault = read(which, {cut.get(), length});
      EXPECT_EQ(fault, nullptr) << which << " cut at " << length << ": " << fault;
    }
    for (size_t at = 0; at < line.size(); ++at) {
      for (char c : hostileBytes) {
        std::string bad = line;
        bad[at] = c;
        const char* fault = read(which, bad);
        EXPECT_EQ(fault, nullptr) << which << " byte " << at << " = " << int(c) << ": " << fault;
      }
    }
    for (int n = 0; n < 2000; ++n) {
      std::string noise(x % 260, ' ');
      for (char& c : noise) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
      }
      const char* fault = read(which, noise);
      EXPECT_EQ(fault, nullptr) << which << " noise " << n << ": " << fault;
    }
  }
}

namespace {

// ---- Stars and the frames of J2000.0 and of date ----

// A star's apparent or topocentric place with the ranges it promises: a positive distance, or
// +infinity for a star without parallax (a star moving at its limits may pass the Sun).
Outcome starPlaceOutcome(bool ok, const EquatorialCoordinates& equatorial, double distanceAu,
                         std::vector<std::pair<double, Range>> more) {
  Outcome outcome{ok,
                  {{equatorial.rightAscension, kTurn},
                   {equatorial.declination, kLatitude},
                   {distanceAu, {std::numeric_limits<double>::min(), kInf, false}}}};
  outcome.values.insert(outcome.values.end(), more.begin(), more.end());
  return outcome;
}

// The star routines' outcomes for one star, day and observer.
std::vector<std::pair<std::string, Outcome>> starOutcomes(const CatalogueStar& star, double jd,
                                                          const Observer& observer,
                                                          const Atmosphere& atmosphere) {
  ApparentPlace a;
  const bool apparent = computeStarApparentPlace(a, star, jd);
  TopocentricPlace t, r;
  const bool topocentric = computeStarTopocentricPlace(t, star, jd, observer);
  const bool refracted = computeStarTopocentricPlace(r, star, jd, observer, atmosphere);
  RiseTransitSet e;
  const bool events = computeStarRiseTransitSet(e, star, observer, std::floor(jd) + 0.5);
  return {{"computeStarApparentPlace",
           starPlaceOutcome(apparent && a.jdTt == jd, a.equatorial, a.distanceAu,
                            {{a.ecliptic.longitude, kTurn}, {a.ecliptic.latitude, kLatitude}})},
          {"computeStarTopocentricPlace",
           starPlaceOutcome(topocentric && t.jdUt == jd, t.equatorial, t.distanceAu,
                            {{t.horizontal.azimuth, kTurn}, {t.horizontal.altitude, kLatitude}})},
          {"computeStarTopocentricPlace, refracted",
           starPlaceOutcome(refracted && r.jdUt == jd, r.equatorial, r.distanceAu,
                            {{r.horizontal.azimuth, kTurn}, {r.horizontal.altitude, kLatitude}})},
          {"computeStarRiseTransitSet", riseTransitSetOutcome(events, e, std::floor(jd) + 0.5)}};
}

// Barnard's star: the fastest on the sky, near, and approaching.
const CatalogueStar kBarnard{{4.7028, 0.0818}, -3.87e-6, 5.007e-5, 2.66e-6, -110.6};

}  // namespace

// Every field of a star, the day and the observer, each hostile in turn: a number that is not
// finite, or beyond a field's limit, fails every routine; a right ascension of any size is a
// direction.
TEST(AstronomyHostileTest, StarsOfEveryKind) {
  const double jd = 2461212.5;
  double CatalogueStar::*fields[] = {
      &CatalogueStar::properMotionRightAscension, &CatalogueStar::properMotionDeclination,
      &CatalogueStar::parallax, &CatalogueStar::radialVelocityKmPerS, &CatalogueStar::epochJdTt};
  for (double hostile : kHostile) {
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, Outcome>>>> cases;
    for (auto field : fields) {
      CatalogueStar star = kBarnard;
      star.*field = hostile;
      cases.push_back({"a field", starOutcomes(star, jd, kTromso, {})});
    }
    CatalogueStar star = kBarnard;
    star.place.declination = hostile;
    cases.push_back({"declination", starOutcomes(star, jd, kTromso, {})});
    cases.push_back({"day", starOutcomes(kBarnard, hostile, kTromso, {})});
    cases.push_back({"latitude", starOutcomes(kBarnard, jd, {0.3, hostile}, {})});
    for (const auto& [what, outcomes] : cases) {
      for (const auto& [name, outcome] : outcomes) {
        if (what == std::string("latitude") && name == std::string("computeStarApparentPlace")) {
          continue;  // no observer
        }
        EXPECT_TRUE(failed(outcome)) << name << ", " << what << " = " << hostile << ": "
                                     << describe(outcome);
      }
    }
    star = kBarnard;
    star.place.rightAscension = hostile;
    for (const auto& [name, outcome] : starOutcomes(star, jd, kTromso, {})) {
      EXPECT_TRUE(std::isfinite(hostile) ? held(outcome) : failed(outcome))
          << name << ", right ascension = " << hostile << ": " << describe(outcome);
    }
    for (const Atmosphere& air : {Atmosphere{hostile, 10.0}, Atmosphere{1010.0, hostile}}) {
      TopocentricPlace r;
      EXPECT_FALSE(computeStarTopocentricPlace(r, kBarnard, jd, kTromso, air)) << hostile;
      EXPECT_TRUE(std::isnan(r.horizontal.altitude) && std::isnan(r.distanceAu)) << hostile;
    }
  }
  // A negative parallax (a catalogue's noise), and each limit just passed.
  CatalogueStar beyond[] = {kBarnard, kBarnard, kBarnard, kBarnard};
  beyond[0].parallax = -1e-9;
  beyond[1].parallax = std::nextafter(kLargestParallax, kInf);
  beyond[2].properMotionDeclination = std::nextafter(-kLargestProperMotion, -kInf);
  beyond[3].radialVelocityKmPerS = std::nextafter(kLargestRadialVelocityKmPerS, kInf);
  for (const CatalogueStar& star : beyond) {
    for (const auto& [name, outcome] : starOutcomes(star, jd, kTromso, {})) {
      EXPECT_TRUE(failed(outcome)) << name << ": " << describe(outcome);
    }
  }
}

// At the limits of every field, at the poles and over the span, from a catalogue epoch at one
// end to a day at the other: a place in its ranges, or a documented failure for the rise and set
// of a day that reaches beyond the span.
TEST(AstronomyHostileTest, StarsAtTheirLimitsAcrossTheSpan) {
  const CatalogueStar stars[] = {
      kBarnard,
      {{0.0, kPi / 2.0}, kLargestProperMotion, -kLargestProperMotion, kLargestParallax,
       kLargestRadialVelocityKmPerS, kFirstJd},
      {{6.0, -kPi / 2.0}, -kLargestProperMotion, kLargestProperMotion, 0.0,
       -kLargestRadialVelocityKmPerS, std::nextafter(kEndJd, 0.0)},
      {{3.0, 0.2}, 0.0, 0.0, kLargestParallax, -kLargestRadialVelocityKmPerS, kJ2000Epoch}};
  const Observer observers[] = {kTromso, {0.0, kPi / 2.0, 0.0}, {-3.0, -kPi / 2.0, -12000.0}};
  const Atmosphere air[] = {{0.0, -100.0}, {1200.0, 100.0}};
  constexpr int kSteps = 97;
  for (int k = 0; k <= kSteps; ++k) {
    const double jd = k == kSteps ? std::nextafter(kLastDayEnd - 1.0, 0.0)
                                  : kFirstJd + (kLastDayEnd - 1.0 - kFirstJd) * k / kSteps;
    for (const CatalogueStar& star : stars) {
      for (const Observer& observer : observers) {
        for (const auto& [name, outcome] : starOutcomes(star, jd, observer, air[k % 2])) {
          EXPECT_TRUE(held(outcome)) << name << " at " << jd << ": " << describe(outcome);
        }
      }
    }
  }
  ApparentPlace a;
  EXPECT_TRUE(computeStarApparentPlace(a, kBarnard, std::nextafter(kEndJd, 0.0)));
  EXPECT_FALSE(computeStarApparentPlace(a, kBarnard, kEndJd));
  RiseTransitSet e;
  EXPECT_FALSE(computeStarRiseTransitSet(e, kBarnard, kTromso, kEndJd - 1.0));
  EXPECT_EQ(e.kind, RiseSetKind::Invalid);
  EXPECT_FALSE(computeStarRiseTransitSet(e, kBarnard, kTromso, 2461212.5, 86400.0));
}

namespace {

// A frame routine of J2000.0 and of date as a call on two angles, giving the two it fills.
using Frame = std::function<bool(double, double, double, EquinoxOfDate, double&, double&)>;
std::pair<double, double> anglesOf(const EquatorialCoordinates& c) {
  return {c.rightAscension, c.declination};
}
std::pair<double, double> anglesOf(const EclipticCoordinates& c) { return {c.longitude, c.latitude}; }
template <typename Coordinates>
Frame frameOf(bool (*routine)(Coordinates&, const Coordinates&, double, EquinoxOfDate)) {
  return [routine](double a, double b, double jd, EquinoxOfDate q, double& x, double& y) {
    Coordinates c;
    const bool ok = routine(c, {a, b}, jd, q);
    std::tie(x, y) = anglesOf(c);
    return ok;
  };
}

}  // namespace

// The frames of J2000.0 and of date, and the ecliptic's precession: an angle of any size is a
// direction and one that is not finite fails; a day or an equinox outside its range fails.
TEST(AstronomyHostileTest, FramesOfJ2000AndOfDate) {
  const std::pair<const char*, Frame> frames[] = {
      {"equatorialFromJ2000", frameOf<EquatorialCoordinates>(equatorialFromJ2000)},
      {"equatorialToJ2000", frameOf<EquatorialCoordinates>(equatorialToJ2000)},
      {"eclipticFromJ2000", frameOf<EclipticCoordinates>(eclipticFromJ2000)},
      {"eclipticToJ2000", frameOf<EclipticCoordinates>(eclipticToJ2000)},
      {"precessEcliptic",  // from the day to J2000.0 and, for True, from J2000.0 to the day
       [](double a, double b, double jd, EquinoxOfDate q, double& x, double& y) {
         EclipticCoordinates c;
         const bool ok = q == EquinoxOfDate::Mean ? precessEcliptic(c, {a, b}, jd, kJ2000Epoch)
                                                  : precessEcliptic(c, {a, b}, kJ2000Epoch, jd);
         x = c.longitude, y = c.latitude;
         return ok;
       }},
  };
  const auto outcome = [](const Frame& frame, double a, double b, double jd, EquinoxOfDate q) {
    double x, y;
    const bool ok = frame(a, b, jd, q, x, y);
    return Outcome{ok, {{x, kTurn}, {y, kLatitude}}};
  };
  for (const auto& [name, frame] : frames) {
    for (EquinoxOfDate q : {EquinoxOfDate::Mean, EquinoxOfDate::True}) {
      for (double hostile : kHostile) {
        for (const Outcome& o : {outcome(frame, hostile, 0.3, 2461212.5, q),
                                 outcome(frame, 1.0, hostile, 2461212.5, q)}) {
          EXPECT_TRUE(std::isfinite(hostile) ? held(o) : failed(o))
              << name << " angle " << hostile << ": " << describe(o);
        }
        const Outcome o = outcome(frame, 1.0, 0.3, hostile, q);
        EXPECT_TRUE(failed(o)) << name << " day " << hostile << ": " << describe(o);
      }
      for (double jd : {kFirstJd, kJ2000Epoch, std::nextafter(kEndJd, 0.0)}) {
        for (double latitude : {-kPi / 2.0, 0.0, kPi / 2.0}) {
          const Outcome o = outcome(frame, 2.0, latitude, jd, q);
          EXPECT_TRUE(held(o)) << name << " at " << jd << ": " << describe(o);
        }
      }
      const Outcome o = outcome(frame, 1.0, 0.3, kEndJd, q);
      EXPECT_TRUE(failed(o)) << name << " at the span's end: " << describe(o);
    }
    if (std::string(name) != "precessEcliptic") {
      const Outcome o = outcome(frame, 1.0, 0.3, 2461212.5, static_cast<EquinoxOfDate>(2));
      EXPECT_TRUE(failed(o)) << name << " with no equinox: " << describe(o);
    }
  }
}
