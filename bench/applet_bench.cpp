// The applet and its floors (applet_bench.h), each on a private Xvfb of its own, all running
// at the same time, so that a busy machine slows them alike and what each one's requests cost
// its server shows apart.
//   files   every client runs from a copy of its binary of its own: two processes mapping one
//           file share its pages and cache lines and flatter each other.
//   regime  libX11 changes behaviour once a connection has sent about 65,536 requests (from
//           then on each XPending and XCheckTypedWindowEvent reads the socket twice). The applet
//           and the design floor get there after half a minute; the measurement starts only
//           once strace shows both there, so that all windows are in the same regime.
//   CPU     the process's own accounting, user + system, read through its CPU-time clock, per
//           idle frame: each frame ends in one sleep, so the frames of a window are the
//           process's voluntary context switches in it. Rounds of one window in each view, the
//           order of the views alternating from round to round (IN OUT, OUT IN, ...); a left
//           press at face (30, 30) switches the view, on every client alike.
//   memory  VmHWM of /proc/PID/status once the windows are over.
//   start   from just before the fork until the readout's pixels are on the main window, caught
//           by the Damage extension on the copy that puts them there; the floor client's start,
//           to its window being mapped, is timed in turn with the applet's.
#include "bench/applet_bench.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "applet/art/face_layout.h"
#include "tests/support/xharness.h"

using namespace dockorrery;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kPressX = 30;  // outside the readout: a left press there switches the view
constexpr int kPressY = 30;
constexpr double kRegimeRecvmsg = 7.5;  // per frame: 5 before libX11's change, 10 after
constexpr double kWarmupLimitSeconds = 150.0;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

void sleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// User + system time of a running process, in seconds.
double cpuSeconds(pid_t pid) {
  clockid_t clock;
  timespec now;
  if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &now) != 0) {
    throw std::runtime_error("no CPU clock for process " + std::to_string(pid));
  }
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// A private copy of the binary at `from`, executable, in `directory`.
std::string copyBinary(const std::string& from, const std::string& directory,
                       const std::string& name) {
  const std::string to = directory + "/" + name;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(to, std::filesystem::perms::owner_all);
  return to;
}

// A mapped top-level window of `server` whose class name is `resName`, or 0.
Window mappedWindow(XServer& server, const std::string& resName) {
  for (Window w : findWindowsByClass(server.display(), resName)) {
    if (viewable(server.display(), w)) return w;
  }
  return 0;
}

// One client running on a server of its own, from its own copy of its binary.
struct RunningClient {
  XServer server;
  Child process;
  Window window = 0;  // the applet's main window, or the floor client's window
};

void startClient(RunningClient& client, const std::string& path,
                 const std::vector<std::string>& args) {
  std::vector<std::string> argv = {path};
  argv.insert(argv.end(), args.begin(), args.end());
  client.process = startUntil(path, argv, environmentWith({"DISPLAY=" + client.server.name()}),
                              [&] { return (client.window = mappedWindow(client.server, path)); });
}

// Calls of recvmsg per idle frame (per clock_nanosleep) of the applet and of the design floor
// over the same second, as strace counts them.
void countRecvmsgPerFrame(const RunningClient clients[], double perFrame[2]) {
  const TemporaryDirectory counted("strace");
  std::string paths[2];
  Child straces[2];
  for (int c : {kApplet, kDesignFloor}) {
    paths[c] = counted.path() + "/counts." + std::to_string(c);
    // SIGINT makes strace detach and write its counts; the process goes on as before.
    straces[c] = spawn("/usr/bin/timeout",
                       {"timeout", "-s", "INT", "1", "strace", "-c", "-o", paths[c], "-e",
                        "trace=recvmsg,clock_nanosleep", "-p",
                        std::to_string(clients[c].process.pid)},
                       environmentWith({}));
  }
  for (int c : {kApplet, kDesignFloor}) {
    const int status = waitChild(straces[c], std::chrono::seconds(10));
    killChild(straces[c]);
    std::ifstream counts(paths[c]);
    std::string line;
    double recvmsg = 0, sleeps = 0;
    while (std::getline(counts, line)) {
      std::istringstream fields(line);
      std::vector<std::string> words;
      for (std::string word; fields >> word;) words.push_back(word);
      // % time, seconds, usecs/call, calls, [errors,] syscall
      if (words.size() < 5) continue;
      if (words.back() == "recvmsg") recvmsg = std::atof(words[3].c_str());
      if (words.back() == "clock_nanosleep") sleeps = std::atof(words[3].c_str());
    }
    if (sleeps == 0) {
      throw std::runtime_error("strace counted no frames (status " + std::to_string(status) +
                               "); is strace installed?");
    }
    perFrame[c] = recvmsg / sleeps;
  }
}

struct Reading {
  double cpu, serverCpu;  // seconds
  long frames;            // voluntary context switches: one sleep per frame
  Clock::time_point when;
};

Reading readClient(RunningClient& client) {
  return {cpuSeconds(client.process.pid), cpuSeconds(client.server.pid()),
          processStatusField(client.process.pid, "voluntary_ctxt_switches"), Clock::now()};
}

// Presses every client's face at the same place and checks that the applet now shows `label`
// and that the design floor shows the applet's face, pixel for pixel.
void switchView(RunningClient clients[], const std::string& label) {
  for (int c = 0; c < kBenchClients; ++c) {
    click(clients[c].server.display(), clients[c].window, kPressX, kPressY, Button1);
  }
  const bool same = waitUntil(
      [&] {
        const Face applet = grabFace(clients[kApplet].server.display(), clients[kApplet].window);
        return labelText(applet) == label &&
               grabFace(clients[kDesignFloor].server.display(), clients[kDesignFloor].window) ==
                   applet;
      },
      std::chrono::seconds(3));
  if (!same) {
    throw std::runtime_error("the design floor does not show the applet's face in " + label);
  }
}

void measureCpu(const AppletBenchOptions& options, AppletFigures& figures) {
  const TemporaryDirectory copies("bench");
  const std::string& directory = copies.path();
  const std::string paths[kBenchClients] = {
      copyBinary(options.appletPath, directory, "dockorrery"),
      copyBinary(options.designFloorPath, directory, "design_floor"),
      copyBinary(options.floorPath, directory, "copying_floor"),
      copyBinary(options.floorPath, directory, "bare_floor")};
  const std::vector<std::string> args[kBenchClients] = {{}, {}, {"copies"}, {}};

  RunningClient clients[kBenchClients];
  for (int c = 0; c < kBenchClients; ++c) startClient(clients[c], paths[c], args[c]);
  const auto started = Clock::now();
  switchView(clients, "OUT");  // both views drawn once, and the faces compared in each
  switchView(clients, "IN");

  // Warm-up: until both the applet and the design floor are past libX11's change of regime.
  sleepSeconds(options.warmupSeconds);
  for (;;) {
    countRecvmsgPerFrame(clients, figures.recvmsgPerFrame);
    figures.warmupSeconds = std::chrono::duration<double>(Clock::now() - started).count();
    if (std::min(figures.recvmsgPerFrame[0], figures.recvmsgPerFrame[1]) > kRegimeRecvmsg) break;
    if (figures.warmupSeconds > kWarmupLimitSeconds) {
      throw std::runtime_error("the applet did not reach libX11's second regime");
    }
    sleepSeconds(4.0);
  }
  sleepSeconds(2.0);  // past strace's detaching

  int view = 0;  // IN
  for (int round = 0; round < options.rounds; ++round) {
    for (int k = 0; k < 2; ++k) {
      const int next = round % 2 == 0 ? k : 1 - k;
      if (next != view) {
        view = next;
        switchView(clients, view == 0 ? "IN" : "OUT");
        sleepSeconds(0.5);
      }
      Reading before[kBenchClients], after[kBenchClients];
      for (int c = 0; c < kBenchClients; ++c) before[c] = readClient(clients[c]);
      sleepSeconds(options.windowSeconds);
      for (int c = 0; c < kBenchClients; ++c) after[c] = readClient(clients[c]);
      for (int c = 0; c < kBenchClients; ++c) {
        if (waitChild(clients[c].process, milliseconds(0)) != -1) {
          throw std::runtime_error("a client ended during the measurement");
        }
        const double frames = static_cast<double>(after[c].frames - before[c].frames);
        const double seconds =
            std::chrono::duration<double>(after[c].when - before[c].when).count();
        ViewSamples& s = figures.samples[c][view];
        s.cpuUs.push_back(1e6 * (after[c].cpu - before[c].cpu) / frames);
        s.serverUs.push_back(1e6 * (after[c].serverCpu - before[c].serverCpu) / frames);
        s.framesPerSecond.push_back(frames / seconds);
      }
    }
  }
  figures.appletPeakKiB = processStatusField(clients[kApplet].process.pid, "VmHWM");
  figures.floorPeakKiB = processStatusField(clients[kBareFloor].process.pid, "VmHWM");
  for (RunningClient& client : clients) killChild(client.process);
}

// The harness's view of one server for timing starts: top-level windows as they come, and
// damage to them.
struct StartWatcher {
  Display* display;
  Window root;
  int damageEventBase = 0;

  explicit StartWatcher(const std::string& name) : display(connectDisplay(name)) {
    if (display == nullptr) throw std::runtime_error("can't connect to " + name);
    root = DefaultRootWindow(display);
    int errorBase;
    if (!XDamageQueryExtension(display, &damageEventBase, &errorBase)) {
      throw std::runtime_error("no Damage extension on " + name);
    }
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
  }
  StartWatcher(const StartWatcher&) = delete;
  StartWatcher& operator=(const StartWatcher&) = delete;
  ~StartWatcher() { XCloseDisplay(display); }

  // The next event before `deadline`; false when none came.
  bool nextEvent(XEvent& event, Clock::time_point deadline) {
    for (;;) {
      if (XPending(display) > 0) {
        XNextEvent(display, &event);
        return true;
      }
      const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd incoming = {ConnectionNumber(display), POLLIN, 0};
      poll(&incoming, 1, static_cast<int>(left));
    }
  }

  // Drops every queued event up to the destruction of `window` (none: up to now).
  void awaitDestroyed(Window window) {
    XSync(display, False);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    XEvent event;
    while (window != 0 && nextEvent(event, deadline)) {
      if (event.type == DestroyNotify && event.xdestroywindow.window == window) break;
    }
    while (XPending(display) > 0) XNextEvent(display, &event);
  }
};

// The readout's pixels, all its glyph cells; empty when they can't be read (a window not yet
// mapped).
std::vector<unsigned long> readoutPixels(Display* display, Window window) {
  std::vector<unsigned long> values;
  XImage* image = XGetImage(display, window, kReadoutX, kReadoutY, kReadoutWidth, kGlyphHeight,
                            AllPlanes, ZPixmap);
  if (image == nullptr) return values;
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int column = 0; column < kReadoutWidth; ++column) {
      values.push_back(XGetPixel(image, column, row));
    }
  }
  XDestroyImage(image);
  return values;
}

// Milliseconds from just before the fork of `path` to the first copy that leaves `readout` on
// its new top-level window or, with `readout` empty, to that window being mapped; negative when
// that doesn't happen within 5 s.
double timeStart(XServer& server, StartWatcher& watcher, const std::string& path,
                 const std::vector<unsigned long>& readout) {
  const auto start = Clock::now();
  Child client = spawn(path, {path}, environmentWith({"DISPLAY=" + server.name()}));
  const auto deadline = start + std::chrono::seconds(5);
  Window window = 0;
  double elapsed = -1.0;
  XEvent event;
  while (elapsed < 0 && watcher.nextEvent(event, deadline)) {
    const auto seen = Clock::now();
    if (event.type == CreateNotify && event.xcreatewindow.parent == watcher.root && window == 0) {
      window = event.xcreatewindow.window;
      if (readout.empty()) continue;
      XDamageCreate(watcher.display, window, XDamageReportRawRectangles);
      // A frame copied before the damage object existed shows only in the pixels.
      if (readoutPixels(watcher.display, window) == readout) {
        elapsed = millisecondsBetween(start, Clock::now());
      }
    } else if (readout.empty()) {
      if (event.type == MapNotify && window != 0 && event.xmap.window == window) {
        elapsed = millisecondsBetween(start, seen);
      }
    } else if (event.type == watcher.damageEventBase + XDamageNotify && window != 0 &&
               reinterpret_cast<XDamageNotifyEvent&>(event).drawable == window) {
      if (readoutPixels(watcher.display, window) == readout) {
        elapsed = millisecondsBetween(start, seen);
      }
    }
  }
  killChild(client);
  watcher.awaitDestroyed(window);
  return elapsed;
}

// What the readout shows once the applet runs: the pixels its first frame must put on screen.
std::vector<unsigned long> settledReadout(XServer& server, StartWatcher& watcher,
                                          const std::string& path) {
  Child applet = startUntil(path, {path}, environmentWith({"DISPLAY=" + server.name()}),
                            [&] { return mappedWindow(server, path) != 0; });
  sleepSeconds(0.5);
  const Window window = mappedWindow(server, path);
  std::vector<unsigned long> readout = readoutPixels(server.display(), window);
  killChild(applet);
  watcher.awaitDestroyed(window);
  if (readout.empty() || std::count(readout.begin(), readout.end(), readout[0]) ==
                             static_cast<long>(readout.size())) {
    throw std::runtime_error("the applet shows no readout");
  }
  return readout;
}

void measureStarts(const AppletBenchOptions& options, AppletFigures& figures) {
  XServer server;
  StartWatcher watcher(server.name());
  std::vector<unsigned long> readout = settledReadout(server, watcher, options.appletPath);
  timeStart(server, watcher, options.floorPath, {});  // both binaries and libraries in memory
  std::vector<double> applet, floorClient;
  for (int i = 0; i < options.starts; ++i) {
    // A miss is a refused connection or a date moved on at midnight UTC: try again.
    double elapsed = -1.0;
    for (int attempt = 0; elapsed < 0 && attempt < kConnectionAttempts; ++attempt) {
      if (attempt > 0) readout = settledReadout(server, watcher, options.appletPath);
      elapsed = timeStart(server, watcher, options.appletPath, readout);
    }
    if (elapsed < 0) throw std::runtime_error("the applet's first frame never showed");
    applet.push_back(elapsed);
    double mapped = -1.0;
    for (int attempt = 0; mapped < 0 && attempt < kConnectionAttempts; ++attempt) {
      mapped = timeStart(server, watcher, options.floorPath, {});
    }
    if (mapped < 0) throw std::runtime_error("the floor client's window never showed");
    floorClient.push_back(mapped);
  }
  figures.appletFirstFrameMs = median(applet);
  figures.floorMappedMs = median(floorClient);
}

}  // namespace

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

AppletFigures measureApplet(const AppletBenchOptions& options) {
  // Requests that fail (an image of a window not yet mapped, a damage object gone with its
  // window) are expected while timing starts, on whichever connection makes them.
  const XErrorsIgnored ignored;
  AppletFigures figures{};
  measureCpu(options, figures);
  measureStarts(options, figures);
  return figures;
}
