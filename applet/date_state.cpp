#include "applet/date_state.h"

#include <ctime>

int64_t selectedDay;
int64_t selectedMonth;
int64_t selectedYear;
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
