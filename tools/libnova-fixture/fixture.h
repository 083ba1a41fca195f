/* What the libnova fixture generators share: the pseudo-random sequence they draw from and the
 * opening of the file they write. */
#ifndef FIXTURE_H
#define FIXTURE_H

#include <stdio.h>

/* A linear congruential sequence in [0, 1) from the generator's own seed, the same every run. */
static unsigned fixtureSeed;
static double next(void) {
  fixtureSeed = fixtureSeed * 1664525u + 1013904223u;
  return fixtureSeed / 4294967296.0;
}

/* Opens tests/data/NAME (or NAME in the folder of the first argument) for writing and writes the
 * note naming its GENERATOR and the HEADER row; NULL, said on stderr, when it cannot. */
static FILE* openFixture(int argc, char** argv, const char* generator, const char* name,
                         const char* header) {
  char file[4096];
  snprintf(file, sizeof file, "%s/%s", argc > 1 ? argv[1] : "../../tests/data", name);
  FILE* out = fopen(file, "w");
  if (!out) {
    perror(file);
    return NULL;
  }
  fprintf(out, "# Made by tools/libnova-fixture/%s.c with libnova 0.16; do not edit.\n%s\n",
          generator, header);
  return out;
}

#endif
