/* Makes tests/data/libnova_illumination.csv from libnova's magnitudes, illuminated fractions,
 * phase angles and semidiameters of the planets.
 *
 * Usage: make-illumination [OUT_DIR]   (OUT_DIR defaults to tests/data of the repository)
 *
 * libnova takes the planets from the full VSOP87 and evaluates it at the Julian Day it is given
 * as a dynamical time (TT). Its magnitudes are the Astronomical Almanac's laws of 1984 (the
 * book's second set), Saturn's without its rings.
 *
 * One row per instant and planet, 300 pseudo-random instants from 1900 to 2100, Mercury to
 * Neptune: tt_jd, body, mag (visual magnitude), fraction (illuminated fraction of the disk),
 * phase_angle (degrees), semidiameter (arcsec). */
#include <libnova/libnova.h>
#include <stdio.h>

#include "fixture.h"

struct Planet {
  const char* name;
  double (*mag)(double), (*disk)(double), (*phase)(double), (*sdiam)(double);
};

static const struct Planet planets[] = {
    {"Mercury", ln_get_mercury_magnitude, ln_get_mercury_disk, ln_get_mercury_phase,
     ln_get_mercury_sdiam},
    {"Venus", ln_get_venus_magnitude, ln_get_venus_disk, ln_get_venus_phase, ln_get_venus_sdiam},
    {"Mars", ln_get_mars_magnitude, ln_get_mars_disk, ln_get_mars_phase, ln_get_mars_sdiam},
    {"Jupiter", ln_get_jupiter_magnitude, ln_get_jupiter_disk, ln_get_jupiter_phase,
     ln_get_jupiter_equ_sdiam},
    {"Saturn", ln_get_saturn_magnitude, ln_get_saturn_disk, ln_get_saturn_phase,
     ln_get_saturn_equ_sdiam},
    {"Uranus", ln_get_uranus_magnitude, ln_get_uranus_disk, ln_get_uranus_phase,
     ln_get_uranus_sdiam},
    {"Neptune", ln_get_neptune_magnitude, ln_get_neptune_disk, ln_get_neptune_phase,
     ln_get_neptune_sdiam},
};

int main(int argc, char** argv) {
  fixtureSeed = 41041;
  FILE* out = openFixture(argc, argv, "make-illumination", "libnova_illumination.csv",
                          "tt_jd,body,mag,fraction,phase_angle,semidiameter");
  if (!out) return 1;
  for (int i = 0; i < 300; ++i) {
    /* Rounded as printed, so that the file holds the instant libnova was given. */
    char printed[32];
    snprintf(printed, sizeof printed, "%.6f", 2415020.5 + 73049.0 * next());
    double jd;
    sscanf(printed, "%lf", &jd);
    for (size_t p = 0; p < sizeof planets / sizeof planets[0]; ++p) {
      const struct Planet* planet = &planets[p];
      fprintf(out, "%s,%s,%.5f,%.7f,%.6f,%.5f\n", printed, planet->name, planet->mag(jd),
              planet->disk(jd), planet->phase(jd), planet->sdiam(jd));
    }
  }
  return fclose(out) != 0;
}
