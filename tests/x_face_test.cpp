// The face of the real program on a real X server, with the clock fixed by faketime.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "tests/support/xharness.h"

#include <filesystem>
#include <string>
#include <vector>

#include "applet/art/face_layout.h"
#include "tests/support/expected_face.h"

using namespace dockorrery;

namespace {

using namespace std::chrono;

// The whole face inside the window shape, pixel for pixel: the artwork, the readout, the label
// and the Sun and four planets where the ephemeris puts them.
TEST(Face, FirstOfJanuary2000) {
  XServer server;
  Applet applet = startApplet(server, {}, "2000-01-01 12:00:00");
  Display* d = server.display();
  ASSERT_EQ(waitForReadout(d, applet.mainWindow, "01.01.2000"), "01.01.2000");
  const Face face = grabFace(d, applet.mainWindow);
  const Face expected = expectedFace(FaceModel(2000y / January / 1));
  EXPECT_EQ(faceText(face, kShapeFirst, kShapeFirst, kShapeLast, kShapeLast),
            faceText(expected, kShapeFirst, kShapeFirst, kShapeLast, kShapeLast));
  killChild(applet.process);
}

// The same fixed date from copies of the program at paths of several lengths: where a tree is
// cloned must not decide whether the faked clock works (in the sanitized build the length of the
// path once decided whether the program came up at all).
TEST(Face, FirstOfJanuary2000WhereverTheProgramLies) {
  namespace fs = std::filesystem;
  const TemporaryDirectory copies("test");
  XServer server;
  for (const size_t depth : {0u, 50u, 100u}) {
    const fs::path folder = fs::path(copies.path()) / std::string(depth, 'p');
    const fs::path program = folder / "dockorrery";
    SCOPED_TRACE(program);
    fs::create_directories(folder);
    fs::copy_file(appletPath(), program);
    Applet applet = startApplet(server, {}, "2000-01-01 12:00:00", program);
    EXPECT_EQ(waitForReadout(server.display(), applet.mainWindow, "01.01.2000"), "01.01.2000");
    killChild(applet.process);
  }
}

TEST(Face, FollowsTheClockPastMidnight) {
  XServer server;
  // "@" starts the fake clock at that time and lets it run.
  Applet applet = startApplet(server, {}, "@1999-12-31 23:59:58");
  Display* d = server.display();
  // Every readout seen on the way, until the first of January: on a busy machine the program may
  // start late enough to show it from the first frame on. Its clock is read every 102nd frame,
  // about once a second, so the day changes about a second after its midnight.
  std::vector<std::string> seen;
  waitUntil(
      [&] {
        std::string text = readoutText(grabFace(d, applet.mainWindow));
        // Not the window before its first frame, blank or white.
        bool drawn = !text.empty() && text.find('?') == std::string::npos;
        if (drawn && (seen.empty() || seen.back() != text)) seen.push_back(text);
        return text == "01.01.2000";
      },
      std::chrono::seconds(60));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), "01.01.2000");
  if (seen.size() > 1) {
    EXPECT_EQ(seen, (std::vector<std::string>{"31.12.1999", "01.01.2000"}));
  }
  killChild(applet.process);
}

}  // namespace
