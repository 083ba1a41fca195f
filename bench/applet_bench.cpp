// The applet, the floor client and the copying floor client (floor_client.cpp), each on a
// private Xvfb of its own, so that what each one's requests cost its server shows apart.
//   CPU     the process's own accounting, user + system, read through its CPU-time clock: the
//           same sum as utime + stime of /proc/PID/stat, at nanosecond rather than 10 ms
//           resolution. One window in the IN view, then a press at face (30, 30) and one window
//           in the OUT view; the three clients run at the same time, so a busy machine slows
//           them alike.
//   memory  VmHWM of /proc/PID/status once both windows are over.
//   start   from just before the fork until the readout's pixels are on the main window, caught
//           by the Damage extension on the copy that puts them there; the floor client's start,
//           to its window being mapped, is timed in turn with the applet's.
#include "bench/applet_bench.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kPressX = 30;  // outside the readout: a left press there switches the view
constexpr int kPressY = 30;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

void sleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// A child process, stopped and reaped when the record goes.
struct OwnedProcess {
  pid_t pid = -1;
  int stopSignal = SIGKILL;  // SIGTERM lets an X server remove its socket and lock file

  OwnedProcess() = default;
  explicit OwnedProcess(pid_t p) : pid(p) {}
  OwnedProcess(const OwnedProcess&) = delete;
  OwnedProcess& operator=(const OwnedProcess&) = delete;
  ~OwnedProcess() { stop(); }

  void stop() {
    if (pid <= 0) return;
    kill(pid, stopSignal);
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
      if (Clock::now() > deadline) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        break;
      }
      std::this_thread::sleep_for(milliseconds(1));
    }
    pid = -1;
  }
  bool running() {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) != 0) pid = -1;  // ended, and now reaped
    return pid > 0;
  }
};

// Starts `argv` with DISPLAY set to `display` (empty: left as it is). `passFd`, when given,
// reaches the child as descriptor 3; every other descriptor above 2 is closed. The child gets
// SIGKILL when the harness ends, however it ends.
pid_t spawn(const std::vector<std::string>& argv, const std::string& display, int passFd = -1,
            bool quiet = false) {
  std::vector<std::string> environment;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "DISPLAY=", 8) != 0) environment.push_back(*e);
  }
  if (!display.empty()) environment.push_back("DISPLAY=" + display);
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    const int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, 0);
    if (quiet) {
      dup2(devNull, 1);
      dup2(devNull, 2);
    }
    int lowest = 3;
    if (passFd >= 0) {
      dup2(passFd, 3);
      lowest = 4;
    }
    close_range(lowest, ~0U, 0);
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
  }
  return pid;
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

// Peak resident set size in KiB.
long peakResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  throw std::runtime_error("no VmHWM for process " + std::to_string(pid));
}

// Requests that fail (an image of a window not yet mapped, a damage object gone with its window)
// are expected here; Xlib's default handler would end the harness.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

// A private Xvfb and the harness's connection to it, which follows the top-level windows.
struct XServer {
  OwnedProcess process;
  std::string name;
  Display* display = nullptr;
  Window root = 0;
  int damageEventBase = 0;

  XServer() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    // -displayfd: the server picks a free display and writes its number once it listens.
    process.stopSignal = SIGTERM;
    process.pid = spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "320x240x24", "-nolisten",
                         "tcp"},
                        "", fds[1], true);
    close(fds[1]);
    pollfd ready = {fds[0], POLLIN, 0};
    std::string number;
    char c;
    while (poll(&ready, 1, 10000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    name = ":" + number;
    display = XOpenDisplay(name.c_str());
    if (display == nullptr) throw std::runtime_error("can't connect to " + name);
    root = DefaultRootWindow(display);
    int errorBase;
    if (!XDamageQueryExtension(display, &damageEventBase, &errorBase)) {
      throw std::runtime_error("no Damage extension on " + name);
    }
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
  }
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  ~XServer() {
    if (display != nullptr) XCloseDisplay(display);
  }

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

  // The next top-level window created, once it is mapped.
  Window awaitMappedWindow() {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    Window window = 0;
    XEvent event;
    while (nextEvent(event, deadline)) {
      if (event.type == CreateNotify && event.xcreatewindow.parent == root && window == 0) {
        window = event.xcreatewindow.window;
      } else if (event.type == MapNotify && window != 0 && event.xmap.window == window) {
        return window;
      }
    }
    throw std::runtime_error("no window came up on " + name);
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

  // Raw pixel values of a rectangle of `window`; empty when it can't be read.
  std::vector<unsigned long> pixels(Window window, int x, int y, int width, int height) {
    std::vector<unsigned long> values;
    XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
    if (image == nullptr) return values;
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) values.push_back(XGetPixel(image, column, row));
    }
    XDestroyImage(image);
    return values;
  }

  // A left press and release at (x, y) of `window`, by the XTest extension.
  void press(Window window, int x, int y) {
    int rootX, rootY;
    Window child;
    XTranslateCoordinates(display, window, root, x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display, Button1, False, CurrentTime);
    XSync(display, False);
  }
};

// The ten 5x6 cells of the readout from (6, 50), and the view label's three from (7, 6).
std::vector<unsigned long> readoutPixels(XServer& server, Window window) {
  return server.pixels(window, 6, 50, 50, 6);
}
std::vector<unsigned long> labelPixels(XServer& server, Window window) {
  return server.pixels(window, 7, 6, 15, 6);
}

pid_t startClient(const std::string& path, const XServer& server,
                  const std::vector<std::string>& args = {}) {
  std::vector<std::string> argv = {path};
  argv.insert(argv.end(), args.begin(), args.end());
  return spawn(argv, server.name);
}

void measureCpu(const AppletBenchOptions& options, AppletFigures& figures) {
  // Applet, floor client, copying floor client: each on a server of its own, all at once.
  XServer servers[3];
  OwnedProcess clients[3];
  clients[0].pid = startClient(options.appletPath, servers[0]);
  clients[1].pid = startClient(options.floorPath, servers[1]);
  clients[2].pid = startClient(options.floorPath, servers[2], {"copies"});
  Window windows[3];
  for (int i = 0; i < 3; ++i) windows[i] = servers[i].awaitMappedWindow();
  sleepSeconds(1.0);  // past start-up and the first frames

  double* clientCpu[3] = {figures.appletCpu, figures.floorCpu, figures.copyingCpu};
  double* serverCpu[3] = {figures.appletServerCpu, figures.floorServerCpu,
                          figures.copyingServerCpu};
  for (int view = 0; view < 2; ++view) {
    if (view == 1) {
      const std::vector<unsigned long> inLabel = labelPixels(servers[0], windows[0]);
      for (int i = 0; i < 3; ++i) servers[i].press(windows[i], kPressX, kPressY);
      sleepSeconds(0.5);
      if (labelPixels(servers[0], windows[0]) == inLabel) {
        throw std::runtime_error("the press did not switch the applet to the OUT view");
      }
    }
    double before[6], after[6];
    for (int i = 0; i < 3; ++i) {
      before[i] = cpuSeconds(clients[i].pid);
      before[3 + i] = cpuSeconds(servers[i].process.pid);
    }
    sleepSeconds(options.windowSeconds);
    for (int i = 0; i < 3; ++i) {
      after[i] = cpuSeconds(clients[i].pid);
      after[3 + i] = cpuSeconds(servers[i].process.pid);
    }
    for (int i = 0; i < 3; ++i) {
      if (!clients[i].running()) throw std::runtime_error("a client ended during the measurement");
      clientCpu[i][view] = after[i] - before[i];
      serverCpu[i][view] = after[3 + i] - before[3 + i];
    }
  }
  figures.appletPeakKiB = peakResidentKiB(clients[0].pid);
  figures.floorPeakKiB = peakResidentKiB(clients[1].pid);
}

// What the readout shows once the applet runs: the pixels its first frame must put on screen.
std::vector<unsigned long> settledReadout(XServer& server, const std::string& path) {
  OwnedProcess applet(startClient(path, server));
  const Window window = server.awaitMappedWindow();
  sleepSeconds(0.5);
  std::vector<unsigned long> readout = readoutPixels(server, window);
  applet.stop();
  server.awaitDestroyed(window);
  if (std::count(readout.begin(), readout.end(), readout.empty() ? 0 : readout[0]) ==
      static_cast<long>(readout.size())) {
    throw std::runtime_error("the applet shows no readout");
  }
  return readout;
}

// Milliseconds from just before the fork to the first copy that leaves `readout` on the new
// top-level window; negative when that doesn't happen within 5 s.
double timeFirstFrame(XServer& server, const std::string& path,
                      const std::vector<unsigned long>& readout) {
  const auto start = Clock::now();
  OwnedProcess applet(startClient(path, server));
  const auto deadline = start + std::chrono::seconds(5);
  Window window = 0;
  double elapsed = -1.0;
  XEvent event;
  while (elapsed < 0 && server.nextEvent(event, deadline)) {
    const auto seen = Clock::now();
    if (event.type == CreateNotify && event.xcreatewindow.parent == server.root && window == 0) {
      window = event.xcreatewindow.window;
      XDamageCreate(server.display, window, XDamageReportRawRectangles);
      // A frame copied before the damage object existed shows only in the pixels.
      if (readoutPixels(server, window) == readout) elapsed = millisecondsBetween(start, Clock::now());
    } else if (event.type == server.damageEventBase + XDamageNotify && window != 0 &&
               reinterpret_cast<XDamageNotifyEvent&>(event).drawable == window) {
      if (readoutPixels(server, window) == readout) elapsed = millisecondsBetween(start, seen);
    }
  }
  applet.stop();
  server.awaitDestroyed(window);
  return elapsed;
}

// Milliseconds from just before the fork to the floor client's window being mapped.
double timeMapped(XServer& server, const std::string& path) {
  const auto start = Clock::now();
  OwnedProcess client(startClient(path, server));
  const Window window = server.awaitMappedWindow();
  const double elapsed = millisecondsBetween(start, Clock::now());
  client.stop();
  server.awaitDestroyed(window);
  return elapsed;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

void measureStarts(const AppletBenchOptions& options, AppletFigures& figures) {
  XServer server;
  std::vector<unsigned long> readout = settledReadout(server, options.appletPath);
  timeMapped(server, options.floorPath);  // both binaries and their libraries now in memory
  std::vector<double> applet, floorClient;
  for (int i = 0; i < options.starts; ++i) {
    double elapsed = timeFirstFrame(server, options.appletPath, readout);
    if (elapsed < 0) {  // the date may have moved on at midnight UTC
      readout = settledReadout(server, options.appletPath);
      elapsed = timeFirstFrame(server, options.appletPath, readout);
      if (elapsed < 0) throw std::runtime_error("the applet's first frame never showed");
    }
    applet.push_back(elapsed);
    floorClient.push_back(timeMapped(server, options.floorPath));
  }
  figures.appletFirstFrameMs = median(applet);
  figures.floorMappedMs = median(floorClient);
}

}  // namespace

AppletFigures measureApplet(const AppletBenchOptions& options) {
  XSetErrorHandler(ignoreXError);
  AppletFigures figures{};
  measureCpu(options, figures);
  measureStarts(options, figures);
  return figures;
}
