// make bench: the cost of the running applet beside the floors of its design, printed as one
// markdown table. First the per-frame ephemeris benchmarks (Google Benchmark), then the applet
// and its floors side by side on private X servers (applet_bench.cpp): CPU per idle frame in
// both views, the servers' CPU, peak memory and the time to the first frame.
//
// The target row sets the applet against the design floor (its own frame code and X traffic,
// each position computed once) plus the hot ephemeris (the frame's positions as the benchmark
// loop computes them, caches warm): what the applet's frame would cost if nothing were lost
// to the sleep between frames. A context row adds the ephemeris over many dates instead, with
// the caches warm but the branch predictor not trained on the frame's path through the cosines.
//
// Then the astronomy library's routines beside libnova's (astronomy_bench.cpp).
//
// Usage: dockorrery_bench [--window=SECONDS] [--rounds=N] [--warmup=SECONDS] [--starts=N]
//                         [--applet=PATH] [--library-only] [Google Benchmark options]
// --library-only leaves out the applet and its floors (a few seconds instead of minutes).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/applet_bench.h"
#include "bench/astronomy_bench.h"
#include "bench/ephemeris_bench.h"

namespace {

constexpr double kCpuRatioTarget = 1.10;  // applet against design floor + hot ephemeris, at most
constexpr long kPeakTargetKiB = 4 * 1024;      // at most
constexpr double kFirstFrameTargetMs = 50.0;   // under
constexpr double kEphemerisRatioTarget = 1.3;  // ours against the cosine floor, at most

const char* holds(bool ok) { return ok ? "yes" : "**no**"; }

std::string processorName() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown processor";
}

// Takes this program's own options out of argv, leaving Google Benchmark's.
void takeOptions(int* argc, char** argv, AppletBenchOptions& options, bool& libraryOnly) {
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp(argv[i], "--window=", 9) == 0) {
      options.windowSeconds = std::atof(argv[i] + 9);
    } else if (std::strncmp(argv[i], "--rounds=", 9) == 0) {
      options.rounds = std::atoi(argv[i] + 9);
    } else if (std::strncmp(argv[i], "--warmup=", 9) == 0) {
      options.warmupSeconds = std::atof(argv[i] + 9);
    } else if (std::strncmp(argv[i], "--starts=", 9) == 0) {
      options.starts = std::atoi(argv[i] + 9);
    } else if (std::strncmp(argv[i], "--applet=", 9) == 0) {
      options.appletPath = argv[i] + 9;
    } else if (std::strcmp(argv[i], "--library-only") == 0) {
      libraryOnly = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  *argc = kept;
  argv[kept] = nullptr;
}

std::string loadAverage() {
  std::ifstream loadavg("/proc/loadavg");
  std::string one, five;
  loadavg >> one >> five;
  return one + " (1 min), " + five + " (5 min)";
}

// "median unit (smallest–largest)" of `values`, with `decimals` decimals.
std::string spread(const std::vector<double>& values, int decimals, const char* unit = "") {
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  char text[96];
  std::snprintf(text, sizeof text, "%.*f%s (%.*f–%.*f)", decimals, median(values), unit, decimals,
                *low, decimals, *high);
  return text;
}

// Element by element: a[i] / b[i].
std::vector<double> ratios(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> r;
  for (size_t i = 0; i < a.size(); ++i) r.push_back(a[i] / b[i]);
  return r;
}

void printTable(const AppletBenchOptions& options, const AppletFigures& a,
                const EphemerisFigures e[2], const std::string& loadBefore) {
  char date[16];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d", std::gmtime(&now));
  std::printf("\nPerformance, measured %s on %s (%u CPUs), load average %s before the X "
              "clients and %s after; every figure beside its reference from the same run.\n",
              date, processorName().c_str(), std::thread::hardware_concurrency(),
              loadBefore.c_str(), loadAverage().c_str());
  std::printf("CPU per idle frame: median of %d windows of %g s in each view (smallest–largest), "
              "after %.0f s of warm-up; recvmsg per frame then: applet %.1f, design floor "
              "%.1f.\n\n",
              options.rounds, options.windowSeconds, a.warmupSeconds, a.recvmsgPerFrame[kApplet],
              a.recvmsgPerFrame[kDesignFloor]);
  std::printf("| figure | dockorrery | reference | ratio | target | holds |\n");
  std::printf("|---|---|---|---|---|---|\n");

  const char* views[2] = {"IN", "OUT"};
  for (int v = 0; v < 2; ++v) {
    const std::vector<double>& applet = a.samples[kApplet][v].cpuUs;
    // The hot ephemeris is one figure of the whole run; each round adds it to its design floor.
    std::vector<double> target = a.samples[kDesignFloor][v].cpuUs;
    for (double& t : target) t += e[v].ours;
    const std::vector<double> ratio = ratios(applet, target);
    std::vector<double> share;
    for (size_t i = 0; i < applet.size(); ++i) {
      share.push_back(applet[i] * a.samples[kApplet][v].framesPerSecond[i] * 1e-4);
    }
    std::printf("| CPU per idle frame, %s view | %s, %.2f %% of a core | design floor + hot "
                "ephemeris: %s | %s | ≤ %.2f | %s |\n",
                views[v], spread(applet, 1, " µs").c_str(), median(share),
                spread(target, 1, " µs").c_str(),
                spread(ratio, 2).c_str(), kCpuRatioTarget, holds(median(ratio) <= kCpuRatioTarget));
    if (!std::isnan(e[v].oursManyDates)) {
      std::vector<double> unlearned = a.samples[kDesignFloor][v].cpuUs;
      for (double& t : unlearned) t += e[v].oursManyDates;
      std::printf("| CPU per idle frame, %s view | %.1f µs | design floor + ephemeris over many "
                  "dates: %s | %s | | |\n",
                  views[v], median(applet), spread(unlearned, 1, " µs").c_str(),
                  spread(ratios(applet, unlearned), 2).c_str());
    }
    const struct {
      BenchClient client;
      const char* name;
    } floors[] = {{kDesignFloor, "design floor"},
                  {kCopyingFloor, "copying floor"},
                  {kBareFloor, "bare floor"}};
    for (const auto& f : floors) {
      const std::vector<double>& reference = a.samples[f.client][v].cpuUs;
      std::printf("| CPU per idle frame, %s view | %.1f µs | %s: %s | %s | | |\n", views[v],
                  median(applet), f.name, spread(reference, 1, " µs").c_str(),
                  spread(ratios(applet, reference), 2).c_str());
    }
  }
  for (int v = 0; v < 2; ++v) {
    const std::vector<double>& applet = a.samples[kApplet][v].serverUs;
    for (BenchClient c : {kDesignFloor, kCopyingFloor}) {
      const std::vector<double>& reference = a.samples[c][v].serverUs;
      std::printf("| X server CPU per idle frame, %s view | %s | %s's server: %s | %s | | |\n",
                  views[v], spread(applet, 1, " µs").c_str(),
                  c == kDesignFloor ? "design floor" : "copying floor",
                  spread(reference, 1, " µs").c_str(),
                  spread(ratios(applet, reference), 2).c_str());
    }
  }
  std::printf("| peak resident memory | %.2f MiB | bare floor: %.2f MiB | %.2f | ≤ 4 MiB | %s |\n",
              a.appletPeakKiB / 1024.0, a.floorPeakKiB / 1024.0,
              static_cast<double>(a.appletPeakKiB) / static_cast<double>(a.floorPeakKiB),
              holds(a.appletPeakKiB <= kPeakTargetKiB));
  std::printf("| exec to first frame, median of %d | %.1f ms | bare floor, exec to window mapped: "
              "%.1f ms | %.2f | < %g ms | %s |\n",
              options.starts, a.appletFirstFrameMs, a.floorMappedMs,
              a.appletFirstFrameMs / a.floorMappedMs, kFirstFrameTargetMs,
              holds(a.appletFirstFrameMs < kFirstFrameTargetMs));
  for (int v = 0; v < 2; ++v) {
    // Any of them may be left out by --benchmark_filter.
    if (std::isnan(e[v].ours) || std::isnan(e[v].oursManyDates) || std::isnan(e[v].floor) ||
        std::isnan(e[v].libnova)) {
      continue;
    }
    const double ratio = e[v].ours / e[v].floor;
    std::printf("| hot ephemeris per frame, %s view (%zu terms) | %.2f µs | cosine floor: %.2f µs "
                "| %.2f | ≤ %g | %s |\n",
                e[v].view, e[v].cosines, e[v].ours, e[v].floor, ratio, kEphemerisRatioTarget,
                holds(ratio <= kEphemerisRatioTarget));
    std::printf("| hot ephemeris per frame, %s view | %.2f µs | libnova: %.2f µs | %.2f | | |\n",
                e[v].view, e[v].ours, e[v].libnova, e[v].ours / e[v].libnova);
    std::printf("| ephemeris per frame over many dates, %s view | %.2f µs | hot: %.2f µs "
                "| %.2f | | |\n",
                e[v].view, e[v].oursManyDates, e[v].ours, e[v].oursManyDates / e[v].ours);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  AppletBenchOptions options;
  options.appletPath = APPLET_PATH;
  options.designFloorPath = DESIGN_FLOOR_PATH;
  options.floorPath = FLOOR_CLIENT_PATH;
  bool libraryOnly = false;
  takeOptions(&argc, argv, options, libraryOnly);

  if (!registerAstronomyBenchmarks()) return 2;
  EphemerisFigures ephemeris[2];
  std::map<std::string, double> medians;
  if (!runEphemerisBenchmarks(&argc, argv, ephemeris, medians)) return 2;
  printAstronomyTable(medians);
  if (libraryOnly) return 0;
  std::printf("\nRunning the applet beside its floors: %g s of warm-up or more, %d rounds of "
              "2 x %g s, then %d starts of each...\n",
              options.warmupSeconds, options.rounds, options.windowSeconds, options.starts);
  std::fflush(stdout);
  const std::string loadBefore = loadAverage();
  try {
    printTable(options, measureApplet(options), ephemeris, loadBefore);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dockorrery_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
