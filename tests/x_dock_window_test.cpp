// The dock window pair on a real X server: tree, properties, shape, face, focus, failures.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "applet/face_art.h"
#include "applet/readout_layout.h"
#include "dock/dock_window.h"
#include "tests/support/xharness.h"

#include <X11/Xatom.h>
#include <X11/extensions/shape.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <string>
#include <vector>

using namespace dockorrery;

namespace {

const std::string kBinary = appletPath();

struct Geometry {
  Window parent;
  int x, y;
  unsigned width, height, border;
};

Geometry geometryOf(Display* display, Window window) {
  Geometry g{};
  Window root, *children = nullptr;
  unsigned count;
  XQueryTree(display, window, &root, &g.parent, &children, &count);
  if (children != nullptr) XFree(children);
  unsigned depth;
  XGetGeometry(display, window, &root, &g.x, &g.y, &g.width, &g.height, &g.border, &depth);
  return g;
}

std::vector<std::string> commandOf(Display* display, Window window) {
  char** argv = nullptr;
  int argc = 0;
  std::vector<std::string> result;
  if (XGetCommand(display, window, &argv, &argc) != 0) {
    for (int i = 0; i < argc; i++) result.emplace_back(argv[i]);
    XFreeStringList(argv);
  }
  return result;
}

int countWindows(Display* display, Window window) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  int total = 1;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
    for (unsigned i = 0; i < count; i++) total += countWindows(display, children[i]);
    if (children != nullptr) XFree(children);
  }
  return total;
}

std::vector<XRectangle> boundingShape(Display* display, Window window) {
  int count = 0, ordering = 0;
  XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
  std::vector<XRectangle> result(rects, rects + count);
  if (rects != nullptr) XFree(rects);
  return result;
}

// A display number nobody listens on.
std::string unusedDisplay() {
  for (int n = 9876;; n++) {
    struct stat st;
    if (stat(("/tmp/.X11-unix/X" + std::to_string(n)).c_str(), &st) != 0) {
      return ":" + std::to_string(n);
    }
  }
}

TEST(DockWindow, WindowPairWithItsProperties) {
  XServer server;
  Display* d = server.display();
  int before = countWindows(d, DefaultRootWindow(d));
  Applet applet = startApplet(server, {"-geometry", "+5+5"});

  Geometry main = geometryOf(d, applet.mainWindow);
  Geometry icon = geometryOf(d, applet.iconWindow);
  EXPECT_EQ(main.parent, DefaultRootWindow(d));
  EXPECT_EQ(icon.parent, applet.mainWindow);
  for (const Geometry& g : {main, icon}) {
    EXPECT_EQ(g.width, 64u);
    EXPECT_EQ(g.height, 64u);
    EXPECT_EQ(g.border, 1u);
  }
  EXPECT_EQ(icon.x, 0);  // where the empty user geometry put it, relative to the main window
  EXPECT_EQ(icon.y, 0);
  EXPECT_EQ(countWindows(d, DefaultRootWindow(d)), before + 2) << "no window but the pair";

  XSizeHints hints;
  long supplied;
  ASSERT_NE(XGetWMNormalHints(d, applet.mainWindow, &hints, &supplied), 0);
  EXPECT_EQ(hints.flags & (USPosition | USSize), USPosition | USSize);
  EXPECT_EQ(hints.width, 64);
  EXPECT_EQ(hints.height, 64);

  XWMHints* wm = XGetWMHints(d, applet.mainWindow);
  ASSERT_NE(wm, nullptr);
  EXPECT_EQ(wm->flags, StateHint | IconWindowHint | IconPositionHint | WindowGroupHint);
  EXPECT_EQ(wm->initial_state, WithdrawnState);
  EXPECT_EQ(wm->icon_window, applet.iconWindow);
  EXPECT_EQ(wm->icon_x, 0);
  EXPECT_EQ(wm->icon_y, 0);
  EXPECT_EQ(wm->window_group, applet.mainWindow);
  XFree(wm);

  // The program name stays exactly as called, a path included.
  XClassHint cls;
  ASSERT_NE(XGetClassHint(d, applet.mainWindow, &cls), 0);
  EXPECT_EQ(std::string(cls.res_name), kBinary);
  EXPECT_EQ(std::string(cls.res_class), kBinary);
  XFree(cls.res_name);
  XFree(cls.res_class);
  char* name = nullptr;
  ASSERT_NE(XFetchName(d, applet.mainWindow, &name), 0);
  EXPECT_EQ(std::string(name), kBinary);
  XFree(name);
  EXPECT_EQ(commandOf(d, applet.mainWindow),
            (std::vector<std::string>{kBinary, "-geometry", "+5+5"}));

  // The icon window carries none of the window-manager properties.
  int propertyCount = 0;
  Atom* atoms = XListProperties(d, applet.iconWindow, &propertyCount);
  EXPECT_EQ(propertyCount, 0);
  if (atoms != nullptr) XFree(atoms);

  for (Window w : {applet.mainWindow, applet.iconWindow}) {
    std::vector<XRectangle> shape = boundingShape(d, w);
    ASSERT_EQ(shape.size(), 1u);
    EXPECT_EQ(shape[0].x, 4);
    EXPECT_EQ(shape[0].y, 4);
    EXPECT_EQ(shape[0].width, 56);
    EXPECT_EQ(shape[0].height, 56);
  }
  killChild(applet.process);
}

TEST(DockWindow, FaceShowsTheWellAndItsEdges) {
  XServer server;
  Applet applet = startApplet(server);
  Display* d = server.display();
  const uint32_t kGrey = 0xD0D0D0;
  // Wait for the first frames: the label is drawn by every idle frame.
  ASSERT_TRUE(waitUntil([&] { return labelText(grabFace(d, applet.mainWindow)) == "IN"; }));
  Face face = grabFace(d, applet.mainWindow);
  for (int i = 5; i <= 59; i++) {
    EXPECT_EQ(pixelAt(face, 59, i), kGrey) << "right edge at y " << i;
    EXPECT_EQ(pixelAt(face, i, 59), kGrey) << "bottom edge at x " << i;
  }
  EXPECT_EQ(pixelAt(face, 4, 59), kGrey);
  for (int i = 4; i <= 58; i++) {
    EXPECT_EQ(pixelAt(face, i, 4), 0u) << "top row of the well at x " << i;
    EXPECT_EQ(pixelAt(face, 4, i), 0u) << "left column of the well at y " << i;
  }
  EXPECT_EQ(pixelAt(face, 59, 4), 0u);
  EXPECT_EQ(pixelAt(face, 20, 20), 0u);
  killChild(applet.process);
}

TEST(DockWindow, ExposeRepaintsAWindowThatWasWipedOut) {
  XServer server;
  Applet applet = startApplet(server);
  Display* d = server.display();
  ASSERT_TRUE(waitUntil([&] { return labelText(grabFace(d, applet.mainWindow)) == "IN"; }));
  Face before = grabFace(d, applet.mainWindow);
  // Wipe the window to its white background while the applet can't draw, then expose it.
  kill(-applet.process.pid, SIGSTOP);
  XClearWindow(d, applet.mainWindow);
  XSync(d, False);
  EXPECT_EQ(pixelAt(grabFace(d, applet.mainWindow), 20, 20), 0xFFFFFFu);
  sendExpose(d, applet.mainWindow);
  kill(-applet.process.pid, SIGCONT);
  EXPECT_TRUE(waitUntil([&] { return grabFace(d, applet.mainWindow) == before; }));
  killChild(applet.process);
}

TEST(DockWindow, CrossingTheWindowsLeavesTheKeyboardFocusAlone) {
  XServer server;
  Applet applet = startApplet(server, {}, "2000-01-01 12:00:00");
  Display* d = server.display();
  // A bare server never maps the icon window: taken out of the main window and mapped beside it
  // here, as a dock takes it into a tile of its own, so that the pointer crosses both.
  XReparentWindow(d, applet.iconWindow, DefaultRootWindow(d), 100, 0);
  XMapWindow(d, applet.iconWindow);
  KeyboardClient terminal = openKeyboardClient(server.name(), 180, 140);
  XSetInputFocus(d, terminal.window, RevertToParent, CurrentTime);
  ASSERT_EQ(focusWindow(d), terminal.window);

  EXPECT_EQ(crossWindows(d, {applet.mainWindow, applet.iconWindow}, 3), 2 * 3);
  // The applet takes its events in order: once a later press shows, it has had every crossing.
  click(d, applet.mainWindow, kReadoutFields[RegionDay].left + 1, kReadoutFields[RegionDay].top + 1,
        1);
  ASSERT_EQ(waitForReadout(d, applet.mainWindow, "02.01.2000"), "02.01.2000");
  EXPECT_EQ(focusWindow(d), terminal.window);
  // Typed with the pointer resting on the applet: the keys still go where the focus is.
  movePointer(d, applet.mainWindow, 32, 32);
  EXPECT_EQ(typeKeys(d, terminal, 5), 5);
  closeKeyboardClient(terminal);
  killChild(applet.process);
}

// The display that can't be opened, by name and DISPLAY: HostileCommandLine in x_faults_test.

TEST(DockWindow, EmptyArgumentVectorUsesOurOwnName) {
  const std::string gone = unusedDisplay();
  const std::string message = "dockorrery: can't open display " + gone + "\n";
  const Ending ending = runToEnd(kBinary, {}, environmentWith({"DISPLAY=" + gone}), message);
  ASSERT_TRUE(WIFEXITED(ending.status));
  EXPECT_EQ(WEXITSTATUS(ending.status), 1);
  EXPECT_EQ(ending.stderrText, message);

  XServer server;
  std::vector<Window> windows;
  Child child = startUntil(kBinary, {}, environmentWith({"DISPLAY=" + server.name()}), [&] {
    return !(windows = findWindowsByClass(server.display(), "dockorrery")).empty();
  });
  char* name = nullptr;
  ASSERT_NE(XFetchName(server.display(), windows[0], &name), 0);
  EXPECT_STREQ(name, "dockorrery");
  XFree(name);
  // The kernel may hand the program a single empty argument instead of none; either is kept as is.
  std::vector<std::string> command = commandOf(server.display(), windows[0]);
  EXPECT_TRUE(command.empty() || command == std::vector<std::string>{""});
  // Past its start-up: its window is mapped and it draws its frames, and it runs on.
  EXPECT_TRUE(waitUntil([&] {
    return viewable(server.display(), windows[0]) &&
           labelText(grabFace(server.display(), windows[0])) == "IN";
  }));
  EXPECT_EQ(waitChild(child, std::chrono::milliseconds(0)), -1) << "still running";
  killChild(child);
}

TEST(DockWindowDeathTest, ArtworkThatCannotBeBuiltEndsWithTheColourMessage) {
  XServer server;
  const std::string name = server.name();
  static const char* const kBroken[] = {"2 2 1 1", "x\tc #000000", "xy", "xx"};
  char arg0[] = "dockorrery";
  char flag[] = "-display";
  std::string displayName = name;
  char* argv[] = {arg0, flag, displayName.data(), nullptr};
  EXPECT_EXIT(
      {
        openDisplay(argv);
        openDockWindow(3, argv, kBroken, faceMaskBits, 64, 64, "#181818", "#79bdbf", "#ff0000",
                       "#ffbf50", "#c5a6ff");
      },
      testing::ExitedWithCode(1), "^Not enough free colorcells.\n$");
}

}  // namespace
