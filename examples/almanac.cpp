// Sunrise, sunset, the Moon's rise and set, its phase and the next full Moon, for a place and a
// day on the command line, from the dockorrery astronomy library. Times are UT.
// Usage: almanac LATITUDE LONGITUDE YYYY-MM-DD   (degrees, north and east positive)
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <dockorrery/astronomy.h>  // the whole library

using namespace dockorrery;

// Prints one event at a Julian Day (UT) as a date and time to the nearest minute, or that there
// is none on the day and why.
static void print(const char* event, bool has, double jdUt, RiseSetKind kind = {}) {
  const char* const why[] = {"", " (up all day)", " (down all day)", ""};
  CivilTime t;
  if (!has || !civilTimeOf(t, jdUt, 60.0)) {
    return (void)std::printf("%-14s none%s\n", event, why[int(kind)]);
  }
  std::printf("%-14s %lld-%02d-%02d %02d:%02d UT\n", event, static_cast<long long>(t.year),
              t.month, t.day, t.hours, t.minutes);
}

int main(int argc, char** argv) {
  double latitude, longitude, midnightUt;
  long long year;
  int month, day;
  char* end;
  char extra;
  if (argc != 4 || (latitude = std::strtod(argv[1], &end), *end) || !(std::fabs(latitude) <= 90) ||
      (longitude = std::strtod(argv[2], &end), *end) || !(std::fabs(longitude) <= 180) ||
      std::sscanf(argv[3], "%lld-%d-%d%c", &year, &month, &day, &extra) != 3 ||
      !julianDayOf(midnightUt, {year, month, day, 0, 0, 0.0})) {
    std::fprintf(stderr, "usage: %s LATITUDE LONGITUDE YYYY-MM-DD\n", argv[0]);
    return 2;
  }
  const Observer place = observerFromDegrees(latitude, longitude);
  RiseTransitSet sun, moon;
  MoonIllumination phase;
  MoonPhases phases;
  if (!computeBodyRiseTransitSet(sun, Body::Sun, place, midnightUt) ||
      !computeBodyRiseTransitSet(moon, Body::Moon, place, midnightUt) ||
      !computeMoonIllumination(phase, terrestrialTime(midnightUt)) ||
      !computeNextMoonPhases(phases, terrestrialTime(midnightUt))) {
    std::fprintf(stderr, "%s: no answer for that place and day\n", argv[0]);
    return 1;
  }
  print("sunrise", sun.hasRise, sun.riseJdUt, sun.kind);
  print("sunset", sun.hasSet, sun.setJdUt, sun.kind);
  print("moonrise", moon.hasRise, moon.riseJdUt, moon.kind);
  print("moonset", moon.hasSet, moon.setJdUt, moon.kind);
  std::printf("%-14s %.0f%% lit, %s (at 0h UT)\n", "Moon", phase.illuminatedFraction * 100.0,
              phase.waxing ? "waxing" : "waning");
  print("next full Moon", true, universalTime(phases.fullMoonJdTt));
}
