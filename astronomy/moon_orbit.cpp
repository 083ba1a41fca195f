// The Moon's apsides and nodes: extrema of its distance and roots of its latitude, from the
// book's approximate instants.
#include "astronomy/detail/polynomials.h"
#include "astronomy/moon_orbit.h"

#include <cmath>
#include <cstdint>
#include <iterator>

#include "astronomy/angles.h"
#include "astronomy/moon.h"
#include "astronomy/detail/next_event.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/detail/seeds.h"

namespace dockorrery {

namespace {

// ---- The book's approximate instants ----

// The mean apsis: k from the perigee of 1999 December 22, T = k / 1325.55 centuries, and the
// anomalistic month, days; the arguments D, M and F at apsis k, degrees, c[0] + c[1] k + c[2] T^2
// + ...
constexpr double kMeanApsis[] = {2451534.6698, 0.0, -0.0006691, -0.000001098, 0.0000000052};
constexpr double kAnomalisticMonth = 27.55454989;
constexpr double kApsidesPerCentury = 1325.55;
constexpr double kApsisD[] = {171.9179, 335.9106046, -0.0100383, -0.00001156, 0.000000055};
constexpr double kApsisM[] = {347.3477, 27.1577721, -0.0008130, -0.0000010, 0.0};
constexpr double kApsisF[] = {316.6109, 364.5287911, -0.0125053, -0.0000148, 0.0};

// One periodic term of the instant of perigee or apogee: (A + At T) sin(nD D + nM M + nF F),
// days.
struct ApsisTerm {
  double A, At;
  int8_t nD, nM, nF;
};

constexpr ApsisTerm kPerigeeTerms[] = {
    {-1.6769, 0, 2, 0, 0}, {0.4589, 0, 4, 0, 0}, {-0.1856, 0, 6, 0, 0}, {0.0883, 0, 8, 0, 0},
    {-0.0773, 0.00019, 2, -1, 0}, {0.0502, -0.00013, 0, 1, 0}, {-0.046, 0, 10, 0, 0},
    {0.0422, -0.00011, 4, -1, 0}, {-0.0256, 0, 6, -1, 0}, {0.0253, 0, 12, 0, 0},
    {0.0237, 0, 1, 0, 0}, {0.0162, 0, 8, -1, 0}, {-0.0145, 0, 14, 0, 0}, {0.0129, 0, 0, 0, 2},
    {-0.0112, 0, 3, 0, 0}, {-0.0104, 0, 10, -1, 0}, {0.0086, 0, 16, 0, 0}, {0.0069, 0, 12, -1, 0},
    {0.0066, 0, 5, 0, 0}, {-0.0053, 0, 2, 0, 2}, {-0.0052, 0, 18, 0, 0}, {-0.0046, 0, 14, -1, 0},
    {-0.0041, 0, 7, 0, 0}, {0.004, 0, 2, 1, 0}, {0.0032, 0, 20, 0, 0}, {-0.0032, 0, 1, 1, 0},
    {0.0031, 0, 16, -1, 0}, {-0.0029, 0, 4, 1, 0}, {0.0027, 0, 9, 0, 0}, {0.0027, 0, 4, 0, 2},
    {-0.0027, 0, 2, -2, 0}, {0.0024, 0, 4, -2, 0}, {-0.0021, 0, 6, -2, 0}, {-0.0021, 0, 22, 0, 0},
    {-0.0021, 0, 18, -1, 0}, {0.0019, 0, 6, 1, 0}, {-0.0018, 0, 11, 0, 0}, {-0.0014, 0, 8, 1, 0},
    {-0.0014, 0, 4, 0, -2}, {-0.0014, 0, 6, 0, 2}, {0.0014, 0, 3, 1, 0}, {-0.0014, 0, 5, 1, 0},
    {0.0013, 0, 13, 0, 0}, {0.0013, 0, 20, -1, 0}, {0.0011, 0, 3, 2, 0}, {-0.0011, 0, 4, -2, 2},
    {-0.001, 0, 1, 2, 0}, {-0.0009, 0, 22, -1, 0}, {-0.0008, 0, 0, 0, 4}, {0.0008, 0, 6, 0, -2},
    {0.0008, 0, 2, 1, -2}, {0.0007, 0, 0, 2, 0}, {0.0007, 0, 0, -1, 2}, {0.0007, 0, 2, 0, 4},
    {-0.0006, 0, 0, -2, 2}, {-0.0006, 0, 2, 2, -2}, {0.0006, 0, 24, 0, 0}, {0.0005, 0, 4, 0, -4},
    {0.0005, 0, 2, 2, 0}, {-0.0004, 0, 1, -1, 0},
};

constexpr ApsisTerm kApogeeTerms[] = {
    {0.4392, 0, 2, 0, 0}, {0.0684, 0, 4, 0, 0}, {0.0456, -0.00011, 0, 1, 0},
    {0.0426, -0.00011, 2, -1, 0}, {0.0212, 0, 0, 0, 2}, {-0.0189, 0, 1, 0, 0},
    {0.0144, 0, 6, 0, 0}, {0.0113, 0, 4, -1, 0}, {0.0047, 0, 2, 0, 2}, {0.0036, 0, 1, 1, 0},
    {0.0035, 0, 8, 0, 0}, {0.0034, 0, 6, -1, 0}, {-0.0034, 0, 2, 0, -2}, {0.0022, 0, 2, -2, 0},
    {-0.0017, 0, 3, 0, 0}, {0.0013, 0, 4, 0, 2}, {0.0011, 0, 8, -1, 0}, {0.001, 0, 4, -2, 0},
    {0.0009, 0, 10, 0, 0}, {0.0007, 0, 3, 1, 0}, {0.0006, 0, 0, 2, 0}, {0.0005, 0, 2, 1, 0},
    {0.0005, 0, 2, 2, 0}, {0.0004, 0, 6, 0, 2}, {0.0004, 0, 6, -2, 0}, {0.0004, 0, 10, -1, 0},
    {-0.0004, 0, 5, 0, 0}, {-0.0004, 0, 4, 0, -2}, {0.0003, 0, 0, 1, 2}, {0.0003, 0, 12, 0, 0},
    {0.0003, 0, 2, -1, 2}, {-0.0003, 0, 1, -1, 0},
};

// The mean node: k from the ascending node of 2000 January 21, T = k / 1342.23 centuries, the
// draconic month, days; the arguments D, M, M' and Omega at node k, degrees, as above.
constexpr double kMeanNode[] = {2451565.1619, 0.0, 0.0002762, 0.000000021, -0.000000000088};
constexpr double kDraconicMonth = 27.212220817;
constexpr double kNodesPerCentury = 1342.23;
constexpr double kNodeD[] = {183.6380, 331.73735682, 0.0014852, 0.00000209, -0.000000010};
constexpr double kNodeM[] = {17.4006, 26.82037250, 0.0001186, 0.00000006, 0.0};
constexpr double kNodeMp[] = {38.3776, 355.52747313, 0.0123499, 0.000014627, -0.000000069};
constexpr double kNodeOmega[] = {123.9767, -1.44098956, 0.0020608, 0.00000214, -0.000000016};

// An argument c[0] + c[1] k + c[2] T^2 + ... in degrees, reduced, in rad; its k term kept apart
// from the powers of T for precision.
double argument(const double (&c)[5], double k, double T) {
  const double rest = detail::polynomial(c, T) - c[1] * T;
  return std::fmod(rest + c[1] * k, 360.0) * kDegree;
}

// ---- The searches on the library's Moon ----

// How far before an instant the book's instant of an event after it may lie, days: the book's
// instants are within an hour of the true ones.
constexpr double kSeedMargin = 0.25;

// The Moon's distance (km) and latitude (rad) at `jdTt`, kept within the span; NaN where its
// position fails.
MoonPosition moonAt(double jdTt) {
  ++detail::searchPlaces;
  MoonPosition moon;
  static_cast<void>(computeMoonPosition(moon, jdTt));  // a failure leaves NaN
  return moon;
}

// What the second parabola of apsisNear leaves of the apsis' instant, days (0.1 s), and so its
// resolution: from seeds half an hour either side of the book's, an apsis comes out within 0.012 s
// of itself.
constexpr double kApsisResolution = 0.1 / kSecondsPerDay;

// The apsis near `seed` (days, TT): the vertex of the parabola through the Moon's distance at
// three instants, first 0.05 day apart (the book's instant is within half an hour, over which
// the distance's third derivative moves the vertex by seconds), then 0.005 day about that vertex
// (leaving kApsisResolution). Its instant and the parabola's distance there; false where a
// distance fails or the parabola does not bend the way of the apsis.
bool apsisNear(double seed, bool perigee, double& jdTt, double& distanceKm) {
  double c = seed;
  for (double h : {0.05, 0.005}) {
    const double before = moonAt(c - h).distanceKm, at = moonAt(c).distanceKm,
                 after = moonAt(c + h).distanceKm;
    const double bend = before - 2.0 * at + after;  // > 0 about a perigee
    if (!(perigee ? bend > 0.0 : bend < 0.0)) return false;
    const double shift = h * (before - after) / (2.0 * bend);
    if (!(std::fabs(shift) < 2.0 * h)) return false;  // no apsis near the seed
    c += shift;
    distanceKm = at - (after - before) * (after - before) / (8.0 * bend);
  }
  jdTt = c;
  return true;
}

// The last secant step of a node, days (9 ms), and so its resolution: from seeds half an hour
// either side of the book's, a node comes out within 5e-10 day of itself.
constexpr double kNodeTolerance = 1e-7;

// The node near `seed` (days, TT): secant steps on the Moon's latitude from a first step at its
// mean rate there (its inclination, 5.145 degrees, over the draconic month), to kNodeTolerance.
// Its instant and the Moon's longitude there; false where a position fails or the steps do not
// settle.
bool nodeNear(double seed, bool ascending, double& jdTt, double& longitude) {
  double rate = (ascending ? 1.0 : -1.0) * 5.145 * kDegree * kTwoPi / kDraconicMonth;
  double t0 = seed;
  MoonPosition m0 = moonAt(t0);
  double t1 = t0 - m0.latitude / rate;
  for (int k = 0; k < 12 && std::isfinite(t1); ++k) {
    const MoonPosition m1 = moonAt(t1);
    if (std::isnan(m1.latitude)) return false;
    const double slope = (m1.latitude - m0.latitude) / (t1 - t0);
    // The latitude's rate at a node stays within a fifth of the mean: a slope outside that is
    // a step too short to measure it.
    if (std::fabs(slope / rate - 1.0) < 0.2) rate = slope;
    const double step = -m1.latitude / rate;
    if (std::fabs(step) < kNodeTolerance) {
      jdTt = t1 + step;
      longitude = reduceAngle(m1.longitude + step * (m1.longitude - m0.longitude) / (t1 - t0));
      return true;
    }
    t0 = t1, m0 = m1;
    t1 += step;
  }
  return false;
}

// The first event strictly after `jdTt` of the kind whose events the book numbers k0 + n (n
// whole, k0 the kind's offset, 0 or 0.5), each event `month` days apart from `epoch`: the book's
// instant of each from one before jdTt on, searched on the Moon where it may follow jdTt; one
// within the search's `resolution` (days) of jdTt is jdTt's own. An event whose search fails
// before jdTt lies before the span's start, so before jdTt.
template <typename Approximate, typename Search>
bool firstAfter(double jdTt, double epoch, double month, double half, Approximate approximate,
                Search search, double resolution, double& when, double& value) {
  const double k0 = std::floor((jdTt - epoch) / month) - 1.0 + half;
  for (int n = 0; n < 4; ++n) {
    const double seed = approximate(k0 + n);
    if (seed < jdTt - kSeedMargin) continue;
    double t, v;
    if (!search(seed, t, v)) {
      if (seed < jdTt) continue;
      return false;
    }
    if (detail::followsStart(t, jdTt, resolution)) {
      when = t, value = v;
      return true;
    }
  }
  return false;
}

}  // namespace

double detail::approximateApsis(double k) {
  const double T = k / kApsidesPerCentury;
  const double D = argument(kApsisD, k, T), M = argument(kApsisM, k, T),
               F = argument(kApsisF, k, T);
  const bool perigee = k == std::floor(k);
  double correction = 0.0;
  const ApsisTerm* first = perigee ? std::begin(kPerigeeTerms) : std::begin(kApogeeTerms);
  const ApsisTerm* last = perigee ? std::end(kPerigeeTerms) : std::end(kApogeeTerms);
  for (const ApsisTerm* t = first; t != last; ++t) {
    correction += (t->A + t->At * T) * std::sin(t->nD * D + t->nM * M + t->nF * F);
  }
  return kMeanApsis[0] + kAnomalisticMonth * k +
         (detail::polynomial(kMeanApsis, T) - kMeanApsis[0]) + correction;
}

double detail::approximateNode(double k) {
  const double T = k / kNodesPerCentury;
  const double D = argument(kNodeD, k, T), M = argument(kNodeM, k, T),
               Mp = argument(kNodeMp, k, T), Omega = argument(kNodeOmega, k, T);
  const double V = std::fmod(299.75 + (132.85 - 0.009173 * T) * T, 360.0) * kDegree;
  const double P = Omega + (272.75 - 2.3 * T) * kDegree;
  const double E = 1.0 - (0.002516 + 0.0000074 * T) * T;
  const double correction =
      -0.4721 * std::sin(Mp) - 0.1649 * std::sin(2 * D) - 0.0868 * std::sin(2 * D - Mp) +
      0.0084 * std::sin(2 * D + Mp) - 0.0083 * E * std::sin(2 * D - M) -
      0.0039 * E * std::sin(2 * D - M - Mp) + 0.0034 * std::sin(2 * Mp) -
      0.0031 * std::sin(2 * D - 2 * Mp) + 0.0030 * E * std::sin(2 * D + M) +
      0.0028 * E * std::sin(M - Mp) + 0.0026 * E * std::sin(M) + 0.0025 * std::sin(4 * D) +
      0.0024 * std::sin(D) + 0.0022 * E * std::sin(M + Mp) + 0.0017 * std::sin(Omega) +
      0.0014 * std::sin(4 * D - Mp) + 0.0005 * E * std::sin(2 * D + M - Mp) +
      0.0004 * E * std::sin(2 * D - M + Mp) - 0.0003 * E * std::sin(2 * D - 2 * M) +
      0.0003 * E * std::sin(4 * D - M) + 0.0003 * std::sin(V) + 0.0003 * std::sin(P);
  return kMeanNode[0] + kDraconicMonth * k + (detail::polynomial(kMeanNode, T) - kMeanNode[0]) +
         correction;
}

bool computeNextMoonApsides(MoonApsides& apsides, double jdTt) {
  apsides = {NAN, NAN, NAN, NAN};
  if (!detail::withinSpan(jdTt)) return false;
  double found[4];
  for (int kind = 0; kind < 2; ++kind) {
    const bool perigee = kind == 0;
    const auto search = [perigee](double seed, double& t, double& d) {
      return apsisNear(seed, perigee, t, d);
    };
    if (!firstAfter(jdTt, kMeanApsis[0], kAnomalisticMonth, perigee ? 0.0 : 0.5,
                    detail::approximateApsis, search, kApsisResolution, found[2 * kind],
                    found[2 * kind + 1])) {
      return false;
    }
  }
  apsides = {found[0], found[1], found[2], found[3]};
  return true;
}

bool computeNextMoonNodes(MoonNodes& nodes, double jdTt) {
  nodes = {NAN, NAN, NAN, NAN};
  if (!detail::withinSpan(jdTt)) return false;
  double found[4];
  for (int kind = 0; kind < 2; ++kind) {
    const bool ascending = kind == 0;
    const auto search = [ascending](double seed, double& t, double& longitude) {
      return nodeNear(seed, ascending, t, longitude);
    };
    if (!firstAfter(jdTt, kMeanNode[0], kDraconicMonth, ascending ? 0.0 : 0.5,
                    detail::approximateNode, search, kNodeTolerance, found[2 * kind],
                    found[2 * kind + 1])) {
      return false;
    }
  }
  nodes = {found[0], found[1], found[2], found[3]};
  return true;
}

}  // namespace dockorrery
