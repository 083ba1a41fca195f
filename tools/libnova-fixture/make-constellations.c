/* Makes tests/data/libnova_constellations.csv from libnova's constellation lookup.
 *
 * Usage: make-constellations [OUT_DIR]   (OUT_DIR defaults to tests/data of the repository)
 *
 * One row per place of B1875.0: ra, dec (degrees) and symbol, the abbreviation
 * ln_get_constellation gives it. 1000 places drawn uniformly over the sphere by a pseudo-random
 * sequence of its own, then the poles and places either side of 0h; each is rounded as printed,
 * so that the file holds what libnova was given. The lookup wants places of B1875.0, which it is
 * given here, so it is trusted everywhere but on a boundary itself. */
#include <libnova/libnova.h>
#include <math.h>
#include <stdio.h>

#include "fixture.h"

static double rounded(double degrees) { return round(degrees * 1e10) / 1e10; }

static void row(FILE* out, double ra, double dec) {
  struct ln_equ_posn place = {rounded(ra), rounded(dec)};
  fprintf(out, "%.10f,%.10f,%s\n", place.ra, place.dec, ln_get_constellation(&place));
}

int main(int argc, char** argv) {
  fixtureSeed = 24579;
  FILE* out = openFixture(argc, argv, "make-constellations", "libnova_constellations.csv",
                          "ra,dec,symbol");
  if (!out) return 1;
  for (int i = 0; i < 1000; ++i) {
    const double ra = 360.0 * next();
    row(out, ra, asin(2.0 * next() - 1.0) * 180.0 / M_PI);
  }
  const double edges[][2] = {{0.0, 90.0},  {123.0, 90.0},     {0.0, -90.0},    {240.0, -90.0},
                             {0.0, 0.0},   {359.9999, 0.0},   {0.0001, 30.0},  {359.9999, 30.0},
                             {0.0, -60.0}, {359.9999, -60.0}, {0.0, 80.0},     {359.9999, 86.0}};
  for (size_t i = 0; i < sizeof edges / sizeof edges[0]; ++i) row(out, edges[i][0], edges[i][1]);
  return fclose(out) != 0;
}
