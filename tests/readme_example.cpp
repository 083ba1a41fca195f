#include <chrono>
#include <cmath>
#include <cstdio>

#include "astronomy/events.h"
#include "astronomy/moon_phases.h"
#include "astronomy/time_scales.h"
#include "calendar/calendar.h"

using namespace dockorrery;

// Prints a Julian Day (UT) as a date and time, or that there is none.
void print(const char* event, bool has, double jdUt) {
  using namespace std::chrono;
  if (!has) return (void)std::printf("  %-9s none\n", event);
  const sys_seconds t{seconds{std::llround((jdUt - 2440587.5) * kSecondsPerDay)}};
  const year_month_day date{floor<days>(t)};
  const hh_mm_ss time{t - floor<days>(t)};
  std::printf("  %-9s %d-%02u-%02u %02ld:%02ld UT\n", event, int(date.year()),
              unsigned(date.month()), unsigned(date.day()), long(time.hours().count()),
              long(time.minutes().count()));
}

int main() {
  const Observer tromso{19.0 * kDegree, 69.6 * kDegree};   // east longitude, latitude
  const double day = julianDayNumber(21, 6, 2027) - 0.5;   // 2027-06-21, 0h UT
  const char* const kinds[] = {"rises and sets", "circumpolar", "never rises"};
  for (Body body : {Body::Sun, Body::Moon}) {
    RiseTransitSet events;
    computeBodyRiseTransitSet(events, body, tromso, day);
    std::printf("%s: %s\n", body == Body::Sun ? "Sun" : "Moon", kinds[int(events.kind)]);
    print("rise", events.hasRise, events.riseJdUt);
    print("transit", events.hasTransit, events.transitJdUt);
    print("set", events.hasSet, events.setJdUt);
  }
  MoonPhases phases;
  computeNextMoonPhases(phases, terrestrialTime(day));
  const double fullMoonUt = phases.fullMoonJdTt - deltaT(phases.fullMoonJdTt) / kSecondsPerDay;
  print("full Moon", true, fullMoonUt);
}
