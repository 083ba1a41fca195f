#include "dock/dock_window.h"

#include <X11/extensions/shape.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>

namespace dockorrery {

DockWindow dockWindow;

void openDisplay(char* const* argv) {
  const char* name = displayNameFromArgs(argv);
  dockWindow.display = XOpenDisplay(name);
  // Xlib takes a negative or overflowing screen number (":0.-1", ":0.4294967295") as given and
  // connects anyway; such a screen doesn't exist, and its root window would be read from outside
  // the display's screen table.
  if (dockWindow.display == nullptr || DefaultScreen(dockWindow.display) < 0 ||
      DefaultScreen(dockWindow.display) >= ScreenCount(dockWindow.display)) {
    fprintf(stderr, "%s: can't open display %s\n", programName(argv), XDisplayName(name));
    exit(1);
  }
  dockWindow.screen = DefaultScreen(dockWindow.display);
  dockWindow.rootWindow = RootWindow(dockWindow.display, dockWindow.screen);
  // A request written just as the server goes fails with EPIPE, and Xlib ends the program with
  // its message and status 1 as on any lost connection, where SIGPIPE would kill it unreported.
  signal(SIGPIPE, SIG_IGN);
}

// Pixel of a colour (a name or #rrggbb) in the root window's colormap. Neither the parse nor the
// allocation is checked: a colour that can't be had leaves the pixel at 0.
static unsigned long namedColorPixel(const char* colorName) {
  XWindowAttributes attributes;
  XGetWindowAttributes(dockWindow.display, dockWindow.rootWindow, &attributes);
  XColor color = {};
  XParseColor(dockWindow.display, attributes.colormap, colorName, &color);
  color.flags = DoRed | DoGreen | DoBlue;
  XAllocColor(dockWindow.display, attributes.colormap, &color);
  return color.pixel;
}

Window openDockWindow(int argc, char** argv, const char* const* artworkLines,
                      const unsigned char* maskBits, int maskWidth, int maskHeight,
                      const char* backColor, const char* labelColor, const char* windGustColor,
                      const char* dataColor, const char* stationTimeColor) {
  DockWindow& w = dockWindow;
  const char* program = programName(argv);

  XpmColorSymbol symbols[5] = {
      {const_cast<char*>("BackColor"), nullptr, namedColorPixel(backColor)},
      {const_cast<char*>("LabelColor"), nullptr, namedColorPixel(labelColor)},
      {const_cast<char*>("DataColor"), nullptr, namedColorPixel(dataColor)},
      {const_cast<char*>("WindGustColor"), nullptr, namedColorPixel(windGustColor)},
      {const_cast<char*>("StationTimeColor"), nullptr, namedColorPixel(stationTimeColor)},
  };
  w.xpmAttributes.colorsymbols = symbols;
  w.xpmAttributes.numsymbols = 5;
  w.xpmAttributes.exactColors = False;
  w.xpmAttributes.closeness = 40000;
  w.xpmAttributes.valuemask = XpmSize | XpmColorSymbols | XpmReturnPixels | XpmReturnExtensions |
                              XpmExactColors | XpmCloseness;
  // Any status but success, warnings such as XpmColorError included, means colours are missing.
  if (XpmCreatePixmapFromData(w.display, w.rootWindow, const_cast<char**>(artworkLines),
                              &w.masterPixmap, nullptr, &w.xpmAttributes) != XpmSuccess) {
    fprintf(stderr, "Not enough free colorcells.\n");
    exit(1);
  }
  // The symbol table lives on this stack frame only; don't leave libXpm's record pointing at it.
  w.xpmAttributes.colorsymbols = nullptr;

  w.sizeHints.flags = USPosition | USSize;
  w.sizeHints.x = 0;
  w.sizeHints.y = 0;
  w.whitePixel = namedColorPixel("white");
  w.blackPixel = namedColorPixel("black");
  int gravity;
  XWMGeometry(w.display, w.screen, "", nullptr, 1, &w.sizeHints, &w.sizeHints.x, &w.sizeHints.y,
              &w.sizeHints.width, &w.sizeHints.height, &gravity);
  // The windows take the shape mask's size.
  w.sizeHints.width = maskWidth;
  w.sizeHints.height = maskHeight;

  w.mainWindow = XCreateSimpleWindow(w.display, w.rootWindow, w.sizeHints.x, w.sizeHints.y,
                                     maskWidth, maskHeight, 1, w.blackPixel, w.whitePixel);
  // The icon window is the main window's child; a dock reparents it into its own tile.
  w.iconWindow = XCreateSimpleWindow(w.display, w.mainWindow, w.sizeHints.x, w.sizeHints.y,
                                     w.sizeHints.width, w.sizeHints.height, 1, w.blackPixel,
                                     w.whitePixel);
  XSetWMNormalHints(w.display, w.mainWindow, &w.sizeHints);

  XClassHint classHint;
  classHint.res_name = const_cast<char*>(program);
  classHint.res_class = const_cast<char*>(program);
  XSetClassHint(w.display, w.mainWindow, &classHint);

  const long eventMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                         EnterWindowMask | LeaveWindowMask | PointerMotionMask | ExposureMask |
                         StructureNotifyMask;
  XSelectInput(w.display, w.mainWindow, eventMask);
  XSelectInput(w.display, w.iconWindow, eventMask);

  // Kept, like every other resource, for the life of the process: static, so that it stays
  // reachable rather than lost when this frame returns.
  static XTextProperty windowName;
  char* nameList[1] = {const_cast<char*>(program)};
  if (XStringListToTextProperty(nameList, 1, &windowName) == 0) {
    fprintf(stderr, "%s: can't allocate window name\n", program);
    exit(1);
  }
  XSetWMName(w.display, w.mainWindow, &windowName);

  XGCValues gcValues;
  gcValues.foreground = w.blackPixel;
  gcValues.background = w.whitePixel;
  gcValues.graphics_exposures = False;  // the copies must not queue GraphicsExpose/NoExpose
  w.gc = XCreateGC(w.display, w.rootWindow, GCForeground | GCBackground | GCGraphicsExposures,
                   &gcValues);

  w.shapeMask = XCreateBitmapFromData(w.display, w.mainWindow,
                                      reinterpret_cast<const char*>(maskBits), maskWidth,
                                      maskHeight);
  XShapeCombineMask(w.display, w.mainWindow, ShapeBounding, 0, 0, w.shapeMask, ShapeSet);
  XShapeCombineMask(w.display, w.iconWindow, ShapeBounding, 0, 0, w.shapeMask, ShapeSet);

  w.wmHints.initial_state = WithdrawnState;
  w.wmHints.icon_window = w.iconWindow;
  w.wmHints.icon_x = w.sizeHints.x;
  w.wmHints.icon_y = w.sizeHints.y;
  w.wmHints.window_group = w.mainWindow;
  w.wmHints.flags = StateHint | IconWindowHint | IconPositionHint | WindowGroupHint;
  XSetWMHints(w.display, w.mainWindow, &w.wmHints);

  XSetCommand(w.display, w.mainWindow, argv, argc);
  XMapWindow(w.display, w.mainWindow);
  return w.mainWindow;
}

void blit(int srcX, int srcY, int width, int height, int destX, int destY) {
  XCopyArea(dockWindow.display, dockWindow.masterPixmap, dockWindow.masterPixmap, dockWindow.gc,
            srcX, srcY, width, height, destX, destY);
}

// Drops every queued exposure of `window` (one copy repaints it all), then copies the pixmap.
// When it finds none, XCheckTypedWindowEvent also flushes the output buffer: that, and the
// loop's XPending, is what sends each frame to the server.
static void refreshWindow(Window window) {
  XEvent discarded;
  while (XCheckTypedWindowEvent(dockWindow.display, window, Expose, &discarded)) {
  }
  XCopyArea(dockWindow.display, dockWindow.masterPixmap, window, dockWindow.gc, 0, 0,
            dockWindow.xpmAttributes.width, dockWindow.xpmAttributes.height, 0, 0);
}

void refreshWindows() {
  refreshWindow(dockWindow.iconWindow);
  refreshWindow(dockWindow.mainWindow);
}

}  // namespace dockorrery
