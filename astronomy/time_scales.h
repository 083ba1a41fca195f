// Time scales: Terrestrial Time (TT), the time of the ephemerides, and Universal Time (UT, taken
// as UT1), the time of the Earth's rotation; delta T = TT - UT between them, as measured.
#pragma once

#include <optional>

#include "../base/constants.h"

namespace dockorrery {

// Delta T = TT - UT1: the observed and measured values, and a prediction after them.
//   Given:    jdUt       Julian Day (UT)
//   Returned: (double)   delta T, s; NaN outside the library's span and for a non-finite day
//   Span:     kFirstJd up to kEndJd (UT); measured from 1657 to 2023 September, before it the
//             splines of the historical record and after it a prediction, which may be off by
//             a second by 2030, a minute by 2150 and by many more later
//   Accuracy: Against the values it is made from, every one from 1900 (the observed values,
//             half-yearly to 1984, and the IERS daily values of 1973 to 2023): delta T within
//             0.005 s, the two series' own difference where they overlap (linear between every
//             fifth day, the table keeps to 1.1 ms of the daily values). Today's prediction:
//             68.8 s for 2026 December, where the IERS measures about 69.1 s.
//   Notes:    From the table of tools/gen_delta_t.py: before 1657 the splines of Stephenson,
//             Morrison and Hohenkerk (2016; Table S15, 2020 update) and, before -720, their
//             long-term parabola -320 + 32.5 u^2 s (u in centuries from 1825), joined by a
//             cubic; from 1657 the observed values, from 1973 the IERS values (UT1 - UTC and
//             the leap seconds) every fifth day; after 2023 a cubic from the last value, with
//             the slope of its last year, to the parabola in 2800, and the parabola after it.
//             The values and splines are given in TT, the argument here is UT: 70 s apart
//             today, under a day at the span's ends, which moves delta T by 0.02 s there.
//   Source:   IERS Earth orientation values (finals2000A) and the historical delta T record as
//             Skyfield 1.45 bundles them; Stephenson, Morrison and Hohenkerk, Proc. R. Soc. A
//             472 (2016), 20160404, and its 2020 update.
double deltaT(double jdUt);

// The Julian Day (TT) of an instant given in UT: jdUt plus delta T.
//   Given:    jdUt            Julian Day (UT)
//             deltaTSeconds   delta T, s, when given, else deltaT(jdUt)
//   Returned: (double)        Julian Day (TT); NaN where jdUt or delta T is
//   Span:     kFirstJd up to kEndJd (UT), where deltaT is not NaN; any with deltaTSeconds
double terrestrialTime(double jdUt, std::optional<double> deltaTSeconds = std::nullopt);

// The Julian Day (UT) of an instant given in TT, the inverse of terrestrialTime: jdTt less
// delta T.
//   Given:    jdTt            Julian Day (TT)
//             deltaTSeconds   delta T, s, when given, else deltaT at the UT instant itself,
//                             found by iteration
//   Returned: (double)        Julian Day (UT); NaN where delta T is (the UT instant outside the
//                             library's span included) or jdTt is not a number
//   Span:     kFirstJd up to kEndJd for the UT instant; any with deltaTSeconds
//   Accuracy: terrestrialTime gives jdTt back to 2 units of the Julian Day's last bit, 80
//             microseconds: delta T changes by 0.07 s a day at most, so a few steps reach it.
double universalTime(double jdTt, std::optional<double> deltaTSeconds = std::nullopt);

}  // namespace dockorrery
