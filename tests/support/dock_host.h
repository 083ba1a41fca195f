// The dock hosts users run the applet in, each started as a session from its own files in a
// temporary home: examples/hosts/HOST holds the files the README tells a user to write (the
// package installs them as its examples), tests/hosts/HOST/session the command that starts the
// session, and the optional tests/hosts/HOST/system-copy names files of the host's own that the
// user copies first ("TARGET SYSTEM-FILE" a line; the snippet at TARGET in the home is added at
// the copy's end), and the optional tests/hosts/HOST/ready the WM_CLASS name of the window that
// shows the host's start-up done (AfterStep holds the pointer, and takes a press as "cancel",
// until its last module is up).
#pragma once

#include "tests/support/xharness.h"

#include <X11/Xlib.h>

#include <string>

// A running session: the host, and whatever it started (the applet included), in one process
// group. Stopping it kills the group and removes the home.
struct HostSession {
  Child process;
  TemporaryDirectory home;
  TemporaryDirectory bin;  // holds the `dockorrery` the session finds on its PATH
};

// Where the applet's face shows: the window of the pair that is mapped inside a window of the
// host (the icon window, or the main window where the host swallows that), and the host's
// top-level window that holds it.
struct DockedFace {
  Window face = 0;
  Window dock = 0;
  Window mainWindow = 0;
  Window iconWindow = 0;
};

// Starts the session of `host` on `server` and waits until the host has taken in the applet's
// face. The session finds `dockorrery` on its PATH: the built program, started under that name
// as an installed one would be, with TZ=UTC and its clock fixed at `fakeTime`
// (fakeClockEnvironment's syntax). Xvfb now and then refuses one of the many connections a host,
// its modules and the applet make at once: a session that has taken nothing in within `timeout`
// is stopped and started again, up to kConnectionAttempts times in all. Throws
// std::runtime_error with the last session's standard error when none did.
HostSession startDockedSession(XServer& server, const std::string& host,
                               const std::string& fakeTime, DockedFace& docked,
                               std::chrono::milliseconds timeout = std::chrono::seconds(20));
void stopHostSession(HostSession& session);

// After a host has been told to restart: waits until the dock window `docked.dock` is gone and
// the host has taken in the applet's face again, in a dock of its new start-up, where the face
// then stays put; `docked` is then that face. False when either does not happen within `timeout`.
bool waitForDockedAgain(Display* display, DockedFace& docked,
                        std::chrono::milliseconds timeout = std::chrono::seconds(20));

// What the screen shows over the 64x64 of the applet's window that is on top at the middle of
// the face, as 0xRRGGBB pixels row by row: read from the root window, so that whatever covers
// the face is what is seen. A host may show both windows of the pair, one over the other (the
// Wharf, after a press, the main window a border's width off the icon window): the user sees the
// upper one.
Face screenFace(Display* display, const DockedFace& docked);

// Pixels of the window shape's square, kShapeFirst to kShapeLast, in which `seen` and `expected` differ,
// with the first of them described; empty when they agree.
std::string faceDifference(const Face& seen, const Face& expected);
