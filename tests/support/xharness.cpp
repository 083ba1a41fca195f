#include "tests/support/xharness.h"

#include "applet/face_art.h"
#include "applet/readout_layout.h"
#include "tests/support/sanitizer_reports.h"
#include "tests/support/xpm_reader.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

using namespace dockorrery;

extern char** environ;

namespace {

std::vector<char*> cStrings(const std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (const std::string& s : strings) result.push_back(const_cast<char*>(s.c_str()));
  result.push_back(nullptr);
  return result;
}

}  // namespace

Child spawn(const std::string& path, const std::vector<std::string>& argv,
            const std::vector<std::string>& env) {
  Child child;
  char pattern[] = "/tmp/dockorrery-stderr.XXXXXX";
  int errFd = mkstemp(pattern);
  if (errFd < 0) throw std::runtime_error("mkstemp failed");
  child.stderrPath = pattern;
  std::vector<char*> args = cStrings(argv);
  const std::vector<std::string> childEnv = withSanitizerOptions(env);
  std::vector<char*> envp = cStrings(childEnv);
  const pid_t parent = getpid();
  child.pid = fork();
  if (child.pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);  // the test ended before the signal was armed
    dup2(errFd, 2);
    int devNull = open("/dev/null", O_RDWR);
    dup2(devNull, 0);
    dup2(devNull, 1);
    setpgid(0, 0);
    // An empty vector reaches the program as argc 0 with argv[0] null.
    char* noArgs[] = {nullptr};
    execve(path.c_str(), argv.empty() ? noArgs : args.data(), envp.data());
    _exit(127);
  }
  close(errFd);
  return child;
}

int waitChild(Child& child, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (child.pid > 0) {
    int status;
    pid_t r = waitpid(child.pid, &status, WNOHANG);
    if (r == child.pid) {
      child.pid = -1;
      return status;
    }
    if (std::chrono::steady_clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return -1;
}

void killChild(Child& child) {
  if (child.pid > 0) {
    kill(-child.pid, SIGKILL);
    kill(child.pid, SIGKILL);
    waitpid(child.pid, nullptr, 0);
    // libfaketime keeps a shared memory segment and a semaphore named by the pid of the program
    // it is preloaded into, and removes them only when that program exits.
    const std::string pid = std::to_string(child.pid);
    unlink(("/dev/shm/faketime_shm_" + pid).c_str());
    unlink(("/dev/shm/sem.faketime_sem_" + pid).c_str());
    child.pid = -1;
  }
  if (!child.stderrPath.empty()) keepStderrReports(childStderr(child));
  if (!child.stderrPath.empty()) unlink(child.stderrPath.c_str());
  child.stderrPath.clear();
}

std::string childStderr(const Child& child) {
  std::ifstream in(child.stderrPath);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TemporaryDirectory::TemporaryDirectory(const std::string& what)
    : path_("/tmp/dockorrery-" + what + ".XXXXXX") {
  if (mkdtemp(path_.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + path_);
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

TemporaryDirectory::TemporaryDirectory(TemporaryDirectory&& other) noexcept
    : path_(std::exchange(other.path_, {})) {}

TemporaryDirectory& TemporaryDirectory::operator=(TemporaryDirectory&& other) noexcept {
  if (this != &other) {
    TemporaryDirectory old(std::move(*this));
    path_ = std::exchange(other.path_, {});
  }
  return *this;
}

std::string processFile(pid_t pid, const std::string& name) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string processStatusText(pid_t pid, const std::string& field) {
  std::istringstream status(processFile(pid, "status"));
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return line.substr(field.size() + 1);
  }
  throw std::runtime_error("no " + field + " for process " + std::to_string(pid));
}

long processStatusField(pid_t pid, const std::string& field) {
  return std::stol(processStatusText(pid, field));
}

bool stopWhileSleeping(pid_t pid) {
  for (int attempt = 0; attempt < 200; attempt++) {
    kill(pid, SIGSTOP);
    waitUntil([&] { return processFile(pid, "stat").find(") T ") != std::string::npos; });
    std::istringstream syscallFile(processFile(pid, "syscall"));
    long number = -1;
    syscallFile >> number;
    bool sleeping = number == SYS_clock_nanosleep;
#ifdef SYS_nanosleep
    sleeping |= number == SYS_nanosleep;
#endif
    if (sleeping) return true;
    kill(pid, SIGCONT);
    // Let it run on for a varying while, so as not to stop it at the same point of every frame.
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + 700 * (attempt % 7)));
  }
  return false;
}

std::vector<std::string> environmentWith(const std::vector<std::string>& overrides) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; *e != nullptr; e++) {
    std::string entry = *e;
    vars[entry.substr(0, entry.find('='))] = entry;
  }
  for (const std::string& o : overrides) {
    size_t eq = o.find('=');
    if (eq == std::string::npos) {
      vars.erase(o);
    } else {
      vars[o.substr(0, eq)] = o;
    }
  }
  std::vector<std::string> result;
  for (const auto& [name, entry] : vars) result.push_back(entry);
  return result;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Display* connectDisplay(const std::string& name) {
  for (int attempt = 1;; attempt++) {
    Display* display = XOpenDisplay(name.c_str());
    if (display != nullptr || attempt == kConnectionAttempts) return display;
    std::this_thread::sleep_for(std::chrono::milliseconds(20 * attempt));
  }
}

bool refusedDisplay(int status, const std::string& stderrText) {
  return WIFEXITED(status) && WEXITSTATUS(status) == 1 &&
         stderrText.find(": can't open display ") != std::string::npos;
}

ClaimedDisplay claimDisplay() {
  for (int n = 600 + getpid() % 300, tries = 0; tries < 200; n++, tries++) {
    ClaimedDisplay claim = {":" + std::to_string(n), "/tmp/.X11-unix/X" + std::to_string(n),
                            "/tmp/.X" + std::to_string(n) + "-lock"};
    const int lockFd = open(claim.lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0444);
    if (lockFd < 0) continue;
    char pid[16];
    const int length = snprintf(pid, sizeof pid, "%10d\n", static_cast<int>(getpid()));
    const bool written = write(lockFd, pid, length) == length;
    close(lockFd);
    if (written && access(claim.socketPath.c_str(), F_OK) != 0) return claim;
    unlink(claim.lockPath.c_str());
  }
  throw std::runtime_error("no free display number");
}

void releaseDisplay(const ClaimedDisplay& claim) {
  unlink(claim.socketPath.c_str());
  unlink(claim.lockPath.c_str());
}

XServer::XServer(const std::string& screen, const std::vector<std::string>& extra) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> argv = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                   screen, "-nolisten", "tcp"};
  argv.insert(argv.end(), extra.begin(), extra.end());
  // The write end must survive exec in the server only.
  server_ = spawn("/usr/bin/Xvfb", argv, environmentWith({}));
  close(fds[1]);
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) throw std::runtime_error("Xvfb did not start: " + childStderr(server_));
  name_ = ":" + number;
  display_ = connectDisplay(name_);
  if (display_ == nullptr) throw std::runtime_error("cannot connect to " + name_);
}

XServer::~XServer() {
  if (display_ != nullptr) XCloseDisplay(display_);
  killChild(server_);
}

void XServer::stop(int signal) {
  if (display_ != nullptr) XCloseDisplay(display_);
  display_ = nullptr;
  if (server_.pid > 0) kill(server_.pid, signal);
  waitChild(server_, std::chrono::seconds(10));
  killChild(server_);
}

namespace {

int ignoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

XErrorsIgnored::XErrorsIgnored(Display* display) : display_(display) {
  if (display_ != nullptr) XSync(display_, False);
  previous_ = XSetErrorHandler(ignoreXError);
}

XErrorsIgnored::~XErrorsIgnored() {
  if (display_ != nullptr) XSync(display_, False);
  XSetErrorHandler(previous_);
}

bool viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

std::vector<Window> findWindowsByClass(Display* display, const std::string& resName) {
  // A window may be destroyed between being listed and being read (a window manager's own come
  // and go): its BadWindow is expected here and must not end the test through Xlib.
  const XErrorsIgnored ignored(display);
  std::vector<Window> found;
  std::vector<Window> pending = {DefaultRootWindow(display)};
  while (!pending.empty()) {
    Window w = pending.back();
    pending.pop_back();
    XClassHint hint;
    if (XGetClassHint(display, w, &hint) != 0) {
      if (resName == hint.res_name) found.push_back(w);
      XFree(hint.res_name);
      XFree(hint.res_class);
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, w, &root, &parent, &children, &count) != 0) {
      for (unsigned i = 0; i < count; i++) pending.push_back(children[i]);
      if (children != nullptr) XFree(children);
    }
  }
  return found;
}

Child startUntil(const std::string& path, const std::vector<std::string>& argv,
                 const std::vector<std::string>& env, const std::function<bool()>& up) {
  for (int attempt = 1;; attempt++) {
    Child child = spawn(path, argv, env);
    int status = -1;
    if (waitUntil([&] { return up() || (status = waitChild(child, {})) != -1; }) &&
        status == -1) {
      return child;
    }
    const std::string err = childStderr(child);
    killChild(child);
    if (!refusedDisplay(status, err) || attempt == kConnectionAttempts) {
      throw std::runtime_error(path + " did not come up: " + err);
    }
  }
}

const std::string& appletPath() {
  static const std::string path = BINARY_DIR "/dockorrery";
  return path;
}

namespace {

// The variable that preloads libfaketime.
std::string fakeTimePreload() {
  if (std::string(FAKETIME_LIBRARY).empty()) throw std::runtime_error("libfaketime not found");
  return "LD_PRELOAD=" FAKETIME_LIBRARY;
}

// Writes `line` to `path` through a file beside it renamed into place.
void replaceFile(const std::string& path, const std::string& line) {
  const std::string next = path + ".next";
  std::ofstream out(next);
  out << line << "\n";
  out.close();
  if (!out || rename(next.c_str(), path.c_str()) != 0) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace

MovableClock::MovableClock(const std::string& fakeTime)
    : folder_("clock"), path_(folder_.path() + "/time") {
  set(fakeTime);
}

void MovableClock::set(const std::string& fakeTime) { replaceFile(path_, fakeTime); }

std::vector<std::string> fakeClockEnvironment(const std::string& fakeTime) {
  return {fakeTimePreload(), "FAKETIME=" + fakeTime};
}

std::vector<std::string> fakeClockEnvironment(const MovableClock& clock) {
  // FAKETIME_NO_CACHE: libfaketime would otherwise keep what it read for ten seconds.
  return {fakeTimePreload(), "FAKETIME", "FAKETIME_TIMESTAMP_FILE=" + clock.path(),
          "FAKETIME_NO_CACHE=1"};
}

namespace {

// Starts the applet with `clock`, variables as fakeClockEnvironment gives them.
Applet startAppletWith(XServer& server, const std::vector<std::string>& args,
                       const std::vector<std::string>& clock, const std::string& program) {
  const std::string binary = program.empty() ? appletPath() : program;
  std::vector<std::string> argv = {binary};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = {"DISPLAY=" + server.name(), "TZ=UTC"};
  env.insert(env.end(), clock.begin(), clock.end());
  Applet applet;
  Display* display = server.display();
  auto ready = [&] {
    for (Window w : findWindowsByClass(display, binary)) {
      XWMHints* hints = XGetWMHints(display, w);
      if (hints == nullptr) continue;
      applet.mainWindow = w;
      applet.iconWindow = (hints->flags & IconWindowHint) ? hints->icon_window : 0;
      XFree(hints);
      return applet.iconWindow != 0;
    }
    return false;
  };
  applet.process = startUntil(binary, argv, environmentWith(env), ready);
  return applet;
}

}  // namespace

Applet startApplet(XServer& server, const std::vector<std::string>& args,
                   const std::string& fakeTime, const std::string& program) {
  const std::vector<std::string> clock =
      fakeTime.empty() ? std::vector<std::string>{} : fakeClockEnvironment(fakeTime);
  return startAppletWith(server, args, clock, program);
}

Applet startApplet(XServer& server, const std::vector<std::string>& args,
                   const MovableClock& clock) {
  return startAppletWith(server, args, fakeClockEnvironment(clock), "");
}

Ending runToEnd(const std::string& path, const std::vector<std::string>& argv,
                const std::vector<std::string>& env, const std::string& expectedStderr,
                std::chrono::milliseconds timeout, const std::function<bool()>& running) {
  for (int attempt = 1;; attempt++) {
    Child child = spawn(path, argv, env);
    Ending ending;
    waitUntil(
        [&] { return (ending.status = waitChild(child, {})) != -1 || (running && running()); },
        timeout);
    ending.stderrText = childStderr(child);
    killChild(child);
    if (ending.stderrText == expectedStderr || !refusedDisplay(ending.status, ending.stderrText) ||
        attempt == kConnectionAttempts) {
      return ending;
    }
  }
}

Face grabFace(Display* display, Window window) {
  XImage* image = XGetImage(display, window, 0, 0, kFaceSize, kFaceSize, AllPlanes, ZPixmap);
  if (image == nullptr) throw std::runtime_error("XGetImage failed");
  Face face(kFaceSize * kFaceSize);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, window, &attributes);
  for (int y = 0; y < kFaceSize; y++) {
    for (int x = 0; x < kFaceSize; x++) {
      XColor color;
      color.pixel = XGetPixel(image, x, y);
      if (attributes.visual->c_class == TrueColor) {
        face[y * kFaceSize + x] = static_cast<uint32_t>(color.pixel & 0xFFFFFF);
      } else {
        XQueryColor(display, attributes.colormap, &color);
        face[y * kFaceSize + x] = static_cast<uint32_t>(((color.red >> 8) << 16) |
                                                        ((color.green >> 8) << 8) |
                                                        (color.blue >> 8));
      }
    }
  }
  XDestroyImage(image);
  return face;
}

namespace {

// The artwork's pixels as 0xRRGGBB, read from the XPM text the applet is built from.
const XpmPixels& artwork() {
  static const XpmPixels image = [] {
    XpmPixels read;
    std::string error;
    if (!readXpm(faceXpm, read, &error)) throw std::runtime_error("artwork: " + error);
    return read;
  }();
  return image;
}

// True when the glyph cell at (x, y) of the face equals the artwork's cell at (ax, ay).
bool cellMatches(const Face& face, int x, int y, int ax, int ay) {
  for (int dy = 0; dy < kGlyphHeight; dy++) {
    for (int dx = 0; dx < kGlyphWidth; dx++) {
      if (pixelAt(face, x + dx, y + dy) != artwork().at(ax + dx, ay + dy)) return false;
    }
  }
  return true;
}

bool cellBlank(const Face& face, int x, int y) {
  for (int dy = 0; dy < kGlyphHeight; dy++) {
    for (int dx = 0; dx < kGlyphWidth; dx++) {
      if (pixelAt(face, x + dx, y + dy) != 0) return false;
    }
  }
  return true;
}

}  // namespace

std::string readoutText(const Face& face) {
  std::string text;
  for (int j = 0; j < kReadoutCells; j++) {
    const int x = kReadoutX + kGlyphWidth * j;
    char c = '?';
    if (cellBlank(face, x, kReadoutY)) c = ' ';
    if (cellMatches(face, x, kReadoutY, kPointGlyphX, kDigitRow)) c = '.';
    for (int d = 0; d < 10; d++) {
      if (cellMatches(face, x, kReadoutY, digitGlyphX(d), kDigitRow)) {
        c = static_cast<char>('0' + d);
      }
    }
    text += c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string labelText(const Face& face) {
  auto letter = [&](int cell, char k) {
    return cellMatches(face, kLabelX + kGlyphWidth * cell, kLabelY, letterGlyphX(k), kLetterRow);
  };
  if (letter(0, 'O') && letter(1, 'U') && letter(2, 'T')) return "OUT";
  if (letter(0, 'I') && letter(1, 'N') && cellBlank(face, kLabelX + 2 * kGlyphWidth, kLabelY)) {
    return "IN";
  }
  return "?";
}

namespace {

// Sends `event` to `window` under `mask`, and waits until the server has taken it.
void sendTo(Display* display, Window window, long mask, XEvent& event) {
  event.xany.window = window;
  XSendEvent(display, window, False, mask, &event);
  XSync(display, False);
}

}  // namespace

void sendPress(Display* display, Window window, int x, int y, unsigned button) {
  XEvent press{};
  press.xbutton.type = ButtonPress;
  press.xbutton.x = x;
  press.xbutton.y = y;
  press.xbutton.button = button;
  sendTo(display, window, ButtonPressMask, press);
}

void sendExpose(Display* display, Window window) {
  XEvent expose{};
  expose.xexpose.type = Expose;
  expose.xexpose.width = expose.xexpose.height = kFaceSize;
  sendTo(display, window, ExposureMask, expose);
}

void sendClientMessage(Display* display, Window window) {
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.format = 32;
  // No mask: the event goes to the client that made the window.
  sendTo(display, window, NoEventMask, message);
}

void movePointer(Display* display, Window window, int x, int y) {
  int rootX, rootY;
  Window child;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  XSync(display, False);
}

void click(Display* display, Window window, int x, int y, unsigned button) {
  movePointer(display, window, x, y);
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  XSync(display, False);
}

std::string waitForReadout(Display* display, Window window, const std::string& text,
                           std::chrono::milliseconds timeout) {
  std::string seen;
  waitUntil([&] { return (seen = readoutText(grabFace(display, window))) == text; }, timeout);
  return seen;
}

KeyboardClient openKeyboardClient(const std::string& name, int x, int y) {
  KeyboardClient client;
  client.display = connectDisplay(name);
  if (client.display == nullptr) throw std::runtime_error("cannot connect to " + name);
  Display* d = client.display;
  client.window = XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, 120, 80, 0,
                                      BlackPixel(d, DefaultScreen(d)),
                                      WhitePixel(d, DefaultScreen(d)));
  XSelectInput(d, client.window, KeyPressMask);
  XMapRaised(d, client.window);
  XSync(d, False);
  waitUntil([&] { return viewable(d, client.window); });
  return client;
}

void closeKeyboardClient(KeyboardClient& client) {
  if (client.display != nullptr) XCloseDisplay(client.display);
  client = {};
}

Window focusWindow(Display* display) {
  XSync(display, False);
  Window focus = 0;
  int revert;
  XGetInputFocus(display, &focus, &revert);
  return focus;
}

int crossWindows(Display* display, const std::vector<Window>& windows, int times) {
  // Several clients may ask for crossings on one window: this connection's own request leaves
  // the applet's untouched, and its queue holds nothing else.
  Display* witness = connectDisplay(DisplayString(display));
  if (witness == nullptr) throw std::runtime_error("cannot connect to the display");
  for (Window w : windows) XSelectInput(witness, w, EnterWindowMask);
  XSync(witness, False);
  // Far from every window a dock or a bare server puts the applet in: the bottom left corner.
  const int outsideX = 0, outsideY = DisplayHeight(display, DefaultScreen(display)) - 1;
  for (int i = 0; i < times; i++) {
    for (Window w : windows) {
      XTestFakeMotionEvent(display, -1, outsideX, outsideY, CurrentTime);
      movePointer(display, w, 32, 32);
    }
  }
  XTestFakeMotionEvent(display, -1, outsideX, outsideY, CurrentTime);
  XSync(display, False);
  XSync(witness, False);
  int entered = 0;
  XEvent event;
  while (XCheckTypedEvent(witness, EnterNotify, &event)) entered++;
  XCloseDisplay(witness);
  return entered;
}

int typeKeys(Display* display, KeyboardClient& client, int count) {
  const KeyCode key = XKeysymToKeycode(display, XK_a);
  for (int i = 0; i < count; i++) {
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
  }
  XSync(display, False);
  int received = 0;
  waitUntil([&] {
    XEvent event;
    while (XCheckTypedWindowEvent(client.display, client.window, KeyPress, &event)) received++;
    return received >= count;
  });
  return received;
}
