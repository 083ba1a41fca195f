// What the face should show after a series of button presses, worked out with std::chrono's
// calendar instead of the applet's own: the date, the view, and the readout text they make.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/support/date_step.h"

class FaceModel {
 public:
  // `today` is what the applet's clock reads: the date it starts with and returns to.
  explicit FaceModel(std::chrono::year_month_day today) : today_(today), date_(today) {}

  // A press of `button` at face coordinates (x, y) of either window.
  void press(unsigned button, int x, int y) {
    if (button != 1 && button != 3) return;
    const bool forward = button == 1;
    if (const std::optional<int> field = readoutFieldAt(x, y)) {
      date_ = steppedDate(date_, *field, forward);
    } else if (forward) {
      out_ = !out_;
    } else {
      date_ = today_;
    }
  }

  std::chrono::year_month_day date() const { return date_; }
  bool outView() const { return out_; }
  std::string label() const { return out_ ? "OUT" : "IN"; }

  // The ten readout cells as readoutText() decodes them: "%02i.%02i.%02i" cut to ten cells, the
  // point glyph standing in for a minus sign too, trailing blank cells dropped.
  std::string readout() const {
    char text[40];
    std::snprintf(text, sizeof text, "%02u.%02u.%02i", unsigned{date_.day()},
                  unsigned{date_.month()}, int{date_.year()});
    std::string cells(text);
    if (cells.size() > 10) cells.resize(10);
    for (char& c : cells) {
      if (c < '0') c = '.';
    }
    return cells;
  }

 private:
  std::chrono::year_month_day today_;
  std::chrono::year_month_day date_;
  bool out_ = false;
};

// Whether a decoded readout `seen` shows what `model` expects. In the OUT view Neptune's dot can
// cover a cell or two of the readout, which then decode as '?'; every other cell must match.
inline bool readoutShows(const std::string& seen, const FaceModel& model) {
  const std::string expected = model.readout();
  if (seen.size() != expected.size()) return false;
  for (size_t i = 0; i < seen.size(); i++) {
    if (seen[i] != expected[i] && !(model.outView() && seen[i] == '?')) return false;
  }
  return true;
}
