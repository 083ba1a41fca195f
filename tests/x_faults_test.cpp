// The applet against faults around it: its X server dying under it, a colormap without a free
// cell, and hostile command lines and environments.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "tests/support/xharness.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace dockorrery;

namespace {

using namespace std::chrono_literals;

const std::string kBinary = appletPath();

// The bytes of a property of 8-bit items, as stored (no conversion of any kind).
std::string rawProperty(Display* display, Window window, Atom property) {
  Atom type;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string bytes;
  if (XGetWindowProperty(display, window, property, 0, 1 << 22, False, AnyPropertyType, &type,
                         &format, &count, &remaining, &data) == Success &&
      data != nullptr) {
    if (format == 8) bytes.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return bytes;
}

// Equal bytes; on a difference, says where rather than printing kilobytes.
testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return testing::AssertionSuccess();
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) at++;
  return testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                     << " were expected, first difference at byte " << at;
}

// The top-level window whose WM_NAME is `name`, or 0. A window may be destroyed between being
// listed and being read (the windows of the case before going as its program ends): its
// BadWindow is expected here and must not end the test through Xlib.
Window windowNamed(Display* display, const std::string& name) {
  const XErrorsIgnored ignored(display);
  Window root, parent, *children = nullptr, found = 0;
  unsigned count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
    for (unsigned i = 0; i < count && found == 0; i++) {
      if (rawProperty(display, children[i], XA_WM_NAME) == name) found = children[i];
    }
    if (children != nullptr) XFree(children);
  }
  return found;
}

// WM_COMMAND as XSetCommand stores an argument vector: each element followed by a null byte.
std::string commandBytes(const std::vector<std::string>& argv) {
  std::string bytes;
  for (const std::string& arg : argv) bytes += arg + '\0';
  return bytes;
}

// Whether the process `pid` ignores `signal`.
bool ignoresSignal(pid_t pid, int signal) {
  return (std::stoull(processStatusText(pid, "SigIgn"), nullptr, 16) >> (signal - 1)) & 1;
}

TEST(ServerDeath, TheAppletEndsThroughXlibsDefaultHandler) {
  // A server that shuts down (SIGTERM) and one that crashes (SIGKILL).
  for (int signal : {SIGTERM, SIGKILL}) {
    SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGKILL");
    XServer server;
    Display* d = server.display();
    Applet applet = startApplet(server);
    ASSERT_TRUE(waitUntil([&] { return labelText(grabFace(d, applet.mainWindow)) == "IN"; }));
    // Some editing first: the leak check at the applet's exit then covers a run that did work.
    click(d, applet.mainWindow, 10, 55, 1);
    click(d, applet.mainWindow, 30, 30, 1);
    ASSERT_TRUE(waitUntil([&] { return labelText(grabFace(d, applet.mainWindow)) == "OUT"; }));
    ASSERT_EQ(waitChild(applet.process, 0ms), -1) << "running before the server ends";
    // A frame's requests written just as the server goes must end the program through Xlib too.
    EXPECT_TRUE(ignoresSignal(applet.process.pid, SIGPIPE));

    const std::string name = server.name();
    server.stop(signal);
    const int status = waitChild(applet.process, 60s);
    ASSERT_NE(status, -1) << "still running a minute after its server ended";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    // Xlib's default handler says which connection was lost, and nothing else is written.
    const std::string err = childStderr(applet.process);
    const bool broken = err.rfind("X connection to " + name + " broken", 0) == 0;
    const bool ioError = err.rfind("XIO:  fatal IO error", 0) == 0 &&
                         err.find("on X server \"" + name + "\"") != std::string::npos;
    EXPECT_TRUE(broken || ioError) << err;
    EXPECT_EQ(err.find("X Error"), std::string::npos) << err;
    killChild(applet.process);
  }
}

TEST(NoFreeColourCells, TheAppletEndsWithTheColourMessage) {
  // An 8-bit PseudoColor screen; without RENDER the server allocates no colour cube, so the
  // default colormap holds only black and white.
  XServer server("320x240x8", {"-extension", "RENDER"});
  Display* d = server.display();
  ASSERT_EQ(DefaultVisual(d, DefaultScreen(d))->c_class, PseudoColor);

  // With its cells free the applet runs there, in its exact colours.
  Applet applet = startApplet(server);
  ASSERT_TRUE(waitUntil([&] { return labelText(grabFace(d, applet.mainWindow)) == "IN"; }));
  EXPECT_EQ(pixelAt(grabFace(d, applet.mainWindow), 32, 32), 0xFFFF00u) << "the Sun";
  killChild(applet.process);
  // Its windows gone, the server has given its cells back as well.
  ASSERT_TRUE(waitUntil([&] { return findWindowsByClass(d, kBinary).empty(); }));

  // This connection, kept open, takes every free cell; then it gives back a few, too few for the
  // artwork, which the applet then takes before it finds no more.
  const Colormap colormap = DefaultColormap(d, DefaultScreen(d));
  std::vector<unsigned long> cells;
  unsigned long pixel;
  while (XAllocColorCells(d, colormap, False, nullptr, 0, &pixel, 1) != 0) cells.push_back(pixel);
  EXPECT_EQ(cells.size(), 254u) << "all but black and white";
  for (int left : {0, 5}) {
    SCOPED_TRACE(std::to_string(left) + " cells left");
    XFreeColors(d, colormap, cells.data() + cells.size() - left, left, 0);
    cells.resize(cells.size() - left);
    XSync(d, False);
    const std::string message = "Not enough free colorcells.\n";
    const Ending ending =
        runToEnd(kBinary, {kBinary}, environmentWith({"DISPLAY=" + server.name()}), message);
    ASSERT_TRUE(WIFEXITED(ending.status)) << ending.status;
    EXPECT_EQ(WEXITSTATUS(ending.status), 1);
    EXPECT_EQ(ending.stderrText, message);
  }
}

// A DISPLAY value, or none at all.
using DisplayVariable = std::optional<std::string>;

std::vector<std::string> environmentFor(const DisplayVariable& display) {
  return environmentWith({display ? "DISPLAY=" + *display : "DISPLAY"});
}

std::string repeated(char c, size_t count) { return std::string(count, c); }

struct RunningCase {
  const char* what;
  std::vector<std::string> argv;
  DisplayVariable display;
  // Xlib stores no WM_COMMAND for arguments of 64 KB or more in all, and no WM_CLASS for a
  // program name of 32 KB or more; past those limits a property may be missing, never wrong.
  bool withinXlibLimits = true;
};

TEST(HostileCommandLine, TheAppletRunsOnTheDisplayNamedAndKeepsEveryArgument) {
  XServer server;
  XServer other;  // where DISPLAY points in one case, and where nothing may appear
  Display* d = server.display();
  const std::string s = server.name();
  const std::string longName = kBinary + "-" + repeated('n', 4000);
  const std::string longArg = repeated('a', 15000);
  const std::string hugeName = kBinary + "-" + repeated('n', 40000);
  const std::string hugeArg = repeated('a', 100000);  // three pass X's 256 KB core request limit
  const std::vector<RunningCase> cases = {
      {"a trailing -display falls back to DISPLAY", {kBinary, "-display"}, s},
      {"an empty display name falls back to DISPLAY", {kBinary, "-display", ""}, s},
      {"-display without DISPLAY", {kBinary, "-display", s}, std::nullopt},
      {"-display over a garbage DISPLAY", {kBinary, "-display", s}, "\xff\xfe gar\x80 bage:"},
      {"-display over a live DISPLAY", {kBinary, "-display", s}, other.name()},
      {"screen 0 named", {kBinary, "-display", s + ".0"}, std::nullopt},
      {"a display name of 5000 bytes, leading zeros",
       {kBinary, "-display", ":" + repeated('0', 5000) + s.substr(1)}, std::nullopt},
      {"bytes that are no UTF-8, the program name's too",
       {"\xff\xfe-dock\x80", "caf\xe9", "\xc3\x28", "-display", s, "\xed\xa0\x80", "\xf8\x88\x80"},
       std::nullopt},
      {"empty arguments", {kBinary, "", "-display", s, ""}, std::nullopt},
      {"a long program name and long arguments", {longName, longArg, longArg, longArg}, s},
      {"arguments past Xlib's limits", {hugeName, hugeArg, hugeArg, hugeArg}, s, false},
  };
  for (const RunningCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string& program = c.argv[0];
    Window main = 0;
    // WM_HINTS is the last property it sets before mapping the window.
    auto up = [&] {
      main = windowNamed(d, program);
      XWMHints* hints = main != 0 ? XGetWMHints(d, main) : nullptr;
      if (hints != nullptr) XFree(hints);
      return hints != nullptr;
    };
    Child child;
    try {
      child = startUntil(kBinary, c.argv, environmentFor(c.display), up);
    } catch (const std::runtime_error& e) {
      ADD_FAILURE() << "no window: " << std::string(e.what()).substr(0, 300);
      continue;
    }
    const std::string command = rawProperty(d, main, XA_WM_COMMAND);
    const std::string classHint = rawProperty(d, main, XA_WM_CLASS);
    if (c.withinXlibLimits || !command.empty()) {
      EXPECT_TRUE(sameBytes(command, commandBytes(c.argv))) << "WM_COMMAND";
    }
    if (c.withinXlibLimits || !classHint.empty()) {
      EXPECT_TRUE(sameBytes(classHint, program + '\0' + program + '\0')) << "WM_CLASS";
    }
    EXPECT_TRUE(waitUntil([&] { return labelText(grabFace(d, main)) == "IN"; })) << "drawing";
    EXPECT_EQ(windowNamed(other.display(), program), 0u);
    EXPECT_EQ(waitChild(child, 0ms), -1) << "still running";
    killChild(child);
    ASSERT_TRUE(waitUntil([&] { return windowNamed(d, program) == 0; }));
  }
}

struct FailingCase {
  const char* what;
  std::vector<std::string> argv;
  DisplayVariable display;
  std::string shownName;  // the display name the message gives
};

TEST(HostileCommandLine, ADisplayThatCannotBeUsedEndsWithTheMessage) {
  XServer server;  // one screen, number 0
  const std::string s = server.name();
  const std::string gone = ":" + repeated('9', 5000);
  const std::string garbage = "\xff\xfe gar\x80 bage";
  const std::string strangeName = "\xff\xfe\x80" + repeated('n', 3000);
  const std::vector<FailingCase> cases = {
      // Xlib connects for these and leaves the screen number as it read it.
      {"a negative screen", {kBinary, "-display", s + ".-1"}, std::nullopt, s + ".-1"},
      {"a screen number wrapping to -1", {kBinary, "-display", s + ".4294967295"}, std::nullopt,
       s + ".4294967295"},
      {"a screen number past int", {kBinary, "-display", s + ".999999999999"}, std::nullopt,
       s + ".999999999999"},
      {"a screen the server lacks", {kBinary}, s + ".1", s + ".1"},
      {"a display number of 5000 digits, over a live DISPLAY", {kBinary, "-display", gone}, s,
       gone},
      {"DISPLAY alone", {kBinary}, gone, gone},
      {"a trailing -display falls back to DISPLAY", {kBinary, "-display"}, gone, gone},
      {"neither -display nor DISPLAY", {kBinary}, std::nullopt, ""},
      {"the program's name as called", {"relative/name", "-display", gone}, s, gone},
      {"a socket path of 5000 bytes", {kBinary, "-display", "/tmp/" + repeated('p', 5000)}, s,
       "/tmp/" + repeated('p', 5000)},
      {"a garbage DISPLAY", {kBinary}, garbage, garbage},
      {"a DISPLAY of 8000 bytes", {kBinary}, repeated('g', 8000), repeated('g', 8000)},
      {"a trailing -display and no DISPLAY", {kBinary, "-display"}, std::nullopt, ""},
      {"a long program name that is no UTF-8", {strangeName, "-display", garbage}, s, garbage},
  };
  for (const FailingCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string message = c.argv[0] + ": can't open display " + c.shownName + "\n";
    const Ending ending = runToEnd(kBinary, c.argv, environmentFor(c.display), message);
    ASSERT_TRUE(WIFEXITED(ending.status)) << "status " << ending.status << ": "
                                          << ending.stderrText;
    EXPECT_EQ(WEXITSTATUS(ending.status), 1);
    EXPECT_EQ(ending.stderrText, message);
  }
}

}  // namespace
