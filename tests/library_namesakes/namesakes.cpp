// A program of someone else's that names its own things as the library names its own, in the
// global namespace, beside every header of the installed library (library_headers.h, which the
// suite writes, includes them all). It compiles and links only while every name of the library
// is in `dockorrery`: each of these would otherwise be a redefinition, a duplicate symbol or a
// silent swap of one function for the other. It exits with 0 when the library's routines still
// compute with their own definitions and the program's own names still mean its own.
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "library_headers.h"

constexpr double kPi = 3.0;  // a program whose pi is 3

struct Observer {
  const char* name;
};

enum class Body { Comet, Asteroid };

struct Nutation {
  int periodDays;
};

// The library's own signatures, with other meanings.
double deltaT(double jdUt) { return jdUt < 0.0 ? 0.0 : -1.0; }

template <int N>
constexpr double polynomial(const double (&c)[N], double T) {
  return c[0] + N * T;
}

int64_t julianDayNumber(int32_t day, int32_t month, int64_t year) {
  return day + month + year;
}

int main() {
  int failures = 0;
  const auto check = [&failures](bool ok, const char* what) {
    if (!ok) {
      std::fprintf(stderr, "namesakes: %s\n", what);
      ++failures;
    }
  };

  // The program's own names.
  const Observer me{"me"};
  const Nutation nod{6798};
  const double c[] = {1.0, 5.0};
  check(kPi == 3.0 && me.name[0] == 'm' && nod.periodDays == 6798 && Body::Asteroid != Body::Comet,
        "the program's own names");
  check(deltaT(2451545.0) == -1.0 && polynomial(c, 2.0) == 5.0 &&
            julianDayNumber(1, 1, 2000) == 2002,
        "the program's own functions");

  // The library's, through its namespace; its routines call their own deltaT and
  // julianDayNumber.
  const double jdUt = dockorrery::julianDayNumber(1, 1, 2000);
  check(jdUt == 2451545.0, "dockorrery::julianDayNumber");
  const double deltaTSeconds = dockorrery::deltaT(jdUt);
  check(deltaTSeconds > 63.0 && deltaTSeconds < 64.5, "dockorrery::deltaT");
  check(std::fabs((dockorrery::terrestrialTime(jdUt) - jdUt) * dockorrery::kSecondsPerDay -
                  deltaTSeconds) < 1e-3,
        "dockorrery::terrestrialTime takes the library's delta T");
  check(dockorrery::firstSundayInApril(2026) == 5, "dockorrery::firstSundayInApril");
  check(dockorrery::kPi > 3.14159 && dockorrery::kPi < 3.1416, "dockorrery::kPi");

  dockorrery::Nutation nutation;
  check(dockorrery::computeNutation(nutation, jdUt) && std::fabs(nutation.longitude) < 1e-4,
        "dockorrery::computeNutation");
  const dockorrery::Observer greenwich{0.0, 51.48 * dockorrery::kDegree};
  dockorrery::RiseTransitSet events;
  check(dockorrery::computeBodyRiseTransitSet(events, dockorrery::Body::Sun, greenwich,
                                              jdUt - 0.5) &&
            events.kind == dockorrery::RiseSetKind::RisesAndSets,
        "dockorrery::computeBodyRiseTransitSet");
  dockorrery::BodyPosition earth;
  check(dockorrery::computeHeliocentricPosition(earth, dockorrery::Body::Earth, jdUt) &&
            earth.R > 0.98 && earth.R < 0.99,
        "dockorrery::computeHeliocentricPosition");

  if (failures == 0) std::puts("namesakes: PASS");
  return failures == 0 ? 0 : 1;
}
