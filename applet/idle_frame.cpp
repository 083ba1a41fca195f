#include "applet/idle_frame.h"

#include <unistd.h>

#include <cstdint>

#include "applet/art/face_layout.h"
#include "applet/date_state.h"
#include "applet/drawing.h"
#include "calendar/calendar.h"
#include "dock/dock_window.h"

namespace dockorrery {

void renderIdleFrame(int& idleFrameCounter) {
  // Restore the plot well from the black clear block; everything is redrawn.
  blit(kClearBlockX, kClearBlockY, kWellSize, kWellSize, kWellX, kWellY);
  selectedJd = static_cast<double>(julianDayNumber(static_cast<int32_t>(selectedDay),
                                                   static_cast<int32_t>(selectedMonth),
                                                   selectedYear));
  // Later steps cover earlier ones: dots over the readout, the label over the dots.
  drawDateReadout();
  drawOrbitChart();
  drawViewLabel();

  // After the drawing, so a date newly read from the clock shows from the next frame on.
  // Counting this one, the frame is the (idleFrameCounter + 1)th since the last check.
  if (idleFrameCounter >= kClockCheckInterval - 1) {
    idleFrameCounter = 0;
    if (followClock == 1) setDateFromClock();
  } else {
    ++idleFrameCounter;
  }

  refreshWindows();
  usleep(10000);
}

}  // namespace dockorrery
