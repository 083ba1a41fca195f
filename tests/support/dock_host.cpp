#include "tests/support/dock_host.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

using namespace dockorrery;

namespace fs = std::filesystem;

namespace {

const fs::path kHosts = SOURCE_DIR "/tests/hosts";
// What the user writes in the home directory, shipped as the package's examples.
const fs::path kHomes = SOURCE_DIR "/examples/hosts";

std::string readFile(const fs::path& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The host's files in `home`: copies of the host's own files where the user starts from one,
// each followed by the snippet, and the other snippets as they are.
void writeHome(const std::string& host, const std::string& home) {
  fs::copy(kHomes / host, home, fs::copy_options::recursive);
  const fs::path copies = kHosts / host / "system-copy";
  if (!fs::exists(copies)) return;
  std::istringstream lines(readFile(copies));
  std::string target, systemFile;
  while (lines >> target >> systemFile) {
    const std::string snippet = readFile(fs::path(home) / target);
    std::ofstream(fs::path(home) / target) << readFile(systemFile) << snippet;
  }
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// The child of the root window that holds `window` (the window itself when it is one).
Window topLevel(Display* display, Window window) {
  for (;;) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return 0;
    if (children != nullptr) XFree(children);
    if (parent == root) return window;
    window = parent;
  }
}

// The applet's face once a host has taken it in; false while there is none.
bool findDockedFace(Display* display, DockedFace& docked) {
  // Hosts create and destroy windows of their own while they start: a window may go between
  // being listed and being read.
  const XErrorsIgnored ignored(display);
  bool found = false;
  for (Window main : findWindowsByClass(display, "dockorrery")) {
    XWMHints* hints = XGetWMHints(display, main);
    if (hints == nullptr) continue;
    const Window icon = (hints->flags & IconWindowHint) ? hints->icon_window : 0;
    XFree(hints);
    for (Window face : {icon, main}) {
      if (face == 0 || !viewable(display, face)) continue;
      const Window dock = topLevel(display, face);
      if (dock == 0 || dock == main) continue;  // not taken in by the host
      docked = {face, dock, main, icon};
      found = true;
      break;
    }
    if (found) break;
  }
  return found;
}

// Waits until the face has stayed where it is for a second: a host lays its dock out again
// as more of it starts (AfterStep's Wharf, as it swallows its clock after the applet).
bool settled(Display* display, DockedFace& docked, std::chrono::milliseconds timeout) {
  auto since = std::chrono::steady_clock::now();
  int lastX = -1, lastY = -1;
  return waitUntil(
      [&] {
        if (!findDockedFace(display, docked)) return false;
        int x, y;
        Window child;
        XTranslateCoordinates(display, docked.face, DefaultRootWindow(display), 0, 0, &x, &y, &child);
        if (x != lastX || y != lastY) {
          lastX = x;
          lastY = y;
          since = std::chrono::steady_clock::now();
        }
        return std::chrono::steady_clock::now() - since >= std::chrono::seconds(1);
      },
      timeout);
}

HostSession startSession(XServer& server, const std::string& host, const std::string& fakeTime) {
  HostSession session;
  session.home = TemporaryDirectory("home");
  session.bin = TemporaryDirectory("bin");
  writeHome(host, session.home.path());
  // Started by name, as a session starts an installed program: argv[0] is "dockorrery".
  const fs::path wrapper = fs::path(session.bin.path()) / "dockorrery";
  std::ofstream script(wrapper);
  script << "#!/bin/bash\nexport TZ=UTC\n";
  for (const std::string& variable : fakeClockEnvironment(fakeTime)) {
    const size_t equals = variable.find('=');
    script << "export " << variable.substr(0, equals) << "='" << variable.substr(equals + 1)
           << "'\n";
  }
  script << "exec -a dockorrery " << appletPath() << " \"$@\"\n";
  script.close();
  fs::permissions(wrapper, fs::perms::owner_all);
  const std::string command = trimmed(readFile(kHosts / host / "session"));
  const char* path = std::getenv("PATH");
  session.process = spawn("/bin/sh", {"sh", "-c", "cd && exec " + command},
                          environmentWith({"HOME=" + session.home.path(), "DISPLAY=" + server.name(),
                                           "PATH=" + session.bin.path() + ":" +
                                               (path != nullptr ? path : "/usr/bin:/bin")}));
  return session;
}

}  // namespace

HostSession startDockedSession(XServer& server, const std::string& host,
                               const std::string& fakeTime, DockedFace& docked,
                               std::chrono::milliseconds timeout) {
  std::string stderrText;
  for (int attempt = 0; attempt < kConnectionAttempts; ++attempt) {
    HostSession session = startSession(server, host, fakeTime);
    const fs::path ready = kHosts / host / "ready";
    const std::string lastWindow = fs::exists(ready) ? trimmed(readFile(ready)) : "";
    if (waitUntil([&] { return findDockedFace(server.display(), docked); }, timeout) &&
        (lastWindow.empty() || waitUntil([&] {
           return !findWindowsByClass(server.display(), lastWindow).empty();
         }, timeout)) &&
        settled(server.display(), docked, timeout)) {
      return session;
    }
    stderrText = childStderr(session.process);
    stopHostSession(session);
  }
  throw std::runtime_error(host + " took in no window of the applet:\n" + stderrText);
}

bool waitForDockedAgain(Display* display, DockedFace& docked, std::chrono::milliseconds timeout) {
  const Window previousDock = docked.dock;
  const auto gone = [&] {
    const XErrorsIgnored ignored(display);
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, previousDock, &attributes) == 0;
  };
  return waitUntil(gone, timeout) && settled(display, docked, timeout);
}

void stopHostSession(HostSession& session) {
  killChild(session.process);
  session.home = {};
  session.bin = {};
}

namespace {

// The deepest window that holds the root point (x, y), bounding shapes considered.
Window windowAt(Display* display, int x, int y) {
  Window window = DefaultRootWindow(display);
  for (;;) {
    int childX, childY;
    Window child = 0;
    if (!XTranslateCoordinates(display, DefaultRootWindow(display), window, x, y, &childX, &childY,
                               &child) ||
        child == 0) {
      return window;
    }
    window = child;
  }
}

}  // namespace

Face screenFace(Display* display, const DockedFace& docked) {
  const Window root = DefaultRootWindow(display);
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, docked.face, root, 32, 32, &x, &y, &child);
  // A host's windows may go while they are walked (AfterStep's frame of a withdrawn Wharf).
  const Window top = [&] {
    const XErrorsIgnored ignored(display);
    return windowAt(display, x, y);
  }();
  const Window window =
      top == docked.mainWindow || top == docked.iconWindow ? top : docked.face;
  XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
  const int screenWidth = DisplayWidth(display, DefaultScreen(display));
  const int screenHeight = DisplayHeight(display, DefaultScreen(display));
  Face face(kFaceSize * kFaceSize, 0xFF000000u);  // off the screen: no colour at all
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + kFaceSize, screenWidth), y1 = std::min(y + kFaceSize, screenHeight);
  if (x1 <= x0 || y1 <= y0) return face;
  XImage* image = XGetImage(display, root, x0, y0, x1 - x0, y1 - y0, AllPlanes, ZPixmap);
  if (image == nullptr) throw std::runtime_error("XGetImage failed");
  for (int sy = y0; sy < y1; ++sy) {
    for (int sx = x0; sx < x1; ++sx) {
      const unsigned long pixel = XGetPixel(image, sx - x0, sy - y0);
      face[(sy - y) * kFaceSize + sx - x] = static_cast<uint32_t>(pixel & 0xFFFFFF);
    }
  }
  XDestroyImage(image);
  return face;
}

std::string faceDifference(const Face& seen, const Face& expected) {
  int count = 0;
  char first[96] = "";
  for (int y = kShapeFirst; y <= kShapeLast; ++y) {
    for (int x = kShapeFirst; x <= kShapeLast; ++x) {
      if (pixelAt(seen, x, y) == pixelAt(expected, x, y)) continue;
      if (count++ == 0) {
        std::snprintf(first, sizeof first, "first at (%d, %d): 0x%06x where 0x%06x belongs", x, y,
                      pixelAt(seen, x, y), pixelAt(expected, x, y));
      }
    }
  }
  return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
}
