// dockorrery: the Sun and the planets seen from the north of the ecliptic, in a dock.

#include "applet/date_editor.h"
#include "applet/date_state.h"
#include "applet/face_art.h"
#include "applet/idle_frame.h"
#include "applet/readout_layout.h"
#include "dock/click_regions.h"
#include "dock/dock_window.h"

namespace dockorrery {

// Takes one pending event; the window it came from doesn't matter, both show the same face.
// The pointer entering or leaving changes nothing: the keyboard focus stays with whichever
// window the user gave it, since keys typed after the pointer crosses the dock are theirs.
static void handleEvent(XEvent& event) {
  switch (event.type) {
    case ButtonPress:
      handleButtonPress(&event);
      break;
    case Expose:
      refreshWindows();
      break;
    default:
      break;
  }
}

}  // namespace dockorrery

int main(int argc, char** argv) {
  using namespace dockorrery;

  openDisplay(argv);
  openDockWindow(argc, argv, faceXpm, faceMaskBits, kFaceMaskWidth, kFaceMaskHeight, "#181818",
                 "#79bdbf", "#ff0000", "#ffbf50", "#c5a6ff");
  setDateFromClock();
  defineReadoutRegions();

  int idleFrameCounter = kClockCheckInterval;
  XEvent event;
  // One event per pass while any is queued; an idle frame only once the queue is empty.
  for (;;) {
    if (XPending(dockWindow.display) > 0) {
      XNextEvent(dockWindow.display, &event);
      handleEvent(event);
    } else {
      renderIdleFrame(idleFrameCounter);
    }
  }
}
