#include "applet/date_editor.h"

#include "applet/date_state.h"
#include "calendar/calendar.h"
#include "dock/click_regions.h"

namespace dockorrery {

// After a step forward: a day that doesn't exist in the new month rolls over to the 1st of the
// next month, never clamps. The table is that of the year after the month wrap.
static void normaliseForward() {
  followClock = 0;
  if (selectedMonth == 13) {
    selectedMonth = 1;
    selectedYear += 1;
  }
  MonthLengthTable lengths;
  monthLengths(selectedYear, lengths);
  if (selectedDay > lengths[selectedMonth - 1]) {
    selectedDay = 1;
    selectedMonth += 1;
    if (selectedMonth == 13) {
      selectedMonth = 1;
      selectedYear += 1;
    }
  }
}

// After a step backward: day 0 becomes the last day of the month before, and a day beyond the
// end of the new month clamps to its last day.
static void normaliseBackward() {
  followClock = 0;
  if (selectedMonth == 0) {
    selectedMonth = 12;
    selectedYear -= 1;
  }
  MonthLengthTable lengths;
  monthLengths(selectedYear, lengths);
  if (selectedDay == 0) {
    selectedMonth -= 1;
    if (selectedMonth >= 1 && selectedMonth <= 12) selectedDay = lengths[selectedMonth - 1];
  }
  if (selectedMonth == 0) {  // back from 1 January: December has 31 days in every year
    selectedYear -= 1;
    selectedMonth = 12;
    selectedDay = 31;
  }
  if (selectedDay > lengths[selectedMonth - 1]) selectedDay = lengths[selectedMonth - 1];
}

// Draws nothing: the next idle frame shows the change. Window, time and modifiers don't matter.
void handleButtonPress(const XEvent* event) {
  if (event->type != ButtonPress) return;
  const XButtonEvent& press = event->xbutton;
  if (press.button != Button1 && press.button != Button3) return;  // middle and wheel do nothing

  const int32_t region = findClickRegion(press.x, press.y);
  const bool forward = press.button == Button1;

  if (region < RegionDay || region > RegionYear) {
    if (forward) {
      chartScale = chartScale == kScaleOut ? kScaleIn : kScaleOut;  // exact: the view selector
    } else {
      followClock = 1;
      setDateFromClock();
    }
    return;
  }

  const int64_t step = forward ? 1 : -1;
  switch (region) {
    case RegionDay:
      selectedDay += step;
      break;
    case RegionMonth:
      selectedMonth += step;
      break;
    case RegionYear:
      selectedYear += step;
      break;
  }
  if (forward)
    normaliseForward();
  else
    normaliseBackward();
}

}  // namespace dockorrery
