// The running applet measured on private X servers, each figure beside the floor client's.
#pragma once

#include <string>

struct AppletBenchOptions {
  std::string appletPath;
  std::string floorPath;
  double windowSeconds = 20.0;  // length of each CPU window
  int starts = 20;              // starts timed for each of applet and floor client
};

// CPU times in seconds over one window; peak memory in KiB; start times in milliseconds.
struct AppletFigures {
  double appletCpu[2];  // IN view, OUT view
  double floorCpu[2];
  double copyingCpu[2];  // the floor client copying a pixmap onto its windows every pass
  double appletServerCpu[2];  // the X server each one runs on
  double floorServerCpu[2];
  double copyingServerCpu[2];
  long appletPeakKiB;
  long floorPeakKiB;
  double appletFirstFrameMs;  // median, exec to the readout's pixels on the window
  double floorMappedMs;       // median, exec to the floor client's window mapped
};

// Runs the whole measurement; throws std::runtime_error when something doesn't come up.
AppletFigures measureApplet(const AppletBenchOptions& options);
