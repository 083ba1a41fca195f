// The astronomy library beside libnova, one row per quantity: the median time of one call of
// each over a thousand instants from 1950 to 2050 taken in turn (so that libnova's nutation,
// which keeps its last answer for 0.1 day, computes each one), and the largest difference of
// each from Astronomy Engine over the fixture of tests/data, computed here the same way for both.
//
// libnova's habits, minded in the accuracy columns: its nutation and sidereal time take the
// instant as UT, and its apparent sidereal time multiplies delta psi by cos(delta epsilon) where
// cos(epsilon) belongs, so its equation of the equinoxes is about 8% too large.
#include "bench/astronomy_bench.h"

#include <benchmark/benchmark.h>
#include <libnova/libnova.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "astronomy/nutation.h"
#include "astronomy/sidereal.h"
#include "astronomy/time_scales.h"
#include "ephemeris/constants.h"
#include "tests/support/fixture_file.h"

namespace {

constexpr double kSecondsPerRadianOfTime = kSecondsPerDay / kTwoPi;

// A thousand instants from 1950 to 2050 at every time of day, the same every run.
const std::vector<double>& instants() {
  static const std::vector<double> jds = [] {
    std::vector<double> v;
    uint32_t x = 271828;
    for (int i = 0; i < 1000; ++i) {
      x = x * 1664525u + 1013904223u;  // a linear congruential sequence
      v.push_back(2433282.5 + 36525.0 * (x / 4294967296.0));
    }
    return v;
  }();
  return jds;
}

// One call of a routine at an instant (Julian Day); what it gives is kept from the optimizer.
using Call = std::function<void(double)>;

void timeCalls(benchmark::State& state, const Call& call) {
  const std::vector<double>& jds = instants();
  size_t i = 0;
  for (auto _ : state) {
    call(jds[i]);
    if (++i == jds.size()) i = 0;
  }
}

// The largest difference of a quantity over the fixture, for ours and for libnova.
struct Accuracy {
  double ours = 0.0, libnova = 0.0;
  void add(double oursDifference, double libnovaDifference) {
    ours = std::fmax(ours, std::fabs(oursDifference));
    libnova = std::fmax(libnova, std::fabs(libnovaDifference));
  }
};

// One row: the contenders, and the accuracy of both against the reference with its unit and
// what the reference is.
struct Row {
  const char* name;
  Call ours, libnova;
  std::function<Accuracy()> accuracy;
  const char* unit;
  const char* reference;
};

FixtureTable instantsTable() { return readFixtureTable(SOURCE_DIR, "astronomy_instants.csv"); }

// An angle difference in rad reduced into (-pi, pi].
double angleDifference(double a, double b) { return std::remainder(a - b, kTwoPi); }

const std::vector<Row>& rows() {
  static const std::vector<Row> table = {
      {"nutation",
       [](double jd) {
         Nutation n;
         computeNutation(n, jd);
         benchmark::DoNotOptimize(n);
       },
       [](double jd) {
         ln_nutation n;
         ln_get_nutation(jd, &n);
         benchmark::DoNotOptimize(n);
       },
       [] {
         Accuracy a;
         for (const auto& row : instantsTable().rows) {
           const double tt = fixtureNumber(row, "tt_jd"), ut = fixtureNumber(row, "ut_jd");
           Nutation n;
           computeNutation(n, tt);
           ln_nutation l;
           ln_get_nutation(ut, &l);
           a.add(n.longitude / kArcsecond - fixtureNumber(row, "dpsi"),
                 l.longitude * 3600.0 - fixtureNumber(row, "dpsi"));
           a.add(n.obliquity / kArcsecond - fixtureNumber(row, "deps"),
                 l.obliquity * 3600.0 - fixtureNumber(row, "deps"));
         }
         return a;
       },
       "″", "IAU 2000B, its five largest terms"},
      {"mean sidereal time",
       [](double jd) { benchmark::DoNotOptimize(meanSiderealTime(jd)); },
       [](double jd) { benchmark::DoNotOptimize(ln_get_mean_sidereal_time(jd)); },
       [] {
         Accuracy a;
         for (const auto& row : instantsTable().rows) {
           const double ut = fixtureNumber(row, "ut_jd");
           const double reference = fixtureNumber(row, "gast_hours") * 15.0 * kDegree -
                                    fixtureNumber(row, "ee_seconds") / kSecondsPerRadianOfTime;
           a.add(angleDifference(meanSiderealTime(ut), reference) * kSecondsPerRadianOfTime,
                 angleDifference(ln_get_mean_sidereal_time(ut) * 15.0 * kDegree, reference) *
                     kSecondsPerRadianOfTime);
         }
         return a;
       },
       "s", "IAU 2006"},
      {"apparent sidereal time",
       [](double jd) { benchmark::DoNotOptimize(apparentSiderealTime(jd)); },
       [](double jd) { benchmark::DoNotOptimize(ln_get_apparent_sidereal_time(jd)); },
       [] {
         Accuracy a;
         for (const auto& row : instantsTable().rows) {
           const double ut = fixtureNumber(row, "ut_jd");
           const double reference = fixtureNumber(row, "gast_hours") * 15.0 * kDegree;
           a.add(angleDifference(apparentSiderealTime(ut), reference) * kSecondsPerRadianOfTime,
                 angleDifference(ln_get_apparent_sidereal_time(ut) * 15.0 * kDegree, reference) *
                     kSecondsPerRadianOfTime);
         }
         return a;
       },
       "s", "IAU 2006 with IAU 2000B"},
      {"delta T",
       [](double jd) { benchmark::DoNotOptimize(deltaT(jd)); },
       [](double jd) { benchmark::DoNotOptimize(ln_get_dynamical_time_diff(jd)); },
       [] {
         Accuracy a;
         for (const auto& row : readFixtureTable(SOURCE_DIR, "astronomy_delta_t.csv").rows) {
           const double ut = fixtureNumber(row, "ut_jd");
           if (ut < 2415020.5 || ut >= 2488069.5) continue;  // 1900 to 2099
           const double reference = fixtureNumber(row, "delta_t");
           a.add(deltaT(ut) - reference, ln_get_dynamical_time_diff(ut) - reference);
         }
         return a;
       },
       "s", "Espenak and Meeus, 1900–2099"},
  };
  return table;
}

std::string benchmarkName(const char* contender, const Row& row) {
  return std::string("library/") + contender + "/" + row.name;
}

}  // namespace

void registerAstronomyBenchmarks() {
  for (const Row& row : rows()) {
    for (const auto& [contender, call] : {std::pair{"ours", &row.ours}, {"libnova", &row.libnova}}) {
      benchmark::RegisterBenchmark(benchmarkName(contender, row).c_str(), timeCalls, *call)
          ->Unit(benchmark::kNanosecond)
          ->Repetitions(7)
          ->ReportAggregatesOnly(true);
    }
  }
}

void printAstronomyTable(const std::map<std::string, double>& medians) {
  std::printf("\nThe astronomy library beside libnova: CPU per call, median of 7 runs over a "
              "thousand instants of 1950–2050; largest difference from Astronomy Engine over the "
              "fixture of tests/data.\n\n");
  std::printf("| routine | ours | libnova | ratio | ours, largest difference | libnova, largest "
              "difference | reference |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  for (const Row& row : rows()) {
    const auto ours = medians.find(benchmarkName("ours", row));
    const auto libnova = medians.find(benchmarkName("libnova", row));
    if (ours == medians.end() || libnova == medians.end()) continue;  // left out by a filter
    const Accuracy accuracy = row.accuracy();
    std::printf("| %s | %.1f ns | %.1f ns | %.2f | %.3g %s | %.3g %s | %s |\n", row.name,
                ours->second, libnova->second, ours->second / libnova->second, accuracy.ours,
                row.unit, accuracy.libnova, row.unit, row.reference);
  }
  std::printf("\n");
}
