// One idle frame's positions against the cosine floor and libnova, by Google Benchmark.
#pragma once

#include <cstddef>
#include <map>
#include <string>

// Median CPU time of one frame's positions in one view, in microseconds.
struct EphemerisFigures {
  const char* view;      // "IN" or "OUT"
  size_t cosines;        // terms evaluated per frame
  double ours;           // two dates in turn: caches and branch predictor warm
  double oursManyDates;  // a thousand dates in turn: caches warm, branches not learned
  double floor;
  double libnova;
};

// Runs these and every other registered benchmark with their usual console output, fills the
// IN and OUT figures and `medians` (every benchmark's median CPU time by name, in its own unit);
// takes Google Benchmark's own options from argv. False when argv holds something it doesn't
// know.
bool runEphemerisBenchmarks(int* argc, char** argv, EphemerisFigures figures[2],
                            std::map<std::string, double>& medians);
