// Equinoxes and solstices: roots of the Sun's apparent longitude, from the book's approximate
// instants.
#include "astronomy/detail/polynomials.h"
#include "astronomy/seasons.h"

#include <cmath>

#include "astronomy/angles.h"
#include "astronomy/apparent.h"
#include "astronomy/detail/search_count.h"
#include "astronomy/detail/seeds.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

// The mean instants of the seasons, Julian Days (TT), as polynomials in Y, thousands of years:
// from the year 0 for the years before 1000, from 2000 after it.
constexpr double kMeanBefore1000[4][5] = {
    {1721139.29189, 365242.13740, 0.06134, 0.00111, -0.00071},
    {1721233.25401, 365241.72562, -0.05323, 0.00907, 0.00025},
    {1721325.70455, 365242.49558, -0.11677, -0.00297, 0.00074},
    {1721414.39987, 365242.88257, -0.00769, -0.00933, -0.00006}};
constexpr double kMeanAfter1000[4][5] = {
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032}};

// The periodic terms: A cos(B + C T), A in 1e-5 day, B and C in degrees.
struct SeasonTerm {
  double A, B, C;
};
constexpr SeasonTerm kSeasonTerms[] = {
    {485, 324.96, 1934.136}, {203, 337.23, 32964.467}, {199, 342.08, 20.186},
    {182, 27.85, 445267.112}, {156, 73.14, 45036.886}, {136, 171.52, 22518.443},
    {77, 222.54, 65928.934}, {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
    {58, 119.81, 33718.147}, {52, 297.17, 150.678},    {50, 21.02, 2281.226},
    {45, 247.54, 29929.562}, {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
    {18, 155.12, 67555.328}, {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
    {14, 199.76, 31436.921}, {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
    {12, 320.81, 34777.259}, {9, 227.73, 1222.114},    {8, 15.45, 16859.074}};

// The years whose four seasons fall within the library's span.
constexpr int64_t kFirstYear = -2000;
constexpr int64_t kLastYear = 5999;

// The Sun's mean motion in longitude, rad per day.
constexpr double kSunMeanMotion = kTwoPi / 365.2422;

// The Sun's apparent longitude less `target`, rad in (-pi, pi]; NaN where the place fails.
double offset(double jdTt, double target) {
  ++detail::searchPlaces;
  ApparentPlace place;
  if (!computeApparentPlace(place, Body::Sun, jdTt)) return NAN;
  return signedAngle(place.ecliptic.longitude - target);
}

// The Sun's rate in apparent longitude at `jdTt`, rad per day: the mean motion in the tropical
// year, times that of the Earth's orbit by Kepler's second law to e^2 (Meeus, ch. 25, for the
// mean anomaly and the eccentricity). The Moon's pull on the Earth and the planets' leave it
// within 5e-4 of the true rate.
double sunRate(double jdTt) {
  const double T = detail::julianCenturies(jdTt);
  const double M = (357.52911 + (35999.05029 - 0.0001537 * T) * T) * kDegree;
  const double e = 0.016708634 - (0.000042037 + 0.0000001267 * T) * T;
  return kSunMeanMotion * (1.0 + 2.0 * e * std::cos(M) + 2.5 * e * e * std::cos(2.0 * M));
}

// The instant near `seed` (days, TT) at which the Sun's apparent longitude is `target`: Newton's
// steps at the rate above, each leaving 5e-4 of the error before it. A step below kLastStep is
// taken without a place to check it, since what remains is 0.05 s at most.
constexpr double kLastStep = 1.2e-3;  // days, 104 s
double solve(double seed, double target) {
  const double rate = sunRate(seed);
  double t = seed;
  for (int k = 0; k < 16; ++k) {
    const double f = offset(t, target);
    if (std::isnan(f)) return NAN;
    const double step = -f / rate;
    t += step;
    if (std::fabs(step) < kLastStep) return t;
  }
  return NAN;
}

}  // namespace

double detail::approximateSeason(int64_t year, int season) {
  const bool before1000 = year < 1000;
  const double Y = (before1000 ? double(year) : double(year - 2000)) / 1000.0;
  const double mean =
      detail::polynomial(before1000 ? kMeanBefore1000[season] : kMeanAfter1000[season], Y);
  const double T = detail::julianCenturies(mean);
  const double W = (35999.373 * T - 2.47) * kDegree;
  const double rate = 1.0 + 0.0334 * std::cos(W) + 0.0007 * std::cos(2.0 * W);
  double S = 0.0;
  for (const SeasonTerm& term : kSeasonTerms) {
    S += term.A * std::cos(std::fmod(term.B + term.C * T, 360.0) * kDegree);
  }
  return mean + 0.00001 * S / rate;
}

bool computeSeasons(Seasons& seasons, int64_t year) {
  double* const fields[4] = {&seasons.marchEquinoxJdTt, &seasons.juneSolsticeJdTt,
                             &seasons.septemberEquinoxJdTt, &seasons.decemberSolsticeJdTt};
  for (double* field : fields) *field = NAN;
  if (year < kFirstYear || year > kLastYear) return false;
  double found[4];
  for (int season = 0; season < 4; ++season) {
    found[season] = solve(detail::approximateSeason(year, season), season * kPi / 2.0);
    if (std::isnan(found[season])) return false;
  }
  for (int season = 0; season < 4; ++season) *fields[season] = found[season];
  return true;
}

}  // namespace dockorrery
