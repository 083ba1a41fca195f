// Thousands of presses on both windows of the real program, the date and the view changing all
// the time: its resident set stays flat after warm-up, it reports no X error, and it keeps drawing.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "applet/readout_layout.h"
#include "tests/support/face_model.h"
#include "tests/support/xharness.h"

#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

using namespace dockorrery;

namespace {

using namespace std::chrono;

TEST(Soak, FiftyThousandActionsOnBothWindows) {
  // An amount of work, not of time: the applet catches up with every kBatch actions before the
  // next, so that its queue never holds more than a batch however busy the machine is, and the
  // resident set is sampled every kSampleEvery actions; growth counts only after kWarmUp.
  constexpr long kActions = 50000, kWarmUp = 20000, kSampleEvery = 2500, kBatch = 20;
  // Growth allowed after warm-up: a few pages for whatever the allocator rounds, far below what
  // the thousands of events after it would leave behind if any of them leaked.
  constexpr long kSlackKb = 128;

  // A sanitized build's ASan holds freed blocks back from reuse, up to 256 MB by default, which
  // would look like growth here; a small bound lets it fill during warm-up (its resident set
  // grows for some fifteen thousand actions there, then stays flat). Other builds of the
  // program don't read the variable.
  const char* asanOptions = getenv("ASAN_OPTIONS");
  setenv("ASAN_OPTIONS",
         ((asanOptions ? std::string(asanOptions) + ":" : "") + "quarantine_size_mb=1").c_str(), 1);

  XServer server;
  Applet applet = startApplet(server, {}, "@2024-03-01 12:00:00");
  Display* d = server.display();
  const Window mainWindow = applet.mainWindow, iconWindow = applet.iconWindow;
  const pid_t pid = applet.process.pid;
  ASSERT_EQ(waitForReadout(d, mainWindow, "01.03.2024"), "01.03.2024");

  FaceModel model(2024y / March / 1);
  std::mt19937 random(60);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto button = [&] {
    static const unsigned kButtons[] = {1, 1, 1, 3, 3, 3, 2, 4, 5};
    return kButtons[pick(0, 8)];
  };
  auto shown = [&](std::string& seen) {
    return waitUntil([&] {
      Face face = grabFace(d, mainWindow);
      seen = readoutText(face) + " " + labelText(face);
      return labelText(face) == model.label() && readoutShows(readoutText(face), model);
    });
  };

  std::vector<std::pair<long, long>> samples;  // actions done, VmRSS in kB
  long presses = 0;
  for (long done = 1; done <= kActions; done++) {
    const int action = pick(0, 19);
    if (action < 14) {
      // Through XTest on the main window, inside its shape; half of them on the readout's rows.
      const ReadoutField& readout = kReadoutFields[0];
      const int x = pick(4, 59), y = pick(0, 1) ? pick(readout.top, readout.bottom) : pick(4, 59);
      const unsigned b = button();
      click(d, mainWindow, x, y, b);
      model.press(b, x, y);
      presses++;
    } else if (action < 19) {
      // Straight to the icon window, which a bare server never maps.
      const int x = pick(-8, 71);
      const int y =
          pick(0, 1) ? pick(kReadoutFields[0].top - 2, kReadoutFields[0].bottom + 2) : pick(-8, 71);
      const unsigned b = button();
      sendPress(d, iconWindow, x, y, b);
      model.press(b, x, y);
      presses++;
    } else {
      movePointer(d, DefaultRootWindow(d), 200, 200);  // leave the face, enter it again later
    }

    if (done % kBatch == 0) {
      std::string seen;
      ASSERT_TRUE(shown(seen)) << "after " << done << " actions shows " << seen << ", expected "
                               << model.readout() << " " << model.label();
    }
    if (done % kSampleEvery == 0) samples.emplace_back(done, processStatusField(pid, "VmRSS"));
  }

  // Still drawing: back in the IN view (where no dot covers the readout), a right press outside
  // the readout brings back the clock's date.
  if (model.outView()) click(d, mainWindow, 30, 30, 1);
  click(d, mainWindow, 30, 30, 3);
  std::string seen;
  EXPECT_TRUE(waitUntil([&] {
    const Face face = grabFace(d, mainWindow);
    return (seen = readoutText(face) + " " + labelText(face)) == "01.03.2024 IN";
  })) << "shows " << seen;
  samples.emplace_back(kActions, processStatusField(pid, "VmRSS"));

  std::ostringstream figures;
  long warmKb = -1, peakKb = -1;
  for (auto [at, kb] : samples) {
    figures << " " << at << ":" << kb;
    if (at >= kWarmUp) {
      if (warmKb < 0) warmKb = kb;
      peakKb = std::max(peakKb, kb);
    }
  }
  std::printf("%ld presses; VmRSS kB by actions done:%s\n", presses, figures.str().c_str());
  RecordProperty("rss_kb", figures.str());
  ASSERT_GT(warmKb, 0);
  EXPECT_LE(peakKb, warmKb + kSlackKb) << "resident set grew after warm-up:" << figures.str();

  EXPECT_EQ(waitChild(applet.process, milliseconds(0)), -1) << "still running";
  EXPECT_EQ(childStderr(applet.process), "") << "no X error reported";
  killChild(applet.process);
}

}  // namespace
