// Sunrise, sunset, the Moon's rise and set, its phase and the next full Moon, for a place and a
// day on the command line, from the dockorrery astronomy library. Times are UT.
// Usage: almanac LATITUDE LONGITUDE YYYY-MM-DD   (degrees, north and east positive)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <dockorrery/astronomy/events.h>
#include <dockorrery/astronomy/moon.h>
#include <dockorrery/astronomy/moon_phases.h>
#include <dockorrery/astronomy/time_scales.h>
#include <dockorrery/calendar/calendar.h>

using namespace dockorrery;

// Prints one event at a Julian Day (UT) as a date and time to the minute, or that there is none
// on the day and why.
static void print(const char* event, bool has, double jdUt, RiseSetKind kind = {}) {
  using namespace std::chrono;
  const char* const why[] = {"", " (up all day)", " (down all day)", ""};
  if (!has) return (void)std::printf("%-14s none%s\n", event, why[int(kind)]);
  const sys_seconds t{minutes{std::llround((jdUt - 2440587.5) * 1440.0)}};
  const year_month_day date{floor<days>(t)};
  const hh_mm_ss time{t - floor<days>(t)};
  std::printf("%-14s %d-%02u-%02u %02ld:%02ld UT\n", event, int(date.year()),
              unsigned(date.month()), unsigned(date.day()), long(time.hours().count()),
              long(time.minutes().count()));
}

int main(int argc, char** argv) {
  double latitude, longitude;
  int year, month, day;
  char* end;
  char extra;
  MonthLengthTable lengths;
  if (argc != 4 || (latitude = std::strtod(argv[1], &end), *end) || !(std::fabs(latitude) <= 90) ||
      (longitude = std::strtod(argv[2], &end), *end) || !(std::fabs(longitude) <= 180) ||
      std::sscanf(argv[3], "%d-%d-%d%c", &year, &month, &day, &extra) != 3 || month < 1 ||
      month > 12 || day < 1 || (monthLengths(year, lengths), day > lengths[month - 1])) {
    std::fprintf(stderr, "usage: %s LATITUDE LONGITUDE YYYY-MM-DD\n", argv[0]);
    return 2;
  }
  const Observer place{longitude * kDegree, latitude * kDegree};
  const double midnightUt = double(julianDayNumber(day, month, year)) - 0.5;
  RiseTransitSet sun, moon;
  MoonPhase phase;
  MoonPhases phases;
  if (!computeBodyRiseTransitSet(sun, Body::Sun, place, midnightUt) ||
      !computeBodyRiseTransitSet(moon, Body::Moon, place, midnightUt) ||
      !computeMoonPhase(phase, terrestrialTime(midnightUt)) ||
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
  const double fullMoonUt = phases.fullMoonJdTt - deltaT(phases.fullMoonJdTt) / kSecondsPerDay;
  print("next full Moon", true, fullMoonUt);
}
