// Pressing the real program's face with XTest, on a bare X server. (In the docks users run it in,
// x_hosts_test presses it the same way.)

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "applet/idle_frame.h"
#include "applet/readout_layout.h"
#include "tests/support/protocol_trace.h"
#include "tests/support/xharness.h"

#include <signal.h>

#include <set>

using namespace dockorrery;

namespace {

// Face coordinates in the middle of each of the readout's fields, and outside the readout.
constexpr int middleX(const ReadoutField& f) { return (f.left + f.right) / 2; }
constexpr int kDayX = middleX(kReadoutFields[RegionDay]);
constexpr int kMonthX = middleX(kReadoutFields[RegionMonth]);
constexpr int kYearX = middleX(kReadoutFields[RegionYear]);
constexpr int kFieldY = (kReadoutFields[0].top + kReadoutFields[0].bottom) / 2;
constexpr int kOutside = 30;

// How many of the applet's frames in `lines` start at or after the first that draws the OUT view,
// whose label has a third letter; 0 before there is one.
size_t framesFromTheFirstOut(const std::vector<TraceLine>& lines) {
  const std::vector<size_t> starts = frameStarts(lines);
  for (size_t k = 0; k < starts.size(); k++) {
    const size_t end = k + 1 < starts.size() ? starts[k + 1] : lines.size();
    for (size_t i = starts[k]; i < end; i++) {
      if (lines[i].kind == TraceLine::kRequest && lines[i].name == "CopyArea" &&
          traceField(lines[i], "dst-x") == std::to_string(kLabelX + 2 * kGlyphWidth) &&
          traceField(lines[i], "dst-y") == std::to_string(kLabelY)) {
        return starts.size() - k;
      }
    }
  }
  return 0;
}

class DateEditing : public testing::Test {
 protected:
  void start(const std::string& fakeTime) {
    applet_ = startApplet(server_, {}, fakeTime);
    window_ = applet_.mainWindow;
  }
  void TearDown() override { killChild(applet_.process); }

  std::string readout(const std::string& expected) {
    return waitForReadout(server_.display(), window_, expected);
  }
  std::string label(const std::string& expected) {
    std::string seen;
    waitUntil([&] { return (seen = labelText(grabFace(server_.display(), window_))) == expected; },
              std::chrono::seconds(5));
    return seen;
  }
  void press(int x, int y, unsigned button) { click(server_.display(), window_, x, y, button); }

  XServer server_;
  Applet applet_;
  Window window_ = 0;
};

// The applet started on the first of March 2024, a leap year, its clock running.
class FromTheFirstOfMarch : public DateEditing {
 protected:
  void SetUp() override {
    start("@2024-03-01 12:00:00");
    ASSERT_EQ(readout("01.03.2024"), "01.03.2024");
  }
};

TEST_F(FromTheFirstOfMarch, StepsFieldsAndTogglesTheView) {
  press(kYearX, kFieldY, 1);
  EXPECT_EQ(readout("01.03.2025"), "01.03.2025");
  press(kYearX, kFieldY, 3);
  EXPECT_EQ(readout("01.03.2024"), "01.03.2024");
  press(kDayX, kFieldY, 3);
  EXPECT_EQ(readout("29.02.2024"), "29.02.2024");
  press(kMonthX, kFieldY, 1);
  EXPECT_EQ(readout("29.03.2024"), "29.03.2024");

  press(kOutside, kOutside, 1);
  EXPECT_EQ(label("OUT"), "OUT");
  Face out = grabFace(server_.display(), window_);
  EXPECT_EQ(pixelAt(out, 32, 32), 0xFFFF00u) << "the Sun stays";
  int silver = 0, magenta = 0;
  for (uint32_t p : out) {
    silver += p == 0xC0C0C0;
    magenta += p == 0xFF00FF;
  }
  EXPECT_EQ(silver, 4) << "Jupiter";
  EXPECT_EQ(magenta, 4) << "Uranus";
  press(kOutside, kOutside, 1);
  EXPECT_EQ(label("IN"), "IN");

  // A right press outside the readout brings back the clock's date.
  press(kOutside, kOutside, 3);
  EXPECT_EQ(readout("01.03.2024"), "01.03.2024");
  EXPECT_EQ(label("IN"), "IN");
}

TEST_F(FromTheFirstOfMarch, MiddleAndWheelButtonsDoNothing) {
  for (unsigned button : {2u, 4u, 5u}) {
    press(kYearX, kFieldY, button);
    press(kDayX, kFieldY, button);
    press(kOutside, kOutside, button);
  }
  // Events are taken in order: once this last press shows, the others have been handled.
  press(kMonthX, kFieldY, 1);
  EXPECT_EQ(readout("01.04.2024"), "01.04.2024");
  EXPECT_EQ(label("IN"), "IN");
}

TEST_F(FromTheFirstOfMarch, PressesQueuedTogetherAreAllAppliedBeforeTheNextFrame) {
  // Queue five presses while the applet is stopped, so that they arrive together.
  kill(-applet_.process.pid, SIGSTOP);
  for (int i = 0; i < 5; i++) press(kYearX, kFieldY, 1);
  kill(-applet_.process.pid, SIGCONT);
  std::set<std::string> seen;
  waitUntil([&] {
    std::string text = readoutText(grabFace(server_.display(), window_));
    seen.insert(text);
    return text == "01.03.2029";
  });
  EXPECT_EQ(seen, (std::set<std::string>{"01.03.2024", "01.03.2029"}));
}

TEST_F(DateEditing, AChosenDateStaysPastMidnight) {
  // The clock stands a second before midnight until the test moves it. The applet speaks through
  // xtrace, whose record counts its frames.
  MovableClock clock("2024-03-01 23:59:59");
  ProtocolTrace trace(server_);
  applet_ = startApplet(server_, {"-display", trace.name()}, clock);
  window_ = applet_.mainWindow;
  ASSERT_EQ(readout("01.03.2024"), "01.03.2024");
  press(kYearX, kFieldY, 1);
  ASSERT_EQ(readout("01.03.2025"), "01.03.2025");

  // Past midnight, the view toggled marks in the record the first frame drawn since (a press is
  // taken between frames). Of any kClockCheckInterval frames in a row, one reads the clock.
  clock.set("2024-03-02 00:00:01");
  press(kOutside, kOutside, 1);
  ASSERT_EQ(label("OUT"), "OUT");
  ASSERT_TRUE(
      waitUntil([&] { return framesFromTheFirstOut(trace.lines()) > kClockCheckInterval; }));

  // Toggled back, the view shows on the face (which showed OUT) from a frame drawn after that
  // reading: what the record holds, the server may not have drawn yet.
  press(kOutside, kOutside, 1);
  Face face;
  ASSERT_TRUE(
      waitUntil([&] { return labelText(face = grabFace(server_.display(), window_)) == "IN"; }));
  EXPECT_EQ(readoutText(face), "01.03.2025");
  press(kOutside, kOutside, 3);
  EXPECT_EQ(readout("02.03.2024"), "02.03.2024");
}

TEST_F(DateEditing, AClockPastTheCalendarLeavesTheEpochToEdit) {
  // libfaketime's clock moved past the year 2^31 + 1900, which gmtime can't break down.
  start("+67768100000000000");
  ASSERT_EQ(readout("01.01.1970"), "01.01.1970");
  press(kDayX, kFieldY, 1);
  EXPECT_EQ(readout("02.01.1970"), "02.01.1970");
  press(kDayX, kFieldY, 3);
  press(kDayX, kFieldY, 3);
  EXPECT_EQ(readout("31.12.1969"), "31.12.1969");
  // Back to the clock, which still can't be read: the date stays, and steps on from there.
  press(kOutside, kOutside, 3);
  press(kMonthX, kFieldY, 1);
  EXPECT_EQ(readout("31.01.1970"), "31.01.1970");
}

}  // namespace
