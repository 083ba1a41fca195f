// The running applet measured on private X servers, beside the floors of its design.
#pragma once

#include <string>
#include <vector>

// The clients measured side by side, each on an X server of its own.
enum BenchClient {
  kApplet,        // the program as built
  kDesignFloor,   // the applet's own code and X traffic, each position computed once
  kCopyingFloor,  // the loop and the frame's two window copies, nothing drawn
  kBareFloor,     // the loop alone: polling and sleeping
  kBenchClients
};

struct AppletBenchOptions {
  std::string appletPath;
  std::string designFloorPath;
  std::string floorPath;
  double warmupSeconds = 40.0;  // at least this long before the first window
  double windowSeconds = 10.0;  // length of each CPU window
  int rounds = 6;               // each a window in each view, the order alternating
  int starts = 20;              // starts timed for each of applet and floor client
};

// Figures of one client in one view, one entry per round: microseconds of CPU per idle frame
// (user + system), of the client and of its X server.
struct ViewSamples {
  std::vector<double> cpuUs;
  std::vector<double> serverUs;
  std::vector<double> framesPerSecond;
};

struct AppletFigures {
  ViewSamples samples[kBenchClients][2];  // [client][IN view, OUT view]
  double recvmsgPerFrame[2];  // applet and design floor once warmed up: 10 past libX11's change
  double warmupSeconds;       // how long the warm-up took
  long appletPeakKiB;
  long floorPeakKiB;          // the bare floor's
  double appletFirstFrameMs;  // median, exec to the readout's pixels on the window
  double floorMappedMs;       // median, exec to the floor client's window mapped
};

// The median of `values` (the mean of the middle two for an even count); needs one value at least.
double median(std::vector<double> values);

// Runs the whole measurement; throws std::runtime_error when something doesn't come up.
AppletFigures measureApplet(const AppletBenchOptions& options);
