// The real program's X protocol, recorded by xtrace: after start-up it only copies areas, at most
// 21 per idle frame, and any number of exposures costs one copy per window.

// GoogleTest first: Xlib defines macros (None, Bool, Status) that clash with it.
#include <gtest/gtest.h>

#include "applet/art/face_layout.h"
#include "tests/support/protocol_trace.h"
#include "tests/support/xharness.h"

#include <signal.h>

#include <cstdio>
#include <map>
#include <sstream>

using namespace dockorrery;

namespace {

std::string hexId(unsigned long id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", id);
  return text;
}

bool isCopy(const TraceLine& line) {
  return line.kind == TraceLine::kRequest && line.name == "CopyArea";
}

// What one stretch of the record between two frame starts holds.
struct Stretch {
  int copies = 0;                    // CopyArea requests of any kind
  std::string windowCopies;          // 'i' for a copy to the icon window, 'm' to the main one
  std::map<std::string, int> other;  // any other request, by name
  bool allFromMaster = true;         // every copy reads the master pixmap
};

Stretch stretch(const std::vector<TraceLine>& lines, size_t begin, size_t end,
                const std::string& master, const std::string& mainId, const std::string& iconId) {
  Stretch s;
  for (size_t i = begin; i < end; i++) {
    const TraceLine& line = lines[i];
    if (line.kind != TraceLine::kRequest) continue;
    if (!isCopy(line)) {
      s.other[line.name]++;
      continue;
    }
    s.copies++;
    s.allFromMaster &= traceField(line, "src-drawable") == master;
    const std::string to = traceField(line, "dst-drawable");
    if (to == iconId) s.windowCopies += 'i';
    if (to == mainId) s.windowCopies += 'm';
  }
  return s;
}

TEST(Protocol, OnlyCopiesAfterStartUpAndOneCopyPerWindowForExposures) {
  XServer server;
  ProtocolTrace trace(server);
  Applet applet = startApplet(server, {"-display", trace.name()});
  Display* d = server.display();
  const std::string mainId = hexId(applet.mainWindow), iconId = hexId(applet.iconWindow);
  auto frames = [&] { return frameStarts(trace.lines()).size(); };

  // Frames of the IN view, then of the OUT view after a left press outside the readout.
  ASSERT_TRUE(waitUntil([&] { return frames() >= 40; }));
  sendPress(d, applet.mainWindow, 30, 30, 1);
  const size_t framesBefore = frames();
  ASSERT_TRUE(waitUntil([&] { return frames() >= framesBefore + 40; }));

  // Ten exposures of the icon window and three of the main one, all queued while the applet
  // sleeps between frames, after everything it sent before; then it runs on for a few frames.
  ASSERT_TRUE(stopWhileSleeping(applet.process.pid));
  ASSERT_TRUE(waitUntil([&] { return trace.holdsAllWrittenBy(applet.process.pid); }));
  const size_t mark = trace.lines().size();
  for (int i = 0; i < 10; i++) sendExpose(d, applet.iconWindow);
  for (int i = 0; i < 3; i++) sendExpose(d, applet.mainWindow);
  // Then a message the applet ignores: xtrace passes on one message at a time and records each
  // before it passes it on, so once this one is in the record, the exposures are in the applet's
  // socket.
  sendClientMessage(d, applet.mainWindow);
  auto eventsAfterMark = [&](const std::string& name) {
    std::vector<TraceLine> lines = trace.lines();
    int n = 0;
    for (size_t i = mark; i < lines.size(); i++) {
      n += lines[i].kind == TraceLine::kEvent && lines[i].name == name;
    }
    return n;
  };
  ASSERT_TRUE(waitUntil([&] { return eventsAfterMark("ClientMessage") == 1; }));
  ASSERT_EQ(eventsAfterMark("Expose"), 13);
  kill(applet.process.pid, SIGCONT);
  const size_t framesAtMark = frames();
  ASSERT_TRUE(waitUntil([&] { return frames() >= framesAtMark + 5; }));
  const std::vector<TraceLine> lines = trace.lines();
  killChild(applet.process);

  for (const TraceLine& line : lines) {
    EXPECT_NE(line.kind, TraceLine::kError) << line.text.substr(0, 200);
  }

  // Start-up: everything up to the third frame. Its image data reaches the server only then.
  const std::vector<size_t> clears = frameStarts(lines);
  ASSERT_GE(clears.size(), 85u);
  const size_t startUpEnd = clears[2];
  std::string master;
  std::map<std::string, int> startUp;
  for (size_t i = 0; i < startUpEnd; i++) {
    if (lines[i].kind == TraceLine::kRequest) startUp[lines[i].name]++;
    if (master.empty() && isCopy(lines[i])) master = traceField(lines[i], "src-drawable");
  }
  EXPECT_GE(startUp["PutImage"], 1) << "the artwork goes over once, at start-up";

  // Every idle frame after start-up: copies only, all from the master pixmap, the two window
  // copies last and the icon window first, at most 21 in all.
  std::map<int, int> framesByCopies;
  std::map<std::string, int> requestsAfterStartUp;
  size_t exposeFrame = 0;
  for (size_t k = 2; k + 1 < clears.size(); k++) {
    Stretch s = stretch(lines, clears[k], clears[k + 1], master, mainId, iconId);
    requestsAfterStartUp["CopyArea"] += s.copies;
    for (const auto& [name, count] : s.other) requestsAfterStartUp[name] += count;
    if (clears[k] < mark && mark < clears[k + 1]) {
      exposeFrame = k;
      continue;
    }
    SCOPED_TRACE("frame from record line " + std::to_string(clears[k]));
    framesByCopies[s.copies]++;
    EXPECT_LE(s.copies, 21);
    EXPECT_EQ(s.windowCopies, "im");
    EXPECT_TRUE(s.other.empty());
    EXPECT_TRUE(s.allFromMaster);
  }
  std::ostringstream seen;
  for (const auto& [name, count] : requestsAfterStartUp) seen << " " << name << " " << count;
  seen << ";";
  for (const auto& [copies, count] : framesByCopies) {
    seen << " " << count << " frames of " << copies;
  }
  std::printf("after start-up:%s\n", seen.str().c_str());
  RecordProperty("after_start_up", seen.str());
  EXPECT_EQ(requestsAfterStartUp.size(), 1u) << seen.str();
  EXPECT_GT(framesByCopies[20], 0) << "IN: clear, ten glyphs, five dots, two letters, two windows";
  EXPECT_GT(framesByCopies[21], 0) << "OUT: one letter more";

  // The frame the applet slept in, with its exposures: one copy more to each window than any
  // frame, icon window first, for all thirteen of them.
  ASSERT_GT(exposeFrame, 0u);
  const Stretch exposed =
      stretch(lines, clears[exposeFrame], clears[exposeFrame + 1], master, mainId, iconId);
  const Stretch before =
      stretch(lines, clears[exposeFrame - 1], clears[exposeFrame], master, mainId, iconId);
  EXPECT_EQ(exposed.windowCopies, "imim");
  EXPECT_EQ(exposed.copies, before.copies + 2);
  EXPECT_TRUE(exposed.other.empty());
  std::printf("frame with 13 exposures: %d copies, to the windows in the order %s\n",
              exposed.copies, exposed.windowCopies.c_str());
}

}  // namespace
