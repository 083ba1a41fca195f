// What one press on a field of the readout makes of a date, worked out with std::chrono's
// calendar instead of the applet's own: the model both the editing tests and the face model use.
#pragma once

#include <chrono>
#include <optional>

#include "applet/readout_layout.h"

// The readout field (RegionDay, RegionMonth, RegionYear) that face coordinates (x, y) fall in.
inline std::optional<int> readoutFieldAt(int x, int y) {
  using namespace dockorrery;
  for (const ReadoutField& field : kReadoutFields) {
    if (x >= field.left && x <= field.right && y >= field.top && y <= field.bottom) {
      return field.region;
    }
  }
  return std::nullopt;
}

// The date after a press on the field `region`, forward (left button) or backward (right). The
// day steps through the calendar; the month and the year step within it, and a day the new
// month lacks rolls over to the 1st of the month after it going forward, and clamps to the
// month's last day going backward.
inline std::chrono::year_month_day steppedDate(std::chrono::year_month_day date, int region,
                                               bool forward) {
  using namespace dockorrery;
  using namespace std::chrono;
  if (region == RegionDay) return year_month_day{sys_days{date} + days{forward ? 1 : -1}};
  const year_month target = region == RegionMonth
                                ? date.year() / date.month() + months{forward ? 1 : -1}
                                : date.year() / date.month() + years{forward ? 1 : -1};
  if ((target / date.day()).ok()) return target / date.day();
  if (forward) return (target + months{1}) / 1;
  return year_month_day{target / last};
}
