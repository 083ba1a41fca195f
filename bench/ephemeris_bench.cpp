// Cost of one idle frame's positions, IN view (Sun, Mercury..Mars) and OUT view (Sun,
// Jupiter..Neptune), against two yardsticks:
//   floor    std::cos over the same arguments, precomputed, summed into one value: the work
//            that cannot be avoided at one cosine per term;
//   libnova  its heliocentric positions of the same planets, a library a user could pick instead.
// Frames alternate between two dates so that nothing can be carried over from one to the next.
// The branch predictor still learns both dates' paths through the cosine (which takes one of
// several, by the range and quadrant of its argument), as it never can across the running
// applet's 10 ms sleeps; "ours over many dates" takes each frame's date from a thousand, so that
// only the caches stay warm.
// The medians go into the performance table, with the ratios ours/floor and ours/libnova.
#include "bench/ephemeris_bench.h"

#include <benchmark/benchmark.h>
#include <libnova/libnova.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ephemeris/position.h"
#include "ephemeris/series.h"

using namespace dockorrery;

namespace {

struct View {
  const char* name;
  int bodies[5];
};
constexpr View kViews[2] = {{"IN", {0, 1, 2, 3, 4}}, {"OUT", {0, 5, 6, 7, 8}}};
constexpr double kFrameJd[2] = {2460677.0, 2460678.0};  // 2025 January 1 and 2, 12:00

using HelioCoords = void (*)(double, struct ln_helio_posn*);
const HelioCoords kLibnova[9] = {
    nullptr,  // the Sun is the origin
    ln_get_mercury_helio_coords, ln_get_venus_helio_coords,  ln_get_earth_helio_coords,
    ln_get_mars_helio_coords,    ln_get_jupiter_helio_coords, ln_get_saturn_helio_coords,
    ln_get_uranus_helio_coords,  ln_get_neptune_helio_coords,
};

// Every cosine argument C * tau + B that the frame evaluates, in evaluation order.
std::vector<double> frameArguments(const View& view, double jd) {
  const double tau = (jd - 2451545.0) / 36525.0 / 10.0;
  std::vector<double> arguments;
  for (int body : view.bodies) {
    if (body == 0) continue;
    for (const Series& series : kPlanetTheories[body - 1].series) {
      for (int32_t i = 0; i < series.count; ++i) {
        arguments.push_back(series.terms[i].C * tau + series.terms[i].B);
      }
    }
  }
  return arguments;
}

void oursFrame(benchmark::State& state, const View& view) {
  BodyPosition position{};
  unsigned frame = 0;
  for (auto _ : state) {
    const double jd = kFrameJd[frame ^= 1];
    for (int body : view.bodies) {
      computeBodyPosition(position, body, jd);
      benchmark::DoNotOptimize(position);
    }
  }
}

// A thousand dates from 1950 to 2050, the same every run.
std::vector<double> manyDates() {
  std::vector<double> dates;
  uint32_t x = 12345;
  for (int i = 0; i < 1000; ++i) {
    x = x * 1664525u + 1013904223u;  // a linear congruential sequence
    dates.push_back(2433283.0 + static_cast<double>(x % 36525u));
  }
  return dates;
}

void oursManyDatesFrame(benchmark::State& state, const View& view) {
  const std::vector<double> dates = manyDates();
  BodyPosition position{};
  size_t frame = 0;
  for (auto _ : state) {
    const double jd = dates[frame++ % dates.size()];
    for (int body : view.bodies) {
      computeBodyPosition(position, body, jd);
      benchmark::DoNotOptimize(position);
    }
  }
}

void floorFrame(benchmark::State& state, const View& view) {
  const std::vector<double> arguments[2] = {frameArguments(view, kFrameJd[0]),
                                            frameArguments(view, kFrameJd[1])};
  state.counters["cosines"] = static_cast<double>(arguments[0].size());
  unsigned frame = 0;
  for (auto _ : state) {
    double sum = 0.0;
    for (double x : arguments[frame ^= 1]) sum += std::cos(x);
    benchmark::DoNotOptimize(sum);
  }
}

void libnovaFrame(benchmark::State& state, const View& view) {
  struct ln_helio_posn position {};
  unsigned frame = 0;
  for (auto _ : state) {
    const double jd = kFrameJd[frame ^= 1];
    for (int body : view.bodies) {
      if (body == 0) continue;
      kLibnova[body](jd, &position);
      benchmark::DoNotOptimize(position);
    }
  }
}

struct Contender {
  std::string prefix;
  void (*run)(benchmark::State&, const View&);
};

// The console output as usual, plus the median CPU time of every benchmark, by name.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medians;  // microseconds

  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(reports);
  }
};

}  // namespace

bool runEphemerisBenchmarks(int* argc, char** argv, EphemerisFigures figures[2],
                            std::map<std::string, double>& medians) {
  for (const View& view : kViews) {
    const std::string name = view.name;
    const Contender contenders[] = {{"ours/", oursFrame}, {"ours-many-dates/", oursManyDatesFrame},
                                    {"floor/", floorFrame},
                                    {"libnova/", libnovaFrame}};
    for (const Contender& c : contenders) {
      benchmark::RegisterBenchmark((c.prefix + name).c_str(), c.run, view)
          ->Unit(benchmark::kMicrosecond)
          ->Repetitions(7)
          ->ReportAggregatesOnly(true);
    }
  }
  benchmark::Initialize(argc, argv);
  if (benchmark::ReportUnrecognizedArguments(*argc, argv)) return false;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  medians = reporter.medians;

  auto find = [&](const std::string& name) {
    const auto it = reporter.medians.find(name);
    return it == reporter.medians.end() ? NAN : it->second;
  };
  for (int v = 0; v < 2; ++v) {
    const std::string name = kViews[v].name;
    figures[v] = {kViews[v].name, frameArguments(kViews[v], kFrameJd[0]).size(),
                  find("ours/" + name), find("ours-many-dates/" + name), find("floor/" + name),
                  find("libnova/" + name)};
  }
  return true;
}
