// The applet in the docks users run it in: each host started as a session from the files the
// README gives for it, in a fresh home, with the applet started by that session.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "applet/readout_layout.h"
#include "tests/support/dock_host.h"
#include "tests/support/expected_face.h"

#include <X11/Xutil.h>

#include <chrono>
#include <string>
#include <vector>

using namespace dockorrery;

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr milliseconds kFaceTimeout = 10s;

// In the middle of the readout's day and year.
constexpr int kDayX = (kReadoutFields[RegionDay].left + kReadoutFields[RegionDay].right) / 2;
constexpr int kYearX = (kReadoutFields[RegionYear].left + kReadoutFields[RegionYear].right) / 2;
constexpr int kReadoutY = (kReadoutFields[RegionDay].top + kReadoutFields[RegionDay].bottom) / 2;
constexpr int kOutside = 30;               // (30, 30): in the plot well, off the readout

constexpr const char* kFakeTime = "2000-01-01 12:00:00";
constexpr year_month_day kToday = 2000y / January / 1;

// Whether no client holds the pointer grabbed: a grab of our own then succeeds.
bool pointerFree(Display* display) {
  const int status = XGrabPointer(display, DefaultRootWindow(display), False, 0, GrabModeAsync,
                                  GrabModeAsync, 0, 0, CurrentTime);
  XUngrabPointer(display, CurrentTime);
  XSync(display, False);
  return status == GrabSuccess;
}

// Where `window`'s top-left corner is on the root window.
XPoint rootPosition(Display* display, Window window) {
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  return {static_cast<short>(x), static_cast<short>(y)};
}

// The window that holds `window`, or 0 when it is gone.
Window parentOf(Display* display, Window window) {
  Window root, parent, *children = nullptr;
  unsigned count;
  if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return 0;
  if (children != nullptr) XFree(children);
  return parent;
}

// The window between `face` and its top-level `dock` that the window manager manages (the one
// with a WM_STATE), or 0 when there is none: the dock is then the host's own window.
Window managedAncestor(Display* display, Window face, Window dock) {
  const Atom wmState = XInternAtom(display, "WM_STATE", False);
  Window found = 0;
  for (Window window = face; window != dock;) {
    Atom type = 0;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, wmState, 0, 2, False, wmState, &type, &format, &count,
                       &after, &data);
    if (data != nullptr) XFree(data);
    if (type == wmState) found = window;
    if ((window = parentOf(display, window)) == 0) return 0;
  }
  return found;
}

// A host, by its directory under tests/hosts, whether presses of the right button reach the
// applet there, whether its dock stays where another client moves it, and whether it takes the
// icon window into a tile of its own the size of the face, as a dock of such applets does.
struct Host {
  const char* name;
  bool rightButton = true;
  bool movable = true;
  bool iconTile = false;
};

// A session of the host `Param::name`, started for each test, with the applet taken in.
template <typename Param>
class DockedSession : public testing::TestWithParam<Param> {
 protected:
  void SetUp() override {
    session_ = startDockedSession(server_, this->GetParam().name, kFakeTime, docked_);
  }
  void TearDown() override { stopHostSession(session_); }

  // Waits until the screen shows, over the docked face, the face of `model`; on failure says how
  // the last face seen differs.
  testing::AssertionResult showsFace(const FaceModel& model) {
    const Face expected = expectedFace(model);
    std::string difference;
    waitUntil(
        [&] {
          difference = faceDifference(screenFace(server_.display(), docked_), expected);
          return difference.empty();
        },
        kFaceTimeout);
    if (difference.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "for " << model.readout() << " " << model.label()
                                       << " on the screen: " << difference;
  }

  XServer server_{"640x480x24"};
  HostSession session_;
  DockedFace docked_;
};

class InTheDock : public DockedSession<Host> {};

TEST_P(InTheDock, ShowsTheFaceAndTakesPresses) {
  Display* d = server_.display();
  FaceModel model(kToday);
  ASSERT_TRUE(showsFace(model));
  if (GetParam().iconTile) {
    EXPECT_EQ(docked_.face, docked_.iconWindow);
    Window root;
    int x, y;
    unsigned width = 0, height = 0, border, depth;
    XGetGeometry(d, parentOf(d, docked_.face), &root, &x, &y, &width, &height, &border, &depth);
    EXPECT_EQ(width, unsigned{kFaceSize}) << "the tile that holds the face";
    EXPECT_EQ(height, unsigned{kFaceSize}) << "the tile that holds the face";
  }

  for (const auto& [button, x, y] : {std::tuple{1u, kDayX, kReadoutY},   // next day
                                     std::tuple{3u, kDayX, kReadoutY},   // the day before
                                     std::tuple{1u, kYearX, kReadoutY},  // next year
                                     std::tuple{1u, kOutside, kOutside},  // the OUT view
                                     std::tuple{3u, kOutside, kOutside}}) {  // back to today
    // A host may hold the pointer for a while (AfterStep while it starts its modules): a press
    // then goes to the host. Press when nobody holds it.
    ASSERT_TRUE(waitUntil([&] { return pointerFree(d); }));
    click(d, docked_.face, x, y, button);
    // Away again at once, as a hand goes: a pointer that rests on AfterStep's Wharf brings up a
    // balloon that covers the readout, and takes the presses that land on it.
    movePointer(d, DefaultRootWindow(d), 320, 240);
    if (button == 1 || GetParam().rightButton) model.press(button, x, y);
    const testing::AssertionResult shown = showsFace(model);
    ASSERT_TRUE(shown) << "after a press of button " << button << " at " << x << ", " << y;
  }

  // Hidden by a window over the dock, then shown again: the face comes back as it was.
  XSetWindowAttributes cover;
  cover.override_redirect = True;
  cover.background_pixel = WhitePixel(d, DefaultScreen(d));
  int rootX, rootY;
  Window child;
  XTranslateCoordinates(d, docked_.face, DefaultRootWindow(d), 0, 0, &rootX, &rootY, &child);
  Window over = XCreateWindow(d, DefaultRootWindow(d), rootX - 8, rootY - 8, 80, 80, 0,
                              CopyFromParent, InputOutput, CopyFromParent,
                              CWOverrideRedirect | CWBackPixel, &cover);
  XMapRaised(d, over);
  XSync(d, False);
  ASSERT_TRUE(waitUntil([&] { return pixelAt(screenFace(d, docked_), 32, 32) == 0xFFFFFFu; }));
  XDestroyWindow(d, over);
  XSync(d, False);
  ASSERT_TRUE(showsFace(model)) << "once uncovered";

  // The dock hidden and shown again: the face is painted anew. A dock that is a client in a
  // frame of the window manager's (FvwmButtons, AfterStep's Wharf) is withdrawn and mapped
  // again, and moved, through the window manager; a host's own dock window directly.
  const Face expected = expectedFace(model);
  const Window client = managedAncestor(d, docked_.face, docked_.dock);
  if (client != 0) {
    XWithdrawWindow(d, client, DefaultScreen(d));
  } else {
    XUnmapWindow(d, docked_.dock);
  }
  XSync(d, False);
  ASSERT_TRUE(waitUntil([&] {
    return !viewable(d, docked_.face) &&
           !faceDifference(screenFace(d, docked_), expected).empty();
  })) << "the dock still shows once hidden";
  XMapWindow(d, client != 0 ? client : docked_.dock);
  XSync(d, False);
  ASSERT_TRUE(showsFace(model)) << "once the dock is shown again";

  // The dock moved towards the middle of the screen: the face is painted at its new place.
  if (!GetParam().movable) return;
  const Window moved = client != 0 ? client : docked_.dock;
  const XPoint face = rootPosition(d, docked_.face), dock = rootPosition(d, moved);
  const int dx = face.x < 320 ? 24 : -24, dy = face.y < 240 ? 16 : -16;
  XMoveWindow(d, moved, dock.x + dx, dock.y + dy);
  XSync(d, False);
  ASSERT_TRUE(waitUntil([&] {
    const XPoint now = rootPosition(d, docked_.face);
    return now.x == face.x + dx && now.y == face.y + dy;
  })) << "the face is not where the dock was moved";
  EXPECT_TRUE(showsFace(model)) << "once the dock is moved";
}

// One case a host, named by its directory under tests/hosts.
// Window Maker's dock, IceWM's tray and AfterStep's Wharf take the icon window into a tile.
// AfterStep's Wharf keeps the right button for itself once it has started: a right press on
// the applet there changes nothing.
// fluxbox, Openbox and Blackbox keep their slit or dock where their placement setting puts it,
// and ignore a move asked by another client.
INSTANTIATE_TEST_SUITE_P(Hosts, InTheDock,
                         testing::Values(Host{.name = "wmaker", .iconTile = true},
                                         Host{.name = "fluxbox", .movable = false},
                                         Host{.name = "openbox", .movable = false},
                                         Host{.name = "blackbox", .movable = false},
                                         Host{.name = "pekwm"},
                                         Host{.name = "icewm", .iconTile = true},
                                         Host{.name = "afterstep", .rightButton = false,
                                              .iconTile = true},
                                         Host{.name = "fvwm"},
                                         Host{.name = "jwm"}),
                         [](const testing::TestParamInfo<Host>& info) {
                           return std::string(info.param.name);
                         });

// Under a host that gives the focus on a click, the window the user clicked keeps it while the
// pointer crosses the docked applet, and takes the keys typed after.
class FocusInTheDock : public InTheDock {};

TEST_P(FocusInTheDock, CrossingTheAppletLeavesTheKeyboardFocusAlone) {
  Display* d = server_.display();
  FaceModel model(kToday);
  ASSERT_TRUE(showsFace(model));
  KeyboardClient terminal = openKeyboardClient(server_.name(), 200, 200);
  ASSERT_TRUE(waitUntil([&] { return pointerFree(d); }));
  click(d, terminal.window, 60, 40, 1);
  ASSERT_TRUE(waitUntil([&] { return focusWindow(d) == terminal.window; }));

  std::vector<Window> shown;
  for (Window w : {docked_.mainWindow, docked_.iconWindow}) {
    if (viewable(d, w)) shown.push_back(w);
  }
  EXPECT_EQ(crossWindows(d, shown, 3), static_cast<int>(3 * shown.size()));
  // The applet takes its events in order: once a later press shows, it has had every crossing.
  // Sent to the face rather than pressed, so that the host has no click to give the focus by.
  sendPress(d, docked_.face, kDayX, kReadoutY, 1);
  model.press(1, kDayX, kReadoutY);
  ASSERT_TRUE(showsFace(model));
  EXPECT_EQ(focusWindow(d), terminal.window);
  // Typed with the pointer resting on the applet: the keys still go where the focus is.
  movePointer(d, docked_.face, 32, 32);
  EXPECT_EQ(typeKeys(d, terminal, 5), 5);
  closeKeyboardClient(terminal);
}

// Window Maker gives the focus on a click; hosts whose focus follows the pointer would move it
// themselves as the pointer crosses their dock.
INSTANTIATE_TEST_SUITE_P(Hosts, FocusInTheDock, testing::Values(Host{.name = "wmaker"}),
                         [](const testing::TestParamInfo<Host>& info) {
                           return std::string(info.param.name);
                         });

// A host that restarts at a command, the command (run in the session's home, on its display),
// and whether the applet lives on through the restart: a host that restarts in place takes the
// running applet in again, with the date it was stepped to; JWM's restart ends the applet with
// the tray that swallowed it, and the new tray starts a fresh one.
struct Restart {
  const char* name;
  const char* command;
  bool sameApplet;
};

class Restarting : public DockedSession<Restart> {};

TEST_P(Restarting, OneAppletDockedAndDrawing) {
  Display* d = server_.display();
  const Restart restart = GetParam();
  FaceModel model(kToday);
  ASSERT_TRUE(showsFace(model));
  ASSERT_TRUE(waitUntil([&] { return pointerFree(d); }));
  click(d, docked_.face, kDayX, kReadoutY, 1);  // the next day, which only this applet knows
  movePointer(d, DefaultRootWindow(d), 320, 240);
  model.press(1, kDayX, kReadoutY);
  ASSERT_TRUE(showsFace(model));

  const Ending ending =
      runToEnd("/bin/sh", {"sh", "-c", std::string("cd && exec ") + restart.command},
               environmentWith({"HOME=" + session_.home.path(), "DISPLAY=" + server_.name()}), "",
               10s);
  ASSERT_EQ(ending.status, 0) << restart.command << ": " << ending.stderrText;
  ASSERT_TRUE(waitForDockedAgain(d, docked_)) << "the face is not in a dock again";
  EXPECT_EQ(findWindowsByClass(d, "dockorrery").size(), 1u);
  if (!restart.sameApplet) model = FaceModel(kToday);
  EXPECT_TRUE(showsFace(model)) << "after " << restart.command;
}

// Openbox and IceWM restart in place at a command of theirs; so does JWM, whose tray then
// starts the applet anew. (fvwm's Restart needs a module to send it; the other hosts restart
// only from their own menus.)
INSTANTIATE_TEST_SUITE_P(Hosts, Restarting,
                         testing::Values(Restart{"openbox", "openbox --restart", true},
                                         Restart{"icewm", "icewm --restart", true},
                                         Restart{"jwm", "jwm -restart", false}),
                         [](const testing::TestParamInfo<Restart>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
