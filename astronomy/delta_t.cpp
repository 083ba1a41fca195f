// Delta T from the observed and measured values and the splines of the generated table, the
// long-term parabola beyond them.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "astronomy/tables/delta_t_table.h"
#include "astronomy/time_scales.h"

namespace dockorrery {

namespace {

using detail::DeltaTSpline;
using detail::DeltaTValue;

double evaluate(const DeltaTSpline& s, double year) {
  const double t = (year - s.year0) / (s.year1 - s.year0);
  return s.a0 + t * (s.a1 + t * (s.a2 + t * s.a3));
}

}  // namespace

double deltaT(double jdUt) {
  if (!detail::withinSpan(jdUt)) return NAN;
  // The values observed and measured, linear between them: the pair about the instant found
  // from their spacing (half a year, then kDeltaTStepDays), then put right by a step or two.
  const DeltaTValue* v = std::begin(detail::kDeltaTMeasured);
  const int last = static_cast<int>(std::size(detail::kDeltaTMeasured)) - 1;
  if (jdUt >= v[0].jdUt && jdUt <= v[last].jdUt) {
    const DeltaTValue& daily = v[detail::kDeltaTDailyFrom];
    const double guess =
        jdUt >= daily.jdUt
            ? detail::kDeltaTDailyFrom + (jdUt - daily.jdUt) / detail::kDeltaTStepDays
            : (jdUt - v[0].jdUt) / (detail::kDeltaTDaysPerYear / 2.0);
    int k = std::clamp(static_cast<int>(guess), 0, last - 1);
    while (k > 0 && v[k].jdUt > jdUt) --k;
    while (k < last - 1 && v[k + 1].jdUt <= jdUt) ++k;
    return v[k].seconds +
           (v[k + 1].seconds - v[k].seconds) * (jdUt - v[k].jdUt) / (v[k + 1].jdUt - v[k].jdUt);
  }
  // The splines count years of TT; UT's are 70 s off today and under a day at the span's ends,
  // which moves delta T by a few hundredths of a second at most there (25 s a year at -2000).
  const double year = (jdUt - detail::kDeltaTYearOriginJd) / detail::kDeltaTDaysPerYear;
  const DeltaTSpline* begin = std::begin(detail::kDeltaTSplines);
  const DeltaTSpline* end = std::end(detail::kDeltaTSplines);
  if (year < begin->year0 || year >= (end - 1)->year1) {
    return evaluate(detail::kDeltaTParabola, year);
  }
  // The spline that holds the year; the measured values hold the years between the past's and
  // the prediction's, so a spline's year1 is the next one's year0 wherever this is asked.
  const DeltaTSpline* s = std::upper_bound(
      begin, end, year, [](double y, const DeltaTSpline& spline) { return y < spline.year0; });
  return evaluate(*(s - 1), year);
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
