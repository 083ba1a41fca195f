// The floor of the applet's design: one 64x64 window selecting the applet's events and the same
// loop, one event per pass while any is queued, else a 10 ms sleep, with nothing drawn at all.
// Whatever the applet spends beyond this client is the cost of its frames.
//
// With the argument "copies" each idle pass also copies a pixmap of the artwork's size onto the
// window and onto an unmapped child, as the applet's refresh does, and flushes: the least that a
// client showing a new frame every pass can spend, with nothing computed and nothing drawn.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "applet/art/face_layout.h"

using namespace dockorrery;

int main(int argc, char** argv) {
  const bool copies = argc > 1 && std::strcmp(argv[1], "copies") == 0;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "floor_client: can't open display %s\n", XDisplayName(nullptr));
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kFaceSize, kFaceSize, 1,
                          BlackPixel(display, screen), WhitePixel(display, screen));
  // Named as the applet names its window, by the path it was started as, so that the harness
  // finds each floor by the file it runs from.
  XClassHint classHint;
  classHint.res_name = argv[0];
  classHint.res_class = argv[0];
  XSetClassHint(display, window, &classHint);
  XSelectInput(display, window,
               KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                   EnterWindowMask | LeaveWindowMask | PointerMotionMask | ExposureMask |
                   StructureNotifyMask);
  Window child = 0;
  Pixmap pixmap = 0;
  GC gc = nullptr;
  if (copies) {
    child = XCreateSimpleWindow(display, window, 0, 0, kFaceSize, kFaceSize, 1,
                                BlackPixel(display, screen), WhitePixel(display, screen));
    pixmap = XCreatePixmap(display, window, kArtworkWidth, kArtworkHeight,
                           DefaultDepth(display, screen));
    XGCValues values;
    values.graphics_exposures = False;
    gc = XCreateGC(display, window, GCGraphicsExposures, &values);
  }
  XMapWindow(display, window);

  XEvent event;
  for (;;) {
    if (XPending(display) > 0) {
      XNextEvent(display, &event);
      continue;
    }
    if (copies) {
      XCopyArea(display, pixmap, child, gc, 0, 0, kArtworkWidth, kArtworkHeight, 0, 0);
      XCopyArea(display, pixmap, window, gc, 0, 0, kArtworkWidth, kArtworkHeight, 0, 0);
      XFlush(display);
    }
    usleep(10000);
  }
}
