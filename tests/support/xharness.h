// The harness for the real applet on a private X server: processes, servers, windows, pixels
// and input. Free of any test framework, so that the tests and the benchmarks both link it;
// tests/support/sanitizer_listener.cpp adds what only the tests need.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "applet/art/face_layout.h"

// A child process with its standard error collected into a temporary file.
struct Child {
  pid_t pid = -1;
  std::string stderrPath;
};

// Starts `argv` (argv[0] is the program path; an empty vector execs with no arguments at all)
// with `env` as its whole environment, in a process group of its own (signal -pid to reach
// whatever it started too). In a sanitized build `env` gains the options that send the
// program's sanitizer reports to the harness (tests/support/sanitizer_reports.h). The child gets
// SIGTERM when the thread that started it ends (call it from the test's own thread), so a test
// that dies leaves no server behind.
Child spawn(const std::string& path, const std::vector<std::string>& argv,
            const std::vector<std::string>& env);
// Waits for the child to end within `timeout`; returns its wait status, or -1 on timeout.
int waitChild(Child& child, std::chrono::milliseconds timeout);
// Kills the child (if still running) and reaps it.
void killChild(Child& child);
// What the child wrote to standard error so far.
std::string childStderr(const Child& child);

// A fresh directory /tmp/dockorrery-WHAT.XXXXXX, removed with everything in it when the record
// goes (or is assigned another). A default-made one holds none: path() is empty.
class TemporaryDirectory {
 public:
  TemporaryDirectory() = default;
  // Makes the directory; throws std::runtime_error when it can't.
  explicit TemporaryDirectory(const std::string& what);
  ~TemporaryDirectory();
  TemporaryDirectory(TemporaryDirectory&& other) noexcept;
  TemporaryDirectory& operator=(TemporaryDirectory&& other) noexcept;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The text of /proc/PID/`name` ("stat", "syscall", "status"); empty when there is none.
std::string processFile(pid_t pid, const std::string& name);
// The text of a field of /proc/PID/status after its colon ("SigIgn": a mask in hexadecimal).
// Throws std::runtime_error when the process has no such field (or has ended).
std::string processStatusText(pid_t pid, const std::string& field);
// A numeric field of /proc/PID/status: "VmRSS" or "VmHWM" in KiB, "voluntary_ctxt_switches" a
// count. Throws as processStatusText does.
long processStatusField(pid_t pid, const std::string& field);

// Stops the process `pid` (SIGSTOP) at a moment it sleeps in nanosleep, as the applet does at the
// end of each idle frame, so that whatever arrives meanwhile is taken between two frames; SIGCONT
// lets it go on. Returns false if it never found it asleep.
bool stopWhileSleeping(pid_t pid);

// The environment of this process, with `overrides` ("NAME=value" replaces, "NAME" removes).
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides);

// Polls `done` every 10 ms until it holds or `timeout` passes; returns its last answer.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Xvfb now and then refuses a connection (EAGAIN) when clients connect in quick succession.
// Every connection the harness makes or starts a program for is tried this many times.
constexpr int kConnectionAttempts = 5;

// A connection to the display `name`, tried again while it is refused; null once every attempt
// was refused.
Display* connectDisplay(const std::string& name);

// Whether a program that ended with `status` and `stderrText` did so because it could not open
// its display: the applet's "NAME: can't open display DISPLAY" and exit status 1.
bool refusedDisplay(int status, const std::string& stderrText);

// While one lives, X errors on any connection are ignored rather than ending the process through
// Xlib's default handler: for requests that may fail (a window going between being listed and
// being read, an image of a window not yet mapped). With a `display`, the requests made before
// are flushed first and those made meanwhile checked before the handler is put back, so that
// only the errors of the guarded requests are ignored.
class XErrorsIgnored {
 public:
  explicit XErrorsIgnored(Display* display = nullptr);
  ~XErrorsIgnored();
  XErrorsIgnored(const XErrorsIgnored&) = delete;
  XErrorsIgnored& operator=(const XErrorsIgnored&) = delete;

 private:
  Display* display_;
  XErrorHandler previous_;
};

// Whether `window` is mapped, and all the windows that hold it.
bool viewable(Display* display, Window window);

// A display number nobody serves, for a program of the harness that poses as a display (a
// protocol recorder, a connection refuser). Far above the numbers Xvfb -displayfd hands out, and
// claimed with the X servers' own lock file: such programs take over a socket without asking.
struct ClaimedDisplay {
  std::string name;        // ":M"
  std::string socketPath;  // /tmp/.X11-unix/XM, where the claimant is to listen
  std::string lockPath;
};
// Claims a free number; throws std::runtime_error when none is.
ClaimedDisplay claimDisplay();
// Removes the claim's lock file and whatever is left at its socket path.
void releaseDisplay(const ClaimedDisplay& claim);

// A private Xvfb on a free display number (-displayfd), stopped when destroyed.
class XServer {
 public:
  // `screen` as Xvfb's -screen 0 argument; `extra` further server arguments.
  explicit XServer(const std::string& screen = "320x240x24",
                   const std::vector<std::string>& extra = {});
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  const std::string& name() const { return name_; }  // ":N"
  Display* display() const { return display_; }      // the harness's own connection
  pid_t pid() const { return server_.pid; }
  // Ends the server with `signal` as a crash or a shutdown would, after closing the harness's
  // own connection (which would otherwise end this process through Xlib), and reaps it.
  void stop(int signal);

 private:
  Child server_;
  std::string name_;
  Display* display_ = nullptr;
};

// The applet under test: its process and its two windows.
struct Applet {
  Child process;
  Window mainWindow = 0;
  Window iconWindow = 0;
};

// Starts the program at `path` with `argv` and `env` as spawn does, and waits until `up` holds.
// When the program ends before that because it could not open its display (a refused
// connection), it is started again, up to kConnectionAttempts times; any other end, or no start
// within 10 s, throws std::runtime_error with the program's standard error.
Child startUntil(const std::string& path, const std::vector<std::string>& argv,
                 const std::vector<std::string>& env, const std::function<bool()>& up);

// A clock the test moves while the program runs: a file of its own holding the time, which
// libfaketime reads again at every reading of the program's clock.
class MovableClock {
 public:
  // Starts at `fakeTime`, as fakeClockEnvironment takes it: a time that stands still stays there
  // until set() moves it.
  explicit MovableClock(const std::string& fakeTime);
  // Every later reading of the clock gives `fakeTime`. The file is replaced in one step, so that
  // no reading finds it half written.
  void set(const std::string& fakeTime);
  const std::string& path() const { return path_; }

 private:
  TemporaryDirectory folder_;
  std::string path_;
};

// The variables that fix the clock of a program started with them at `fakeTime` through
// libfaketime, preloaded into the program itself (so that its pid is the program's, whose
// libfaketime segments killChild removes; the faketime command forks): "2000-01-01 12:00:00" stands
// still at that time, "@2000-01-01 12:00:00" starts there and runs. Throws std::runtime_error
// when libfaketime was not found.
std::vector<std::string> fakeClockEnvironment(const std::string& fakeTime);
// The same for a clock the test moves, as overrides for environmentWith (FAKETIME, which
// libfaketime would read before the file, is removed).
std::vector<std::string> fakeClockEnvironment(const MovableClock& clock);

// The path of the applet built in this tree (build/dockorrery).
const std::string& appletPath();

// Starts build/dockorrery (or the program at `program`) on `server` and waits until its main
// window carries its hints. With `fakeTime` its clock is fixed as fakeClockEnvironment says.
// Extra arguments follow argv[0].
Applet startApplet(XServer& server, const std::vector<std::string>& args = {},
                   const std::string& fakeTime = "", const std::string& program = "");
// The same with the clock that `clock` holds.
Applet startApplet(XServer& server, const std::vector<std::string>& args,
                   const MovableClock& clock);

// How a program run to its end ended: its wait status (-1: still running when `running` held or
// after the timeout, then killed) and its standard error.
struct Ending {
  int status = -1;
  std::string stderrText;
};

// Runs the program at `path` with `argv` and `env` as spawn does, to its end within `timeout`. An
// end that says the display could not be opened, where `expectedStderr` says otherwise, is a
// refused connection: the run is tried again, up to kConnectionAttempts times. With `running`, for
// a program meant to keep running, a run is also over once that holds: the program is killed
// there, and its status is -1.
Ending runToEnd(const std::string& path, const std::vector<std::string>& argv,
                const std::vector<std::string>& env, const std::string& expectedStderr,
                std::chrono::milliseconds timeout = std::chrono::seconds(10),
                const std::function<bool()>& running = nullptr);

// Top-level windows whose WM_CLASS name is `resName`, searched through the whole tree.
std::vector<Window> findWindowsByClass(Display* display, const std::string& resName);

// The kFaceSize x kFaceSize face of `window` as 0xRRGGBB pixels, row by row.
using Face = std::vector<uint32_t>;
Face grabFace(Display* display, Window window);
inline uint32_t pixelAt(const Face& face, int x, int y) {
  return face[y * dockorrery::kFaceSize + x];
}

// The readout decoded from its ten cells: digits, '.' for the point glyph, ' ' for a blank cell,
// '?' for anything else (a dot over a digit, say).
std::string readoutText(const Face& face);
// The view label: "IN", "OUT", or "?" when it is neither.
std::string labelText(const Face& face);

// Sends `window` a ButtonPress of `button` at face coordinates (x, y) with XSendEvent, to the
// client that asked for presses on it (the applet): the pointer stays, and no host sees a click.
// Returns once the server has taken the event.
void sendPress(Display* display, Window window, int x, int y, unsigned button);
// Sends `window` an Expose of the whole face with XSendEvent, as sendPress does.
void sendExpose(Display* display, Window window);
// Sends a ClientMessage with XSendEvent to the client that made `window`, which the applet takes
// and ignores; returns once the server has taken it.
void sendClientMessage(Display* display, Window window);

// Moves the pointer to face coordinates (x, y) of `window` through XTest.
void movePointer(Display* display, Window window, int x, int y);
// Presses and releases `button` at face coordinates (x, y) of `window` through XTest.
void click(Display* display, Window window, int x, int y, unsigned button);

// Waits until the readout of `window` reads `text`; returns the last text seen.
std::string waitForReadout(Display* display, Window window, const std::string& text,
                           std::chrono::milliseconds timeout = std::chrono::seconds(5));

// A window of a client of its own, as the user's terminal would be: mapped on the root window at
// (x, y), asking for the keys typed into it.
struct KeyboardClient {
  Display* display = nullptr;  // its own connection
  Window window = 0;
};
// Opens it on the display `name` and waits until it is viewable; throws std::runtime_error when
// it can't connect.
KeyboardClient openKeyboardClient(const std::string& name, int x, int y);
void closeKeyboardClient(KeyboardClient& client);

// The window that holds the keyboard focus (or PointerRoot, or None), read after a round trip.
Window focusWindow(Display* display);

// Moves the pointer through XTest from outside into the middle of each of `windows` and out
// again, `times` times over. Returns how many of those crossings the server reported: an
// EnterNotify for one of `windows`, seen by a connection of its own after a round trip.
int crossWindows(Display* display, const std::vector<Window>& windows, int times);

// Types `count` keys (presses and releases of the key for 'a') through XTest, and waits until
// `client`'s window has received that many key presses; returns how many it received.
int typeKeys(Display* display, KeyboardClient& client, int count);
