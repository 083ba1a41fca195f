// The search for a body's crossings of an altitude over one day, shared by the rising and setting
// routines: from a smooth model of the body's hour angle, declination and crossing altitude over
// the day, every crossing of the day, however brief the excursion it begins or ends, and the
// upper culmination. Not installed: the library's own.
#pragma once

#include "astronomy/rise_set.h"

namespace dockorrery::detail {

// A body's sky over a day as polynomials in m, the fraction of the day from its start (m in
// [0, 1]): the slowly varying part of its local hour angle, w, so that the hour angle is
// w(m) + kSiderealRotationPerDay * m; its declination; and the altitude its centre crosses.
// Coefficients in rad, lowest power first.
struct DayModel {
  static constexpr int kTerms = 5;
  double hourAngle[kTerms];
  double declination[kTerms];
  double crossing[kTerms];
};

// The polynomial through `values` at `count` (2 to DayModel::kTerms) equally spaced points from
// m = 0 to m = 1, as coefficients, lowest power first, the higher ones 0.
void interpolate(const double* values, int count, double (&coefficients)[DayModel::kTerms]);

// The model's local hour angle (rad, not reduced), declination and crossing altitude at `m`,
// and their rates, rad per day.
struct SkyAt {
  double hourAngle, declination, crossing;
  double hourAngleRate, declinationRate, crossingRate;
};
SkyAt skyAt(const DayModel& model, double m);

// sin(altitude) - sin(crossing altitude) at the observer's latitude `latitude` (rad) for the
// sky `at`, and its rate per day: positive above the crossing altitude.
struct Height {
  double value, rate;
};
Height heightAt(const SkyAt& at, double latitude);

// Where the model puts the day's events: the first rising, the first upper culmination and the
// first setting within the day, as fractions of the day in [0, 1) (NaN where there is none), and
// each crossing's piece of the day, on which its height is monotonic. The kind is RisesAndSets
// when the model crosses the altitude within the day, else Circumpolar or NeverRises by its side.
struct DayEvents {
  RiseSetKind kind;
  double rise, transit, set;
  double riseFrom, riseTo, setFrom, setTo;
};
DayEvents searchDay(const DayModel& model, double latitude);

// Fills `events` with the day's events found, as Julian Days (UT) from the day's start `jdUt`.
void fillEvents(RiseTransitSet& events, const DayEvents& day, double jdUt);

// Fills `events` as a failure: kind Invalid, every flag false and every time NaN.
void invalidEvents(RiseTransitSet& events);

}  // namespace dockorrery::detail
