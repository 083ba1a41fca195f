// Principal phases of the Moon by the mean lunation and its periodic corrections.
#include "astronomy/detail/polynomials.h"
#include "astronomy/moon_phases.h"

#include <cmath>
#include <cstdint>

#include "astronomy/angles.h"
#include "astronomy/detail/periodic_terms.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

// The mean new Moon of lunation k (k = 0 at 2000 January 6), days (TT), T = k / 1236.85
// centuries; and the mean lunation.
constexpr double kMeanPhase[] = {2451550.09766, 0.0, 0.00015437, -0.000000150, 0.00000000073};
constexpr double kSynodicMonth = 29.530588861;
constexpr double kLunationsPerCentury = 1236.85;

// Arguments at lunation k, degrees: the Sun's mean anomaly M, the Moon's mean anomaly M', its
// argument of latitude F and the longitude of its ascending node Omega; each as
// c[0] + c[1] k + c[2] T^2 + c[3] T^3 + c[4] T^4.
constexpr double kM[] = {2.5534, 29.10535670, -0.0000014, -0.00000011, 0.0};
constexpr double kMp[] = {201.5643, 385.81693528, 0.0107582, 0.00001238, -0.000000058};
constexpr double kF[] = {160.7108, 390.67050284, -0.0016118, -0.00000227, 0.000000011};
constexpr double kOmega[] = {124.7746, -1.56375588, 0.0020672, 0.00000215, 0.0};

// One periodic correction of new and of full Moon, which share their arguments: coefficient
// (days) * E^|M| * sin(M*M + Mp*M' + F*F + omega*Omega).
struct SyzygyTerm {
  double newMoon, fullMoon;
  int8_t M, Mp, F, omega;
};

constexpr SyzygyTerm kSyzygyTerms[] = {
    {-0.40720, -0.40614, 0, 1, 0, 0},
    {0.17241, 0.17302, 1, 0, 0, 0},
    {0.01608, 0.01614, 0, 2, 0, 0},
    {0.01039, 0.01043, 0, 0, 2, 0},
    {0.00739, 0.00734, -1, 1, 0, 0},
    {-0.00514, -0.00515, 1, 1, 0, 0},
    {0.00208, 0.00209, 2, 0, 0, 0},
    {-0.00111, -0.00111, 0, 1, -2, 0},
    {-0.00057, -0.00057, 0, 1, 2, 0},
    {0.00056, 0.00056, 1, 2, 0, 0},
    {-0.00042, -0.00042, 0, 3, 0, 0},
    {0.00042, 0.00042, 1, 0, 2, 0},
    {0.00038, 0.00038, 1, 0, -2, 0},
    {-0.00024, -0.00024, -1, 2, 0, 0},
    {-0.00017, -0.00017, 0, 0, 0, 1},
    {-0.00007, -0.00007, 2, 1, 0, 0},
    {0.00004, 0.00004, 0, 2, -2, 0},
    {0.00004, 0.00004, 3, 0, 0, 0},
    {0.00003, 0.00003, 1, 1, -2, 0},
    {0.00003, 0.00003, 0, 2, 2, 0},
    {-0.00003, -0.00003, 1, 1, 2, 0},
    {0.00003, 0.00003, -1, 1, 2, 0},
    {-0.00002, -0.00002, -1, 1, -2, 0},
    {-0.00002, -0.00002, 1, 3, 0, 0},
    {0.00002, 0.00002, 0, 4, 0, 0},
};

// The same for the quarters.
struct PhaseTerm {
  double coefficient;
  int8_t M, Mp, F, omega;
};

constexpr PhaseTerm kQuarterTerms[] = {
    {-0.62801, 0, 1, 0, 0}, {0.17172, 1, 0, 0, 0},   {-0.01183, 1, 1, 0, 0},
    {0.00862, 0, 2, 0, 0},  {0.00804, 0, 0, 2, 0},   {0.00454, -1, 1, 0, 0},
    {0.00204, 2, 0, 0, 0},  {-0.00180, 0, 1, -2, 0}, {-0.00070, 0, 1, 2, 0},
    {-0.00040, 0, 3, 0, 0}, {-0.00034, -1, 2, 0, 0}, {0.00032, 1, 0, 2, 0},
    {0.00032, 1, 0, -2, 0}, {-0.00028, 2, 1, 0, 0},  {0.00027, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 1}, {-0.00005, -1, 1, -2, 0}, {0.00004, 0, 2, 2, 0},
    {-0.00004, 1, 1, 2, 0}, {0.00004, -2, 1, 0, 0},  {0.00003, 1, 1, -2, 0},
    {0.00003, 3, 0, 0, 0},  {0.00002, 0, 2, -2, 0},  {0.00002, -1, 1, 2, 0},
    {-0.00002, 1, 3, 0, 0},
};

// The planetary arguments A1..A14 (degrees, c[0] + c[1] k, A1 also c[2] T^2) and the amplitude
// of each one's sine, days; the same for every phase.
struct PlanetaryTerm {
  double c[3];
  double amplitude;
};

constexpr PlanetaryTerm kPlanetaryTerms[] = {
    {{299.77, 0.107408, -0.009173}, 0.000325}, {{251.88, 0.016321, 0.0}, 0.000165},
    {{251.83, 26.651886, 0.0}, 0.000164},      {{349.42, 36.412478, 0.0}, 0.000126},
    {{84.66, 18.206239, 0.0}, 0.000110},       {{141.74, 53.303771, 0.0}, 0.000062},
    {{207.14, 2.453732, 0.0}, 0.000060},       {{154.84, 7.306860, 0.0}, 0.000056},
    {{34.52, 27.261239, 0.0}, 0.000047},       {{207.19, 0.121824, 0.0}, 0.000042},
    {{291.34, 1.844379, 0.0}, 0.000040},       {{161.72, 24.198154, 0.0}, 0.000037},
    {{239.56, 25.513099, 0.0}, 0.000035},      {{331.55, 3.592518, 0.0}, 0.000023},
};

// An argument c[0] + c[1] k + c[2] T^2 + c[3] T^3 + c[4] T^4 in degrees, reduced, in rad.
double argument(const double (&c)[5], double k, double T) {
  const double rest = detail::polynomial(c, T) - c[1] * T;  // c[0] and the powers of T from T^2
  return std::fmod(rest + c[1] * k, 360.0) * kDegree;
}

// The instant (TT) of the phase of lunation k: k whole for new Moon, + 0.25 for the first
// quarter, + 0.5 for full Moon, + 0.75 for the last quarter.
double phaseInstant(double k, int quarter) {
  const double T = k / kLunationsPerCentury;
  const double M = argument(kM, k, T), Mp = argument(kMp, k, T), F = argument(kF, k, T),
               Omega = argument(kOmega, k, T);
  const double E = detail::polynomial(kEccentricityFactor, T);

  // E^|M| for a term's multiple M of the Sun's mean anomaly (0, 1 or 2), times the sine.
  const auto term = [&](int m, int mp, int f, int omega) {
    const double e = m == 0 ? 1.0 : std::abs(m) == 1 ? E : E * E;
    return e * std::sin(m * M + mp * Mp + f * F + omega * Omega);
  };
  double correction = 0.0;
  if (quarter == 0 || quarter == 2) {
    for (const SyzygyTerm& t : kSyzygyTerms) {
      correction += (quarter == 0 ? t.newMoon : t.fullMoon) * term(t.M, t.Mp, t.F, t.omega);
    }
  } else {
    for (const PhaseTerm& t : kQuarterTerms) {
      correction += t.coefficient * term(t.M, t.Mp, t.F, t.omega);
    }
    const double W = 0.00306 - 0.00038 * E * std::cos(M) + 0.00026 * std::cos(Mp) -
                     0.00002 * std::cos(Mp - M) + 0.00002 * std::cos(Mp + M) +
                     0.00002 * std::cos(2.0 * F);
    correction += quarter == 1 ? W : -W;
  }
  for (const PlanetaryTerm& p : kPlanetaryTerms) {
    const double a = p.c[0] + p.c[1] * k + p.c[2] * T * T;
    correction += p.amplitude * std::sin(std::fmod(a, 360.0) * kDegree);
  }
  // The mean phase: its k term kept apart from the powers of T, which are small, for precision.
  return kMeanPhase[0] + kSynodicMonth * k + (detail::polynomial(kMeanPhase, T) - kMeanPhase[0]) +
         correction;
}

}  // namespace

bool computeNextMoonPhases(MoonPhases& phases, double jdTt) {
  double* const fields[4] = {&phases.newMoonJdTt, &phases.firstQuarterJdTt,
                             &phases.fullMoonJdTt, &phases.lastQuarterJdTt};
  for (double* field : fields) *field = NAN;
  if (!detail::withinSpan(jdTt)) return false;
  // A lunation before the instant; the corrections move a phase by less than 0.7 day from its
  // mean, so the phase of each quarter is found within three lunations from there.
  const double k0 = std::floor((jdTt - kMeanPhase[0]) / kSynodicMonth) - 1.0;
  for (int quarter = 0; quarter < 4; ++quarter) {
    for (int n = 0; n < 4 && !(*fields[quarter] > jdTt); ++n) {
      *fields[quarter] = phaseInstant(k0 + n + quarter / 4.0, quarter);
    }
  }
  return true;
}

}  // namespace dockorrery
