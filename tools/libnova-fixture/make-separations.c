/* Makes tests/data/libnova_separations.csv from libnova's angular separation and relative
 * position angle of two directions.
 *
 * Usage: make-separations [OUT_DIR]   (OUT_DIR defaults to tests/data of the repository)
 *
 * One row per pair: ra1, dec1, ra2, dec2 (degrees), separation (degrees, ln_get_angular_separation)
 * and position_angle (degrees, ln_get_rel_posn_angle: of the second seen from the first, from
 * the north through the east). 300 pairs anywhere on the sphere, then 100 a few arcseconds to a
 * degree apart, by a pseudo-random sequence of its own; the directions are rounded as printed, so
 * that the file holds what libnova was given. */
#include <libnova/libnova.h>
#include <math.h>
#include <stdio.h>

#include "fixture.h"

static double rounded(double degrees) { return round(degrees * 1e9) / 1e9; }

int main(int argc, char** argv) {
  fixtureSeed = 17017;
  FILE* out = openFixture(argc, argv, "make-separations", "libnova_separations.csv",
                          "ra1,dec1,ra2,dec2,separation,position_angle");
  if (!out) return 1;
  for (int i = 0; i < 400; ++i) {
    struct ln_equ_posn a, b;
    a.ra = rounded(360.0 * next());
    a.dec = rounded(asin(2.0 * next() - 1.0) * 180.0 / M_PI);
    if (i < 300) {
      b.ra = rounded(360.0 * next());
      b.dec = rounded(asin(2.0 * next() - 1.0) * 180.0 / M_PI);
    } else {
      /* A step of 1" to 1 degree in any direction, kept off the poles. */
      const double step = pow(3600.0, next()) / 3600.0, angle = 2.0 * M_PI * next();
      a.dec = rounded(a.dec * 0.9);
      b.dec = rounded(a.dec + step * cos(angle));
      b.ra = rounded(fmod(a.ra + step * sin(angle) / cos(a.dec * M_PI / 180.0) + 360.0, 360.0));
    }
    fprintf(out, "%.9f,%.9f,%.9f,%.9f,%.12f,%.12f\n", a.ra, a.dec, b.ra, b.dec,
            ln_get_angular_separation(&a, &b), ln_get_rel_posn_angle(&a, &b));
  }
  return fclose(out) != 0;
}
