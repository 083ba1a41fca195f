// Astronomy Engine's jobs timed in Node (bench/astronomy-engine/time-jobs.mjs), for the rows of
// the library that have no libnova equivalent.
#pragma once

#include <map>
#include <string>
#include <vector>

// Nanoseconds per call of each named job, by the Node script; an empty map, with the reason on
// `why`, when Node or Astronomy Engine (tools/astronomy-fixture/node_modules) is missing or the
// script fails.
std::map<std::string, double> timeAstronomyEngine(const std::vector<std::string>& jobs,
                                                  std::string& why);
