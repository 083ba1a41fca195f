#include "applet/date_state.h"

#include <ctime>

namespace dockorrery {

// 1 January 1970, the clock's epoch, until the clock is read: the date is a valid one even when
// the clock can't be broken down at start-up, and every step from it stays in the calendar.
int64_t selectedDay = 1;
int64_t selectedMonth = 1;
int64_t selectedYear = 1970;
double selectedJd = 0.0;
int followClock = 1;
double chartScale = kScaleIn;

void setDateFromClock() {
  time_t now = time(nullptr);
  const struct tm* utc = gmtime(&now);
  if (utc == nullptr) return;  // a time gmtime can't represent: keep the date we have
  selectedDay = utc->tm_mday;
  selectedMonth = int64_t{utc->tm_mon} + 1;
  selectedYear = int64_t{utc->tm_year} + 1900;
}

}  // namespace dockorrery
