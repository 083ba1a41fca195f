/* Makes tests/data/libnova_refraction.csv from libnova's ln_get_refraction_adj, Bennett's
 * refraction of an apparent altitude scaled for the air's pressure and temperature.
 *
 * Usage: make-refraction [OUT_DIR]   (OUT_DIR defaults to tests/data of the repository)
 *
 * libnova evaluates Bennett's small correction, -0.06' sin(14.7 R + 13 degrees), with the
 * refraction R in degrees where the formula has it in minutes of arc (up to 0.8"), and diverges
 * below -1 degree. So the rows stop at -1 degree, and each gives libnova's own refraction and,
 * beside it, the same with that correction taken back out (solved for the uncorrected R by
 * fixed-point steps): Bennett's formula as the book prints it before its correction.
 *
 * One row per altitude, pressure and temperature: apparent_altitude (degrees), pressure (hPa),
 * temperature (degrees C), libnova (its refraction, minutes of arc), bennett (the same without
 * its correction, minutes of arc). The altitudes run from -1 to 90 degrees, densest near the
 * horizon; the air from none to 1200 hPa and from -40 to 40 degrees C, by a pseudo-random
 * sequence of its own. */
#include <libnova/libnova.h>
#include <math.h>
#include <stdio.h>

#include "fixture.h"

int main(int argc, char** argv) {
  fixtureSeed = 16031;
  FILE* out = openFixture(argc, argv, "make-refraction", "libnova_refraction.csv",
                          "apparent_altitude,pressure,temperature,libnova,bennett");
  if (!out) return 1;
  for (int i = 0; i < 400; ++i) {
    /* The square of a uniform number crowds the altitudes towards the horizon. */
    const double u = next();
    /* Rounded as they are printed, so that the file holds what libnova was given. */
    const double altitude = round((i == 0 ? -1.0 : i == 1 ? 90.0 : -1.0 + 91.0 * u * u) * 1e6) / 1e6;
    const double pressure = round((i < 200 ? 1010.0 : 1200.0 * next()) * 1e3) / 1e3;
    const double temperature = round((i < 200 ? 10.0 : -40.0 + 80.0 * next()) * 1e3) / 1e3;
    const double libnova = ln_get_refraction_adj(altitude, pressure, temperature) * 60.0;
    const double scale = pressure / 1010.0 * 283.0 / (273.0 + temperature);
    /* libnova: R = (B - 0.06' sin(14.7 B / 60 + 13 degrees)) scale, B Bennett's refraction in
     * minutes: solve for B. */
    double bennett = libnova / (scale > 0.0 ? scale : 1.0);
    const double corrected = bennett;
    for (int k = 0; k < 20; ++k) {
      bennett = corrected + 0.06 * sin((14.7 * bennett / 60.0 + 13.0) * M_PI / 180.0);
    }
    fprintf(out, "%.6f,%.3f,%.3f,%.9f,%.9f\n", altitude, pressure, temperature, libnova,
            scale > 0.0 ? bennett * scale : 0.0);
  }
  return fclose(out) != 0;
}
