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
  // The values observed and measured, linear between them.
  const DeltaTValue* first = std::begin(detail::kDeltaTMeasured);
  const DeltaTValue* last = std::end(detail::kDeltaTMeasured) - 1;
  if (jdUt >= first->jdUt && jdUt <= last->jdUt) {
    const DeltaTValue* after = std::upper_bound(
        first, last, jdUt, [](double jd, const DeltaTValue& v) { return jd < v.jdUt; });
    const DeltaTValue* before = after - 1;
    return before->seconds + (after->seconds - before->seconds) * (jdUt - before->jdUt) /
                                 (after->jdUt - before->jdUt);
  }
  // The splines count years of TT; UT's are 70 s off today and under a day at the span's ends,
  // which moves delta T by a few hundredths of a second at most there (25 s a year at -2000).
  const double year = (jdUt - detail::kDeltaTYearOriginJd) / 365.25;
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
