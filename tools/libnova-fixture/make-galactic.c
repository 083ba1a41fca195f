/* Makes tests/data/libnova_galactic.csv from libnova's galactic coordinates of J2000.0 places.
 *
 * Usage: make-galactic [OUT_DIR]   (OUT_DIR defaults to tests/data of the repository)
 *
 * One row per direction: given, ra, dec, l, b (degrees). 300 directions of J2000.0 drawn
 * uniformly over the sphere turned to galactic coordinates (ln_get_gal_from_equ2000; given
 * "equ"), then 300 galactic directions turned back (ln_get_equ2000_from_gal; given "gal"), by a
 * pseudo-random sequence of its own; the given angles are rounded as printed, so that the file
 * holds what libnova was given. libnova precesses each place between J2000.0 and B1950.0 with
 * its own precession, which leaves out the quadratic and cubic terms, and takes the IAU's B1950
 * pole and origin without the FK4 to FK5 corrections: trusted to a fraction of an arcsecond. */
#include <libnova/libnova.h>
#include <math.h>
#include <stdio.h>

#include "fixture.h"

static double rounded(double degrees) { return round(degrees * 1e10) / 1e10; }

/* A direction drawn uniformly over the sphere: longitude and latitude, degrees. */
static void direction(double* longitude, double* latitude) {
  *longitude = rounded(360.0 * next());
  *latitude = rounded(asin(2.0 * next() - 1.0) * 180.0 / M_PI);
}

int main(int argc, char** argv) {
  fixtureSeed = 13579;
  FILE* out = openFixture(argc, argv, "make-galactic", "libnova_galactic.csv", "given,ra,dec,l,b");
  if (!out) return 1;
  for (int i = 0; i < 600; ++i) {
    struct ln_equ_posn equ;
    struct ln_gal_posn gal;
    if (i < 300) {
      direction(&equ.ra, &equ.dec);
      ln_get_gal_from_equ2000(&equ, &gal);
    } else {
      direction(&gal.l, &gal.b);
      ln_get_equ2000_from_gal(&gal, &equ);
    }
    fprintf(out, "%s,%.10f,%.10f,%.10f,%.10f\n", i < 300 ? "equ" : "gal", equ.ra, equ.dec, gal.l,
            gal.b);
  }
  return fclose(out) != 0;
}
