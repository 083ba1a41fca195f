// The dock hosts users run the applet in, each started as a session from its own files in a
// temporary home: tests/hosts/HOST/home holds the files the README tells a user to write,
// tests/hosts/HOST/session the command that starts the session, and the optional
// tests/hosts/HOST/system-copy names files of the host's own that the user copies first
// ("TARGET SYSTEM-FILE" a line; the snippet in home/TARGET is added at the copy's end).
#pragma once

#include "tests/support/xsession.h"

#include <X11/Xlib.h>

#include <string>

// A running session: the host, and whatever it started (the applet included), in one process
// group. Stopping it kills the group and removes the home.
struct HostSession {
  Child process;
  std::string home;
  std::string bin;  // holds the `dockorrery` the session finds on its PATH
};

// Starts the session of `host` on `server`. The session finds `dockorrery` on its PATH: the
// built program, started under that name with its clock fixed at `fakeTime` (libfaketime's
// syntax) and TZ=UTC, so that it runs as an installed one would, started by name.
HostSession startHostSession(XServer& server, const std::string& host, const std::string& fakeTime);
void stopHostSession(HostSession& session);

// Where the applet's face shows: the window of the pair that is mapped inside a window of the
// host (the icon window, or the main window where the host swallows that), and the host's
// top-level window that holds it.
struct DockedFace {
  Window face = 0;
  Window dock = 0;
};

// The applet's face once a host has taken it in; false while there is none.
bool findDockedFace(Display* display, DockedFace& docked);

// What the screen shows over the 64x64 of `window`, as 0xRRGGBB pixels row by row: read from the
// root window, so that whatever covers the face is what is seen.
Face screenFace(Display* display, Window window);

// Pixels of the window shape's square (4, 4)-(59, 59) in which `seen` and `expected` differ,
// with the first of them described; empty when they agree.
std::string faceDifference(const Face& seen, const Face& expected);
