/* Writes libnova_orbits.csv: heliocentric places of bodies on elliptic, parabolic and hyperbolic
 * orbits from their elements, 60 of each at instants of 1900 to 2100, by libnova 0.16.
 *
 * Trusted: the heliocentric rectangular vector (equator and equinox of J2000.0, AU) of
 * ln_get_ell_helio_rect_posn, ln_get_par_helio_rect_posn and ln_get_hyp_helio_rect_posn, and
 * the distance from the Earth at the same instant (ln_get_*_body_earth_dist, no light time).
 * Its comet magnitude (ln_get_ell_comet_mag, ln_get_par_comet_mag; none for a hyperbola) takes
 * the distance from the Sun where the one from the Earth belongs: written as it comes, with
 * g = 5 and its k = 10 (the book's kappa), for the test to put the Earth's distance back.
 * Not written: ln_get_asteroid_mag, which takes the Sun's distance for the Earth's, a broken
 * phase angle and 0.187 for 1.87 in its second phase function.
 *
 * Elements are of the ecliptic and equinox of J2000.0, degrees; the perihelion is within 3000
 * days of the instant for the open orbits. libnova's hyperbolic solver (the book's method for
 * near-parabolic orbits) gives NaN for most hyperbolas far from perihelion: a hyperbola is drawn
 * again until libnova gives a place, so the hyperbolas here are those it holds.
 *
 * Usage: make-orbits [OUT_DIR]   (OUT_DIR defaults to tests/data of the repository)
 *
 * Columns: kind; tt_jd, perihelion_jd, q (AU), e, i, w, node (degrees), every element and instant
 * to all its digits, so that the file holds what libnova was given; x, y, z (AU); earth_dist
 * (AU); comet_mag (nan for a hyperbola). */
#include <libnova/libnova.h>
#include <math.h>
#include <stdio.h>

#include "fixture.h"

static double uniform(double low, double high) { return low + (high - low) * next(); }

int main(int argc, char** argv) {
  fixtureSeed = 4099;
  FILE* out = openFixture(argc, argv, "make-orbits", "libnova_orbits.csv",
                          "kind,tt_jd,perihelion_jd,q,e,i,w,node,x,y,z,earth_dist,comet_mag");
  if (!out) return 1;
  const char* kinds[] = {"ellipse", "parabola", "hyperbola"};
  for (int kind = 0; kind < 3; ++kind) {
    for (int n = 0; n < 60; ++n) {
      const double jd = uniform(2415020.5, 2488069.5);
      const double i = uniform(0.0, 180.0), w = uniform(0.0, 360.0), node = uniform(0.0, 360.0);
      /* The ellipses: half like minor planets (e below 0.35, a of 1 to 6 AU), half like
       * comets (e 0.5 to 0.97, q 0.3 to 2 AU). */
      double q, e, perihelion;
      struct ln_rect_posn p;
      double earth, mag;
      if (kind == 0) {
        const int planet = n % 2 == 0;
        e = planet ? uniform(0.0, 0.35) : uniform(0.5, 0.97);
        q = planet ? uniform(1.0, 6.0) * (1.0 - e) : uniform(0.3, 2.0);
        perihelion = jd + uniform(-20000.0, 20000.0);
        struct ln_ell_orbit o = {q / (1.0 - e), e, i, w, node, 0.0, perihelion};
        o.n = ln_get_ell_mean_motion(o.a);
        ln_get_ell_helio_rect_posn(&o, jd, &p);
        earth = ln_get_ell_body_earth_dist(jd, &o);
        mag = ln_get_ell_comet_mag(jd, &o, 5.0, 10.0);
      } else if (kind == 1) {
        e = 1.0;
        q = uniform(0.1, 5.0);
        perihelion = jd + uniform(-3000.0, 3000.0);
        struct ln_par_orbit o = {q, i, w, node, perihelion};
        ln_get_par_helio_rect_posn(&o, jd, &p);
        earth = ln_get_par_body_earth_dist(jd, &o);
        mag = ln_get_par_comet_mag(jd, &o, 5.0, 10.0);
      } else {
        struct ln_hyp_orbit o;
        do {
          e = uniform(1.01, 3.0);
          q = uniform(0.1, 5.0);
          perihelion = jd + uniform(-3000.0, 3000.0);
          o = (struct ln_hyp_orbit){q, e, i, w, node, perihelion};
          ln_get_hyp_helio_rect_posn(&o, jd, &p);
        } while (!isfinite(p.X));
        earth = ln_get_hyp_body_earth_dist(jd, &o);
        mag = NAN;
      }
      fprintf(out, "%s,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.12f,%.12f,%.12f,%.12f,%.9f\n",
              kinds[kind], jd, perihelion, q, e, i, w, node, p.X, p.Y, p.Z, earth, mag);
    }
  }
  return fclose(out) == 0 ? 0 : 1;
}
