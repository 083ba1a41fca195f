/* Makes tests/data/libnova_stars.csv: libnova's apparent places of the stars of
 * tests/data/bright_stars.csv, composed of its own steps, since its ln_get_apparent_posn leaves out
 * the nutation: proper motion (ln_get_equ_pm, linear in right ascension and declination),
 * precession from J2000.0 (ln_get_equ_prec2, without its angles' quadratic and cubic terms),
 * nutation (ln_get_nutation's angles applied by the book's eq. 23.1: libnova 0.16 has no routine
 * that applies them) and aberration (ln_get_equ_aber, the book's eq. 23.3).
 *
 * libnova's nutation takes a UT day and adds its own delta T: it is given the UT day whose
 * libnova TT is the row's. Its precession drops terms (0.09" in 2028, about 1" a century from
 * J2000.0), so the instants stay within 1900 to 2100; its linear proper motion parts from a
 * star's straight path by (mu t)^2 tan(delta), so only stars slower than 0.5" a year are taken.
 *
 * Usage: make-stars [OUT_DIR]   (OUT_DIR defaults to tests/data of the repository, where the
 * catalogue bright_stars.csv is read). Columns: tt_jd (TT), star, ra and dec (degrees, true
 * equator and equinox of date), 200 pseudo-random star-instants. */
#include <libnova/libnova.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fixture.h"

#define FIRST_JD 2415020.5 /* 1900 January 1 */
#define END_JD 2488069.5   /* 2100 January 1 */
#define MAX_STARS 64

struct star {
  char name[40];
  double ra, dec;       /* degrees */
  double pm_ra, pm_dec; /* degrees a year: the rate of the right ascension, and of the declination */
};

/* The stars of the catalogue slower than 0.5" a year; their number. */
static int read_stars(const char *path, struct star *stars) {
  FILE *in = fopen(path, "r");
  char line[512];
  int count = 0, header = 1;
  if (!in) return 0;
  while (fgets(line, sizeof line, in) && count < MAX_STARS) {
    double h, m, s, d, dm, ds, pm_ra, pm_dec, plx, rv;
    char name[40], sign;
    if (line[0] == '#') continue;
    if (header) {
      header = 0;
      continue;
    }
    if (sscanf(line, "%39[^,],%lf,%lf,%lf,%c,%lf,%lf,%lf,%lf,%lf,%lf,%lf", name, &h, &m, &s, &sign,
               &d, &dm, &ds, &pm_ra, &pm_dec, &plx, &rv) != 12)
      continue;
    if (hypot(pm_ra, pm_dec) >= 500.0) continue;
    strcpy(stars[count].name, name);
    stars[count].ra = (h + m / 60.0 + s / 3600.0) * 15.0;
    stars[count].dec = (sign == '-' ? -1.0 : 1.0) * (d + dm / 60.0 + ds / 3600.0);
    stars[count].pm_ra = pm_ra / 3600000.0 / cos(stars[count].dec * M_PI / 180.0);
    stars[count].pm_dec = pm_dec / 3600000.0;
    ++count;
  }
  fclose(in);
  return count;
}

int main(int argc, char **argv) {
  char path[4096];
  struct star stars[MAX_STARS];
  snprintf(path, sizeof path, "%s/bright_stars.csv", argc > 1 ? argv[1] : "../../tests/data");
  const int count = read_stars(path, stars);
  if (count < 10) {
    fprintf(stderr, "%s: too few stars\n", path);
    return 1;
  }
  fixtureSeed = 86420;
  FILE *out = openFixture(argc, argv, "make-stars", "libnova_stars.csv", "tt_jd,star,ra,dec");
  if (!out) return 1;
  for (int i = 0; i < 200; ++i) {
    const struct star *star = &stars[(int)(next() * count)];
    const double tt = FIRST_JD + (END_JD - FIRST_JD) * next();
    struct ln_equ_posn mean = {star->ra, star->dec}, motion = {star->pm_ra, star->pm_dec};
    struct ln_equ_posn moved, precessed, nutated, apparent;
    ln_get_equ_pm(&mean, &motion, tt, &moved);
    ln_get_equ_prec2(&moved, JD2000, tt, &precessed);
    double ut = tt - ln_get_dynamical_time_diff(tt) / 86400.0;
    for (int k = 0; k < 3; ++k) ut = tt - ln_get_dynamical_time_diff(ut) / 86400.0;
    struct ln_nutation n;
    ln_get_nutation(ut, &n);
    const double r = M_PI / 180.0, e = n.ecliptic * r, a = precessed.ra * r,
                 t = tan(precessed.dec * r);
    nutated.ra = precessed.ra + (cos(e) + sin(e) * sin(a) * t) * n.longitude -
                 cos(a) * t * n.obliquity;
    nutated.dec = precessed.dec + sin(e) * cos(a) * n.longitude + sin(a) * n.obliquity;
    ln_get_equ_aber(&nutated, tt, &apparent);
    fprintf(out, "%.6f,%s,%.9f,%.9f\n", tt, star->name, apparent.ra, apparent.dec);
  }
  fclose(out);
  return 0;
}
