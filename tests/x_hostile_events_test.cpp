// Thousands of synthetic events of every kind, sent straight to both windows of the real program:
// it keeps running, and its face shows exactly what the presses among them asked for.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "applet/readout_layout.h"
#include "tests/support/face_model.h"
#include "tests/support/xharness.h"

#include <cstdint>
#include <iterator>
#include <random>
#include <utility>
#include <vector>

using namespace dockorrery;

namespace {

using namespace std::chrono;

// The mask under which the applet selected `type` on its windows; 0 for a type it didn't select,
// which XSendEvent then hands to the window's creator, the applet, all the same.
long maskFor(int type) {
  switch (type) {
    case KeyPress: return KeyPressMask;
    case KeyRelease: return KeyReleaseMask;
    case ButtonPress: return ButtonPressMask;
    case ButtonRelease: return ButtonReleaseMask;
    case MotionNotify: return PointerMotionMask;
    case EnterNotify: return EnterWindowMask;
    case LeaveNotify: return LeaveWindowMask;
    case Expose: return ExposureMask;
    case ConfigureNotify:
    case MapNotify:
    case UnmapNotify:
    case ReparentNotify:
    case DestroyNotify:
    case GravityNotify:
    case CirculateNotify:
      return StructureNotifyMask;
    default: return NoEventMask;
  }
}

class EventSource {
 public:
  EventSource(Display* display, Window mainWindow, Window iconWindow, FaceModel& model)
      : display_(display), windows_{mainWindow, iconWindow}, model_(model) {}

  // A button press with a button from 0 to 255 at positions that favour the readout's fields and
  // their edges, but reach the ends of the protocol's 16-bit coordinates too.
  void press() {
    XEvent event = randomFields(ButtonPress);
    event.xbutton.button = chance(0.6) ? (chance(0.5) ? 1 : 3) : pick(0, 255);
    // Each field's edges and the pixels just beyond them, the face's, the protocol's ends.
    static const auto [kEdgesX, kEdgesY] = [] {
      std::vector<int> x = {-32768, -1, 0, 63, 64, 32767}, y = x;
      for (const ReadoutField& f : kReadoutFields) {
        x.insert(x.end(), {f.left - 1, f.left, f.right, f.right + 1});
        y.insert(y.end(), {f.top - 1, f.top, f.bottom, f.bottom + 1});
      }
      return std::pair{x, y};
    }();
    const double where = uniform_(random_);
    if (where < 0.6) {  // the readout's rows and a little around them
      event.xbutton.x = pick(0, 63);
      event.xbutton.y = pick(kReadoutFields[0].top - 2, kReadoutFields[0].bottom + 2);
    } else if (where < 0.75) {  // anywhere on the face
      event.xbutton.x = pick(0, 63);
      event.xbutton.y = pick(0, 63);
    } else if (where < 0.85) {  // anywhere the protocol can say
      event.xbutton.x = pick(-32768, 32767);
      event.xbutton.y = pick(-32768, 32767);
    } else {
      event.xbutton.x = kEdgesX[pick(0, static_cast<int>(kEdgesX.size()) - 1)];
      event.xbutton.y = kEdgesY[pick(0, static_cast<int>(kEdgesY.size()) - 1)];
    }
    model_.press(event.xbutton.button, event.xbutton.x, event.xbutton.y);
    send(event);
  }

  // Any other core event, fields at random within what the protocol carries.
  void other() {
    int type = ButtonPress;
    while (type == ButtonPress) type = pick(KeyPress, LASTEvent - 2);  // GenericEvent can't be sent
    XEvent event = randomFields(type);
    if (type == ClientMessage) event.xclient.format = 8 << pick(0, 2);
    ++sentOfType_[type];
    send(event);
  }

  // Which types were sent, so the test can show it covered them all.
  int sentOfType(int type) const { return sentOfType_[type]; }

 private:
  XEvent randomFields(int type) {
    XEvent event;
    auto* bytes = reinterpret_cast<unsigned char*>(&event);
    for (size_t i = 0; i < sizeof event; i++) bytes[i] = static_cast<unsigned char>(random_());
    event.type = type;
    event.xany.display = display_;
    event.xany.send_event = True;
    event.xany.window = windows_[pick(0, 1)];
    return event;
  }
  void send(XEvent& event) {
    XSendEvent(display_, event.xany.window, False, maskFor(event.type), &event);
  }
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool chance(double p) { return uniform_(random_) < p; }

  Display* display_;
  Window windows_[2];
  FaceModel& model_;
  std::mt19937 random_{20240301};  // fixed: every run sends the same events
  std::uniform_real_distribution<double> uniform_{0.0, 1.0};
  int sentOfType_[LASTEvent] = {};
};

TEST(HostileEvents, EveryKindOfEventToBothWindows) {
  XServer server;
  // A frozen clock: a right press outside the readout always brings back the same date.
  Applet applet = startApplet(server, {}, "2024-03-01 12:00:00");
  Display* d = server.display();
  const Window window = applet.mainWindow;
  ASSERT_EQ(waitForReadout(d, window, "01.03.2024"), "01.03.2024");
  ASSERT_TRUE(waitUntil([&] { return labelText(grabFace(d, window)) == "IN"; }));
  const Face reference = grabFace(d, window);

  FaceModel model(2024y / March / 1);
  EventSource source(d, applet.mainWindow, applet.iconWindow, model);
  constexpr int kRounds = 40, kEventsPerRound = 100;
  for (int round = 0; round < kRounds; round++) {
    for (int i = 0; i < kEventsPerRound; i++) {
      if (i % 3 == 0) {
        source.press();
      } else {
        source.other();
      }
    }
    XSync(d, False);
    // Once the applet has caught up, the face shows the date and view the presses made.
    std::string seen, label;
    const bool shown = waitUntil([&] {
      Face face = grabFace(d, window);
      seen = readoutText(face);
      label = labelText(face);
      return label == model.label() && readoutShows(seen, model);
    });
    ASSERT_TRUE(shown) << "round " << round << ": shows " << seen << " " << label
                       << ", expected " << model.readout() << " " << model.label();
    ASSERT_EQ(waitChild(applet.process, milliseconds(0)), -1) << "the applet ended";
  }
  for (int type = KeyPress; type < LASTEvent - 1; type++) {
    if (type != ButtonPress) {
      EXPECT_GT(source.sentOfType(type), 0) << "event type " << type;
    }
  }

  // Back to the clock's date in the IN view: the face is the one it started with, pixel for pixel.
  sendPress(d, window, 30, 30, 3);
  if (model.outView()) sendPress(d, window, 30, 30, 1);
  EXPECT_TRUE(waitUntil([&] { return grabFace(d, window) == reference; }));
  // Wiped out and drawn again by the applet's next frames: the same face once more.
  XClearWindow(d, window);
  XSync(d, False);
  EXPECT_TRUE(waitUntil([&] { return grabFace(d, window) == reference; })) << "and it stays so";

  EXPECT_EQ(waitChild(applet.process, milliseconds(0)), -1) << "still running";
  EXPECT_EQ(childStderr(applet.process), "") << "no X error reported";
  killChild(applet.process);
}

}  // namespace
