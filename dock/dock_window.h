// The dock window pair, the master pixmap all drawing is copied from, and their two operations.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/xpm.h>

namespace dockorrery {

// Every X resource of the applet, filled once at start-up and never released.
struct DockWindow {
  Display* display;
  Window rootWindow;
  Window iconWindow;  // child of mainWindow; the window a dock takes in
  Window mainWindow;  // top-level, withdrawn; carries every window-manager property
  int screen;
  GC gc;
  XSizeHints sizeHints;
  XWMHints wmHints;
  unsigned long whitePixel;
  unsigned long blackPixel;
  Pixmap masterPixmap;  // the whole artwork; source and target of every copy
  XpmAttributes xpmAttributes;
  Pixmap shapeMask;
};

extern DockWindow dockWindow;

// The program name for messages and properties: argv[0], or "dockorrery" when it is null or empty.
const char* programName(char* const* argv);

// The display name chosen by the last "-display" of argv (the element after it, maybe null); null
// when there is none. Reads argv from element 1 up to its terminating null pointer.
const char* displayNameFromArgs(char* const* argv);

// Opens the display named on the command line (else $DISPLAY); exits with status 1 on failure.
void openDisplay(char* const* argv);

// Creates the shaped main and icon windows, maskWidth x maskHeight pixels, and the master pixmap
// from the XPM lines; colours are names or #rrggbb, as XParseColor takes them. Exits with status
// 1 on failure.
// Returns the main window. Each of the five colours (windGustColor, dataColor and
// stationTimeColor as much as the first two) is a symbol name of the artwork's palette: it
// colours the palette entries whose "s" key is BackColor, LabelColor, WindGustColor, DataColor or
// StationTimeColor; this face's palette has none, so none of them changes it.
Window openDockWindow(int argc, char** argv, const char* const* artworkLines,
                      const unsigned char* maskBits, int maskWidth, int maskHeight,
                      const char* backColor, const char* labelColor, const char* windGustColor,
                      const char* dataColor, const char* stationTimeColor);

// Copies the width x height rectangle at (srcX, srcY) of the master pixmap to (destX, destY) of it.
void blit(int srcX, int srcY, int width, int height, int destX, int destY);

// Drops pending exposures, then copies the master pixmap onto the icon window and the main window.
void refreshWindows();

}  // namespace dockorrery
