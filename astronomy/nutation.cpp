// Nutation by the IAU 1980 theory, from the generated table of astronomy/tables.
#include "astronomy/detail/polynomials.h"
#include "astronomy/nutation.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/detail/of_date.h"
#include "astronomy/tables/terms.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

constexpr double kTermUnit = 0.0001 * kArcsecond;  // the table holds 0.0001 arcsecond

// The fundamental arguments of nutation in degrees, lowest power of T first: the Moon's mean
// elongation D, the Sun's mean anomaly M, the Moon's mean anomaly M', its argument of latitude F,
// and the longitude of its ascending node Omega.
constexpr double kD[] = {297.85036, 445267.111480, -0.0019142, 1.0 / 189474.0};
constexpr double kM[] = {357.52772, 35999.050340, -0.0001603, -1.0 / 300000.0};
constexpr double kMp[] = {134.96298, 477198.867398, 0.0086972, 1.0 / 56250.0};
constexpr double kF[] = {93.27191, 483202.017538, -0.0036825, 1.0 / 327270.0};
constexpr double kOmega[] = {125.04452, -1934.136261, 0.0020708, 1.0 / 450000.0};

// 23 deg 26' 21.448", -46.8150", -0.00059", 0.001813" per power of T.
constexpr double kObliquity[] = {84381.448, -46.8150, -0.00059, 0.001813};

constexpr int kMultiples = kHighestNutationMultiple - kLowestNutationMultiple + 1;

// cos(k X) and sin(k X) for k from kLowestNutationMultiple to kHighestNutationMultiple, index
// k - kLowestNutationMultiple, by the angle-addition rules from cos X and sin X.
struct Multiples {
  double cos[kMultiples], sin[kMultiples];
};

Multiples multiplesOf(double x) {
  constexpr int zero = -kLowestNutationMultiple;
  Multiples m;
  m.cos[zero] = 1.0;
  m.sin[zero] = 0.0;
  const double c1 = std::cos(x), s1 = std::sin(x);
  for (int k = 1; zero + k < kMultiples; ++k) {
    m.cos[zero + k] = m.cos[zero + k - 1] * c1 - m.sin[zero + k - 1] * s1;
    m.sin[zero + k] = m.sin[zero + k - 1] * c1 + m.cos[zero + k - 1] * s1;
  }
  for (int k = 1; zero - k >= 0; ++k) {
    m.cos[zero - k] = m.cos[zero + k];
    m.sin[zero - k] = -m.sin[zero + k];
  }
  return m;
}

}  // namespace

bool computeNutation(Nutation& nutation, double jdTt) {
  if (!detail::withinSpan(jdTt)) {
    nutation.longitude = nutation.obliquity = NAN;
    return false;
  }
  const double T = detail::julianCenturies(jdTt);
  // Reduced to one turn before the products, which keeps the arguments of the larger multiples
  // exact to the last bits that matter.
  const double D = std::fmod(detail::polynomial(kD, T), 360.0) * kDegree;
  const double M = std::fmod(detail::polynomial(kM, T), 360.0) * kDegree;
  const double Mp = std::fmod(detail::polynomial(kMp, T), 360.0) * kDegree;
  const double F = std::fmod(detail::polynomial(kF, T), 360.0) * kDegree;
  const double omega = std::fmod(detail::polynomial(kOmega, T), 360.0) * kDegree;

  // Each term's argument is a sum of small multiples of the five: its sine and cosine come from
  // the products of e^(i k X), each taken once, rather than from a sine and a cosine per term.
  const Multiples multiples[] = {multiplesOf(D), multiplesOf(M), multiplesOf(Mp), multiplesOf(F),
                                 multiplesOf(omega)};
  double psi = 0.0;
  double eps = 0.0;
  for (const NutationTerm& term : kNutationTerms) {
    const int8_t k[] = {term.D, term.M, term.Mp, term.F, term.omega};
    double c = 1.0, s = 0.0;
    for (int j = 0; j < 5; ++j) {
      const int i = k[j] - kLowestNutationMultiple;
      const double cj = multiples[j].cos[i], sj = multiples[j].sin[i];
      const double next = c * cj - s * sj;
      s = s * cj + c * sj;
      c = next;
    }
    psi += (term.psiSin + term.psiSinT * T) * s;
    eps += (term.epsCos + term.epsCosT * T) * c;
  }
  nutation.longitude = psi * kTermUnit;
  nutation.obliquity = eps * kTermUnit;
  return true;
}

double meanObliquity(double jdTt) {
  if (!detail::withinSpan(jdTt)) return NAN;
  return detail::polynomial(kObliquity, detail::julianCenturies(jdTt)) * kArcsecond;
}

double trueObliquity(double jdTt) {
  detail::OfDate ofDate;
  static_cast<void>(detail::ofDateAt(ofDate, jdTt));  // NaN where it fails
  return ofDate.trueObliquity;
}

bool detail::ofDateAt(OfDate& ofDate, double jdTt) {
  ofDate.jdTt = jdTt;
  const bool known = computeNutation(ofDate.nutation, jdTt);
  ofDate.meanObliquity = meanObliquity(jdTt);
  ofDate.trueObliquity = ofDate.meanObliquity + ofDate.nutation.obliquity;
  return known;
}

}  // namespace dockorrery
