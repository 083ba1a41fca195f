/* Writes tests/data/libnova_galactic.csv and tests/data/libnova_constellations.csv from libnova
 * 0.16's galactic coordinates and constellation lookup.
 *
 * Usage: make make-sky-frames && ./make-sky-frames OUT_DIR
 *
 * libnova_galactic.csv: given,ra,dec,l,b in degrees, one row per direction: 300 directions of
 * J2000.0 drawn uniformly over the sphere turned to galactic coordinates
 * (ln_get_gal_from_equ2000; given "equ"), then 300 galactic directions turned back
 * (ln_get_equ2000_from_gal; given "gal"). libnova precesses the place between J2000.0 and
 * B1950.0 with its own precession, which leaves out the quadratic and cubic terms, and takes the
 * B1950 pole and origin of the IAU's definition without the FK4 to FK5 corrections: trusted to a
 * few arcseconds only.
 *
 * libnova_constellations.csv: ra,dec,symbol, one row per place of B1875.0 (degrees) and the
 * abbreviation ln_get_constellation gives it: 1000 places drawn uniformly over the sphere, then
 * the poles and places either side of 0h. The lookup wants places of B1875.0, which it is given
 * here, so that it is trusted everywhere but on a boundary itself. Each place is written, read
 * back and only then looked up, so that the file holds exactly what was looked up.
 */
#include <libnova/libnova.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static uint32_t seed = 13579;

/* A pseudo-random number in [0, 1), the same sequence every run. */
static double next(void) {
  seed = seed * 1664525u + 1013904223u;
  return seed / 4294967296.0;
}

/* A direction drawn uniformly over the sphere: longitude and latitude, degrees. */
static void direction(double *longitude, double *latitude) {
  *longitude = 360.0 * next();
  *latitude = asin(2.0 * next() - 1.0) * 180.0 / M_PI;
}

static FILE *create(const char *dir, const char *name) {
  char path[4096];
  snprintf(path, sizeof path, "%s/%s", dir, name);
  FILE *f = fopen(path, "w");
  if (!f) perror(path);
  return f;
}

/* The text of a number as written, read back. */
static double written(double value, char *text, size_t size) {
  snprintf(text, size, "%.10f", value);
  return strtod(text, NULL);
}

static void constellationRow(FILE *f, double ra, double dec) {
  char raText[32], decText[32];
  struct ln_equ_posn place = {written(ra, raText, sizeof raText),
                              written(dec, decText, sizeof decText)};
  fprintf(f, "%s,%s,%s\n", raText, decText, ln_get_constellation(&place));
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
    return 2;
  }
  FILE *f = create(argv[1], "libnova_galactic.csv");
  if (!f) return 1;
  fprintf(f, "# libnova 0.16: ln_get_gal_from_equ2000 (given equ), ln_get_equ2000_from_gal (given gal)\n");
  fprintf(f, "given,ra,dec,l,b\n");
  for (int i = 0; i < 300; ++i) {
    struct ln_equ_posn equ;
    struct ln_gal_posn gal;
    direction(&equ.ra, &equ.dec);
    ln_get_gal_from_equ2000(&equ, &gal);
    fprintf(f, "equ,%.10f,%.10f,%.10f,%.10f\n", equ.ra, equ.dec, gal.l, gal.b);
  }
  for (int i = 0; i < 300; ++i) {
    struct ln_equ_posn equ;
    struct ln_gal_posn gal;
    direction(&gal.l, &gal.b);
    ln_get_equ2000_from_gal(&gal, &equ);
    fprintf(f, "gal,%.10f,%.10f,%.10f,%.10f\n", equ.ra, equ.dec, gal.l, gal.b);
  }
  if (fclose(f) != 0) return 1;

  f = create(argv[1], "libnova_constellations.csv");
  if (!f) return 1;
  fprintf(f, "# libnova 0.16: ln_get_constellation of places of B1875.0\n");
  fprintf(f, "ra,dec,symbol\n");
  for (int i = 0; i < 1000; ++i) {
    double ra, dec;
    direction(&ra, &dec);
    constellationRow(f, ra, dec);
  }
  const double edges[][2] = {{0.0, 90.0},   {123.0, 90.0},   {0.0, -90.0},   {240.0, -90.0},
                             {0.0, 0.0},    {359.9999, 0.0}, {0.0001, 30.0}, {359.9999, 30.0},
                             {0.0, -60.0},  {359.9999, -60.0}, {0.0, 80.0},  {359.9999, 86.0}};
  for (size_t i = 0; i < sizeof edges / sizeof edges[0]; ++i) {
    constellationRow(f, edges[i][0], edges[i][1]);
  }
  return fclose(f) != 0;
}
