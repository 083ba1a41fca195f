// make bench: the cost of the running applet beside its floor, printed as one markdown table.
// First the per-frame ephemeris benchmarks (Google Benchmark, on a quiet machine), then the
// applet and the floor client on private X servers: CPU in both views, the servers' CPU, peak
// memory and the time to the first frame.
//
// Usage: dockorrery_bench [--window=SECONDS] [--starts=N] [--applet=PATH] [Google Benchmark options]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <fstream>
#include <string>
#include <thread>

#include "bench/applet_bench.h"
#include "bench/ephemeris_bench.h"

namespace {

constexpr double kCpuRatioTarget = 2.0;        // applet against the floor client, at most
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
void takeOptions(int* argc, char** argv, AppletBenchOptions& options) {
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (std::strncmp(argv[i], "--window=", 9) == 0) {
      options.windowSeconds = std::atof(argv[i] + 9);
    } else if (std::strncmp(argv[i], "--starts=", 9) == 0) {
      options.starts = std::atoi(argv[i] + 9);
    } else if (std::strncmp(argv[i], "--applet=", 9) == 0) {
      options.appletPath = argv[i] + 9;
    } else {
      argv[kept++] = argv[i];
    }
  }
  *argc = kept;
  argv[kept] = nullptr;
}

void printTable(const AppletBenchOptions& options, const AppletFigures& a,
                const EphemerisFigures e[2]) {
  char date[16];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d", std::gmtime(&now));
  std::printf("\nPerformance, measured %s on %s (%u CPUs); every figure beside its reference "
              "from the same run.\n\n",
              date, processorName().c_str(), std::thread::hardware_concurrency());
  std::printf("| figure | dockorrery | reference | ratio | target | holds |\n");
  std::printf("|---|---|---|---|---|---|\n");

  const char* views[2] = {"IN", "OUT"};
  const double window = options.windowSeconds;
  for (int v = 0; v < 2; ++v) {
    const double ratio = a.appletCpu[v] / a.floorCpu[v];
    std::printf("| CPU over %g s, %s view | %.1f ms (%.2f %%) | floor client: %.1f ms (%.2f %%) "
                "| %.2f | ≤ %g | %s |\n",
                window, views[v], 1e3 * a.appletCpu[v], 100.0 * a.appletCpu[v] / window,
                1e3 * a.floorCpu[v], 100.0 * a.floorCpu[v] / window, ratio, kCpuRatioTarget,
                holds(ratio <= kCpuRatioTarget));
    std::printf("| CPU over %g s, %s view | %.1f ms | copying floor client: %.1f ms | %.2f | | |\n",
                window, views[v], 1e3 * a.appletCpu[v], 1e3 * a.copyingCpu[v],
                a.appletCpu[v] / a.copyingCpu[v]);
  }
  for (int v = 0; v < 2; ++v) {
    // The floor client sends nothing: its server may not run at all in the window.
    char ratio[32] = "idle floor";
    if (a.floorServerCpu[v] > 0.0) {
      std::snprintf(ratio, sizeof ratio, "%.1f", a.appletServerCpu[v] / a.floorServerCpu[v]);
    }
    std::printf("| X server CPU over %g s, %s view | %.1f ms | floor client's server: %.1f ms "
                "| %s | | |\n",
                window, views[v], 1e3 * a.appletServerCpu[v], 1e3 * a.floorServerCpu[v], ratio);
    std::printf("| X server CPU over %g s, %s view | %.1f ms | copying floor client's server: "
                "%.1f ms | %.2f | | |\n",
                window, views[v], 1e3 * a.appletServerCpu[v], 1e3 * a.copyingServerCpu[v],
                a.appletServerCpu[v] / a.copyingServerCpu[v]);
  }
  std::printf("| peak resident memory | %.2f MiB | floor client: %.2f MiB | %.2f | ≤ 4 MiB | %s |\n",
              a.appletPeakKiB / 1024.0, a.floorPeakKiB / 1024.0,
              static_cast<double>(a.appletPeakKiB) / static_cast<double>(a.floorPeakKiB),
              holds(a.appletPeakKiB <= kPeakTargetKiB));
  std::printf("| exec to first frame, median of %d | %.1f ms | floor client, exec to window mapped: "
              "%.1f ms | %.2f | < %g ms | %s |\n",
              options.starts, a.appletFirstFrameMs, a.floorMappedMs,
              a.appletFirstFrameMs / a.floorMappedMs, kFirstFrameTargetMs,
              holds(a.appletFirstFrameMs < kFirstFrameTargetMs));
  for (int v = 0; v < 2; ++v) {
    if (std::isnan(e[v].ours)) continue;  // left out by --benchmark_filter
    const double ratio = e[v].ours / e[v].floor;
    std::printf("| ephemeris per frame, %s view (%zu terms) | %.2f µs | cosine floor: %.2f µs "
                "| %.2f | ≤ %g | %s |\n",
                e[v].view, e[v].cosines, e[v].ours, e[v].floor, ratio, kEphemerisRatioTarget,
                holds(ratio <= kEphemerisRatioTarget));
    std::printf("| ephemeris per frame, %s view | %.2f µs | libnova: %.2f µs | %.2f | | |\n",
                e[v].view, e[v].ours, e[v].libnova, e[v].ours / e[v].libnova);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  AppletBenchOptions options;
  options.appletPath = APPLET_PATH;
  options.floorPath = FLOOR_CLIENT_PATH;
  takeOptions(&argc, argv, options);

  EphemerisFigures ephemeris[2];
  if (!runEphemerisBenchmarks(&argc, argv, ephemeris)) return 2;
  std::printf("\nRunning the applet beside the floor clients for 2 x %g s, then %d starts of each...\n",
              options.windowSeconds, options.starts);
  std::fflush(stdout);
  try {
    printTable(options, measureApplet(options), ephemeris);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "dockorrery_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
