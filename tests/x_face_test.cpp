// The face of the real program on a real X server, with the clock fixed by faketime.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "tests/support/xsession.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kYellow = 0xFFFF00, kGreen = 0x00FF00, kWhite = 0xFFFFFF, kCyan = 0x00FFFF,
                   kRed = 0xFF0000;

// Colour of the 2x2 dot with top-left (x, y), or 1 when its four pixels differ.
uint32_t dotAt(const Face& face, int x, int y) {
  uint32_t c = pixelAt(face, x, y);
  bool same = pixelAt(face, x + 1, y) == c && pixelAt(face, x, y + 1) == c &&
              pixelAt(face, x + 1, y + 1) == c;
  return same ? c : 1;
}

TEST(Face, FirstOfJanuary2000) {
  XServer server;
  Applet applet = startApplet(server, {}, "2000-01-01 12:00:00");
  Display* d = server.display();
  ASSERT_EQ(waitForReadout(d, applet.mainWindow, "01.01.2000"), "01.01.2000");
  Face face = grabFace(d, applet.mainWindow);
  EXPECT_EQ(labelText(face), "IN");
  EXPECT_EQ(dotAt(face, 32, 32), kYellow) << "Sun";
  EXPECT_EQ(dotAt(face, 30, 36), kGreen) << "Mercury";
  EXPECT_EQ(dotAt(face, 25, 32), kWhite) << "Venus";
  EXPECT_EQ(dotAt(face, 30, 23), kCyan) << "Earth";
  EXPECT_EQ(dotAt(face, 44, 32), kRed) << "Mars";
  // Nothing else lights up in the well but the readout, the label and the five dots.
  int lit = 0;
  for (int y = 12; y < 50; y++) {
    for (int x = 5; x < 59; x++) lit += pixelAt(face, x, y) != 0;
  }
  EXPECT_EQ(lit, 5 * 4);
  killChild(applet.process);
}

// The same fixed date from copies of the program at paths of several lengths: where a tree is
// cloned must not decide whether the faked clock works (in the sanitized build the length of the
// path once decided whether the program came up at all).
TEST(Face, FirstOfJanuary2000WhereverTheProgramLies) {
  namespace fs = std::filesystem;
  char pattern[] = "/tmp/dockorrery-test.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  XServer server;
  for (const size_t depth : {0u, 50u, 100u}) {
    const fs::path folder = fs::path(pattern) / std::string(depth, 'p');
    const fs::path program = folder / "dockorrery";
    SCOPED_TRACE(program);
    fs::create_directories(folder);
    fs::copy_file(BINARY_DIR "/dockorrery", program);
    Applet applet = startApplet(server, {}, "2000-01-01 12:00:00", program);
    EXPECT_EQ(waitForReadout(server.display(), applet.mainWindow, "01.01.2000"), "01.01.2000");
    killChild(applet.process);
  }
  fs::remove_all(pattern);
}

TEST(Face, FollowsTheClockPastMidnight) {
  XServer server;
  // "@" starts the fake clock at that time and lets it run.
  auto started = std::chrono::steady_clock::now();
  Applet applet = startApplet(server, {}, "@1999-12-31 23:59:58");
  Display* d = server.display();
  // Every readout seen on the way, so that a slow start on a busy machine can't fail the test:
  // what matters is the last day of 1999 giving way to 1 January within three seconds of
  // midnight (the clock is read every 102nd frame, about once a second).
  std::vector<std::string> seen;
  waitUntil(
      [&] {
        std::string text = readoutText(grabFace(d, applet.mainWindow));
        // Not the window before its first frame, blank or white.
        bool drawn = !text.empty() && text.find('?') == std::string::npos;
        if (drawn && (seen.empty() || seen.back() != text)) seen.push_back(text);
        return text == "01.01.2000";
      },
      std::chrono::duration_cast<std::chrono::milliseconds>(
          started + std::chrono::seconds(2 + 3) - std::chrono::steady_clock::now()));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), "01.01.2000");
  if (seen.size() > 1) {
    EXPECT_EQ(seen, (std::vector<std::string>{"31.12.1999", "01.01.2000"}));
  }
  killChild(applet.process);
}

}  // namespace
