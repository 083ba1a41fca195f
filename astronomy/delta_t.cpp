// Delta T by the piecewise polynomials of Espenak and Meeus, each over its span of years.
#include <cmath>

#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

constexpr double kYearsPerDay = 1.0 / 365.24217;  // tropical years
// The polynomials count years from 2000 January 15 (UT), not from J2000.0.
constexpr double kYearOrigin = kJ2000Epoch + 14.0;

// Long-term parabola of Morrison and Stephenson, in seconds, with u in centuries from 1820.
double parabola(double year) {
  const double u = (year - 1820.0) / 100.0;
  return -20.0 + 32.0 * u * u;
}

// One polynomial: for years before `end`, in u = (year - origin) * perYear, coefficients lowest
// power first (seconds), padded with zeros to eight so that every one takes the same steps.
struct Segment {
  double end, origin, perYear;
  double c[8];
};

constexpr Segment kSegments[] = {
    {500.0, 0.0, 0.01,
     {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192, 0.0090316521}},
    {1600.0, 1000.0, 0.01,
     {1574.2, -556.01, 71.23472, 0.319781, -0.8503463, -0.005050998, 0.0083572073}},
    {1700.0, 1600.0, 1.0, {120.0, -0.9808, -0.01532, 1.0 / 7129.0}},
    {1800.0, 1700.0, 1.0, {8.83, 0.1603, -0.0059285, 0.00013336, -1.0 / 1174000.0}},
    {1860.0, 1800.0, 1.0,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699,
      0.000000000875}},
    {1900.0, 1860.0, 1.0,
     {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174.0}},
    {1920.0, 1900.0, 1.0, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1941.0, 1920.0, 1.0, {21.20, 0.84493, -0.076100, 0.0020936}},
    {1961.0, 1950.0, 1.0, {29.07, 0.407, -1.0 / 233.0, 1.0 / 2547.0}},
    {1986.0, 1975.0, 1.0, {45.45, 1.067, -1.0 / 260.0, -1.0 / 718.0}},
    {2005.0, 2000.0, 1.0,
     {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599}},
    {2050.0, 2000.0, 1.0, {62.92, 0.32217, 0.005589}},
};

constexpr int kLast = sizeof kSegments / sizeof kSegments[0] - 1;
constexpr double kFirstPolynomialYear = -500.0;

}  // namespace

double deltaT(double jdUt) {
  if (!detail::withinSpan(jdUt)) return NAN;
  const double year = 2000.0 + (jdUt - kYearOrigin) * kYearsPerDay;
  if (year < kFirstPolynomialYear) return parabola(year);
  if (year >= kSegments[kLast].end) {
    // From 2050 the parabola, blended into the last polynomial's end over the century to 2150.
    if (year < 2150.0) return parabola(year) - 0.5628 * (2150.0 - year);
    return parabola(year);
  }
  // Searched from the latest segment back, since most instants asked for are recent ones.
  int k = kLast;
  while (k > 0 && year < kSegments[k - 1].end) --k;
  const Segment& segment = kSegments[k];
  const double u = (year - segment.origin) * segment.perYear;
  double v = segment.c[7];
  for (int i = 6; i >= 0; --i) v = v * u + segment.c[i];
  return v;
}

double terrestrialTime(double jdUt, std::optional<double> deltaTSeconds) {
  return jdUt + (deltaTSeconds ? *deltaTSeconds : deltaT(jdUt)) / kSecondsPerDay;
}

double universalTime(double jdTt, std::optional<double> deltaTSeconds) {
  if (deltaTSeconds) return jdTt - *deltaTSeconds / kSecondsPerDay;
  constexpr int kSteps = 4;  // each takes the error down by a factor of a million at least
  double jdUt = jdTt;
  for (int k = 0; k < kSteps; ++k) jdUt = jdTt - deltaT(jdUt) / kSecondsPerDay;
  return jdUt;
}

}  // namespace dockorrery
