// The astronomy library's routines beside libnova's equivalents, by Google Benchmark, with the
// accuracy of each against the Astronomy Engine fixture of tests/data.
#pragma once

#include <map>
#include <string>

// Registers one benchmark per routine and contender ("library/ours/...", "library/libnova/..."),
// to run with the others; false, with the reason on stderr, when the rows timed and the rows of
// accuracy do not pair one to one by name.
[[nodiscard]] bool registerAstronomyBenchmarks();

// Prints the markdown table of the library's rows from the benchmarks' medians (by name, in
// nanoseconds for these) and the accuracy of both contenders against the fixture.
void printAstronomyTable(const std::map<std::string, double>& medians);
