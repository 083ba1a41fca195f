#include <cstdio>

#include "astronomy/events.h"
#include "astronomy/moon_phases.h"
#include "astronomy/time_scales.h"
#include "calendar/calendar.h"

using namespace dockorrery;

// Prints a Julian Day (UT) as a date and time to the nearest minute, or that there is none.
void print(const char* event, bool has, double jdUt) {
  CivilTime t;
  if (!has || !civilTimeOf(t, jdUt, 60.0)) return (void)std::printf("  %-9s none\n", event);
  std::printf("  %-9s %lld-%02d-%02d %02d:%02d UT\n", event, static_cast<long long>(t.year),
              t.month, t.day, t.hours, t.minutes);
}

int main() {
  const Observer tromso = observerFromDegrees(69.6, 19.0);  // latitude, east longitude
  double day;
  if (!julianDayOf(day, {2027, 6, 21, 0, 0, 0.0})) return 1;  // 2027-06-21, 0h UT
  const char* const kinds[] = {"rises and sets", "circumpolar", "never rises"};
  for (Body body : {Body::Sun, Body::Moon}) {
    RiseTransitSet events;
    if (!computeBodyRiseTransitSet(events, body, tromso, day)) return 1;
    std::printf("%s: %s\n", body == Body::Sun ? "Sun" : "Moon", kinds[int(events.kind)]);
    print("rise", events.hasRise, events.riseJdUt);
    print("transit", events.hasTransit, events.transitJdUt);
    print("set", events.hasSet, events.setJdUt);
  }
  MoonPhases phases;
  if (!computeNextMoonPhases(phases, terrestrialTime(day))) return 1;
  print("full Moon", true, universalTime(phases.fullMoonJdTt));
}
