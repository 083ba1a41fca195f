#include "applet/idle_frame.h"

#include <unistd.h>

#include <cstdint>

#include "applet/date_state.h"
#include "applet/drawing.h"
#include "calendar/calendar.h"
#include "dock/dock_window.h"

void renderIdleFrame(int& idleFrameCounter) {
  // Restore the plot well (5,5)-(58,58) from the black clear block; everything is redrawn.
  blit(5, 69, 54, 54, 5, 5);
  selectedJd = static_cast<double>(julianDayNumber(static_cast<int32_t>(selectedDay),
                                                   static_cast<int32_t>(selectedMonth),
                                                   selectedYear));
  // Later steps cover earlier ones: dots over the readout, the label over the dots.
  drawDateReadout();
  drawOrbitChart();
  drawViewLabel();

  // After the drawing, so a date newly read from the clock shows from the next frame on.
  if (idleFrameCounter >= kClockCheckInterval) {
    idleFrameCounter = 0;
    if (followClock == 1) setDateFromClock();
  } else {
    ++idleFrameCounter;
  }

  refreshWindows();
  usleep(10000);
}
