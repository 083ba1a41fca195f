// Button presses on the face: date steps, the return to the clock and the view toggle.
// Real XButtonEvents go through the real click-region table; no X server is needed.

// GoogleTest before Xlib: Xlib's None and Bool macros would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

#include "applet/date_editor.h"
#include "applet/date_state.h"
#include "applet/readout_layout.h"
#include "dock/click_regions.h"
#include "tests/support/date_step.h"

using namespace dockorrery;

namespace {

using namespace std::chrono;

struct Date {
  int64_t day, month, year;
  bool operator==(const Date&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Date& d) {
  return out << d.day << "." << d.month << "." << d.year;
}

Date selectedDate() { return {selectedDay, selectedMonth, selectedYear}; }

void selectDate(const Date& d) {
  selectedDay = d.day;
  selectedMonth = d.month;
  selectedYear = d.year;
}

XEvent buttonEvent(int type, unsigned button, int x, int y, unsigned state = 0) {
  XEvent event{};
  event.xbutton.type = type;
  event.xbutton.button = button;
  event.xbutton.x = x;
  event.xbutton.y = y;
  event.xbutton.x_root = x + 100;
  event.xbutton.y_root = y + 100;
  event.xbutton.state = state;
  event.xbutton.same_screen = True;
  return event;
}

void press(unsigned button, int x, int y, unsigned state = 0) {
  const XEvent event = buttonEvent(ButtonPress, button, x, y, state);
  handleButtonPress(&event);
}

// Today in UTC by an independent clock reading.
Date todayUtc() {
  const year_month_day today{floor<days>(system_clock::now())};
  return {unsigned{today.day()}, unsigned{today.month()}, int{today.year()}};
}

bool isValid(const Date& d) {
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return false;
  return year_month_day{year{static_cast<int>(d.year)}, month{static_cast<unsigned>(d.month)},
                        day{static_cast<unsigned>(d.day)}}
      .ok();
}

// Modifier states a press may carry; none of them changes what it does.
constexpr unsigned kModifierStates[] = {0, ShiftMask, ControlMask | Mod1Mask | Mod4Mask,
                                        LockMask | Mod2Mask | Button1Mask | Button3Mask};

class DateEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    defineReadoutRegions();  // as main does at start-up
    followClock = 1;
    chartScale = kScaleIn;
  }
};

struct PressCase {
  Date from;
  unsigned button;
  int field;  // RegionDay, RegionMonth or RegionYear
  Date to;
};

// The corners of a field's rectangle, each bound inclusive, and a point inside it.
std::vector<std::pair<int, int>> pointsOf(const ReadoutField& f) {
  return {{f.left, f.top},     {f.right, f.top}, {f.left, f.bottom},
          {f.right, f.bottom}, {(f.left + f.right) / 2, (f.top + f.bottom) / 2}};
}

// Each case pressed at every corner of its field and inside it.
TEST_F(DateEditorTest, DatedSteps) {
  const PressCase cases[] = {
      // Day forward.
      {{28, 2, 2023}, 1, RegionDay, {1, 3, 2023}},
      {{28, 2, 2024}, 1, RegionDay, {29, 2, 2024}},
      {{29, 2, 2024}, 1, RegionDay, {1, 3, 2024}},
      {{31, 12, 2023}, 1, RegionDay, {1, 1, 2024}},
      // Day backward.
      {{1, 3, 2024}, 3, RegionDay, {29, 2, 2024}},
      {{1, 3, 2023}, 3, RegionDay, {28, 2, 2023}},
      {{1, 1, 2024}, 3, RegionDay, {31, 12, 2023}},
      // Month forward: never clamps, a missing day rolls over to the 1st of the month after.
      {{31, 1, 2024}, 1, RegionMonth, {1, 3, 2024}},
      {{30, 1, 2024}, 1, RegionMonth, {1, 3, 2024}},
      {{29, 1, 2024}, 1, RegionMonth, {29, 2, 2024}},
      {{29, 1, 2023}, 1, RegionMonth, {1, 3, 2023}},
      {{31, 3, 2024}, 1, RegionMonth, {1, 5, 2024}},
      {{31, 5, 2024}, 1, RegionMonth, {1, 7, 2024}},
      {{31, 8, 2024}, 1, RegionMonth, {1, 10, 2024}},
      {{31, 10, 2024}, 1, RegionMonth, {1, 12, 2024}},
      {{15, 12, 2023}, 1, RegionMonth, {15, 1, 2024}},
      {{31, 12, 2023}, 1, RegionMonth, {31, 1, 2024}},
      // Month backward: clamps to the last day.
      {{31, 3, 2023}, 3, RegionMonth, {28, 2, 2023}},
      {{31, 3, 2024}, 3, RegionMonth, {29, 2, 2024}},
      {{31, 5, 2024}, 3, RegionMonth, {30, 4, 2024}},
      {{31, 7, 2024}, 3, RegionMonth, {30, 6, 2024}},
      {{31, 10, 2024}, 3, RegionMonth, {30, 9, 2024}},
      {{31, 12, 2024}, 3, RegionMonth, {30, 11, 2024}},
      {{15, 1, 2024}, 3, RegionMonth, {15, 12, 2023}},
      {{31, 1, 2024}, 3, RegionMonth, {31, 12, 2023}},
      // 31 January, forward, back: the 31st is forgotten.
      {{1, 3, 2024}, 3, RegionMonth, {1, 2, 2024}},
      // Year.
      {{29, 2, 2024}, 1, RegionYear, {1, 3, 2025}},
      {{28, 2, 2023}, 1, RegionYear, {28, 2, 2024}},
      {{29, 2, 2024}, 3, RegionYear, {28, 2, 2023}},
      // Through year 0 into negative years; year 0 is a leap year, -100 isn't, -400 is.
      {{15, 6, 1}, 3, RegionYear, {15, 6, 0}},
      {{15, 6, 0}, 3, RegionYear, {15, 6, -1}},
      {{15, 6, -1}, 1, RegionYear, {15, 6, 0}},
      {{29, 2, 0}, 3, RegionYear, {28, 2, -1}},
      {{29, 2, 0}, 1, RegionYear, {1, 3, 1}},
      {{28, 2, 0}, 1, RegionDay, {29, 2, 0}},
      {{1, 1, 0}, 3, RegionDay, {31, 12, -1}},
      {{31, 12, -1}, 1, RegionDay, {1, 1, 0}},
      {{28, 2, -100}, 1, RegionDay, {1, 3, -100}},
      {{1, 3, -400}, 3, RegionDay, {29, 2, -400}},
      {{29, 2, -400}, 3, RegionYear, {28, 2, -401}},
      {{29, 1, -4}, 1, RegionMonth, {29, 2, -4}},
  };
  for (const PressCase& c : cases) {
    for (const auto& [x, y] : pointsOf(kReadoutFields[c.field])) {
      for (unsigned state : kModifierStates) {
        for (double scale : {kScaleIn, kScaleOut}) {
          selectDate(c.from);
          followClock = 1;
          chartScale = scale;
          press(c.button, x, y, state);
          SCOPED_TRACE(::testing::Message() << c.from << " button " << c.button << " at (" << x
                                            << ", " << y << ") state " << state);
          EXPECT_EQ(selectedDate(), c.to);
          EXPECT_EQ(followClock, 0);
          EXPECT_EQ(chartScale, scale);
        }
      }
    }
  }
}

// Points just outside the readout on each side, and further away.
std::vector<std::pair<int, int>> outsidePoints() {
  const int left = kReadoutFields[0].left, right = kReadoutFields[2].right;
  const int top = kReadoutFields[0].top, bottom = kReadoutFields[0].bottom;
  return {{left - 1, top},   {right + 1, bottom}, {left + 6, top - 1}, {right, top - 1},
          {left + 6, bottom + 1}, {36, top - 1},  {0, 0}, {-5, -5}, {63, 63}, {32, 20}};
}

enum Effect { kNothing, kToggleView, kBackToTheClock };

struct OtherPress {
  const char* what;
  std::vector<int> types;
  std::vector<unsigned> buttons;
  bool onTheFields;  // pressed on the fields too, not only outside the readout
  Effect effect;
};

// Every press but a date step, from both states of followClock and both views: only a left press
// outside the readout toggles the view, only a right one there returns to the clock's date, and
// nothing else changes anything.
TEST_F(DateEditorTest, PressesOtherThanStepsDoWhatTheyShouldAndNothingElse) {
  const std::vector<OtherPress> cases = {
      {"other buttons", {ButtonPress}, {0u, 2u, 4u, 5u, 6u, 7u, 8u, 255u, 0x80000001u}, true,
       kNothing},
      {"other events with a press's fields",
       {ButtonRelease, KeyPress, KeyRelease, MotionNotify, EnterNotify, Expose}, {1u, 3u}, true,
       kNothing},
      {"a left press outside", {ButtonPress}, {1u}, false, kToggleView},
      {"a right press outside", {ButtonPress}, {3u}, false, kBackToTheClock},
  };
  std::vector<std::pair<int, int>> onFields;
  for (const ReadoutField& f : kReadoutFields) {
    for (const auto& point : pointsOf(f)) onFields.push_back(point);
  }
  const Date date{29, 2, 2024};
  for (const OtherPress& c : cases) {
    std::vector<std::pair<int, int>> points = outsidePoints();
    if (c.onTheFields) points.insert(points.end(), onFields.begin(), onFields.end());
    for (int type : c.types) {
      for (unsigned button : c.buttons) {
        for (const auto& [x, y] : points) {
          for (unsigned state : kModifierStates) {
            for (int follow : {0, 1}) {
              for (double scale : {kScaleIn, kScaleOut}) {
                SCOPED_TRACE(::testing::Message() << c.what << ": type " << type << " button "
                                                  << button << " at (" << x << ", " << y
                                                  << ") state " << state << " follow " << follow);
                selectDate(date);
                followClock = follow;
                chartScale = scale;
                const Date before = todayUtc();
                const XEvent event = buttonEvent(type, button, x, y, state);
                handleButtonPress(&event);
                if (c.effect == kBackToTheClock) {
                  EXPECT_EQ(followClock, 1);
                  EXPECT_TRUE(selectedDate() == before || selectedDate() == todayUtc())
                      << selectedDate() << " is not today " << before;
                } else {
                  EXPECT_EQ(followClock, follow);
                  EXPECT_EQ(selectedDate(), date);
                }
                EXPECT_EQ(chartScale, c.effect != kToggleView   ? scale
                                      : scale == kScaleIn ? kScaleOut
                                                          : kScaleIn);
              }
            }
          }
        }
      }
    }
  }
  // Only exactly 0.6 is the OUT view; any other scale toggles to it.
  chartScale = 1.0;
  press(1, 32, 20);
  EXPECT_EQ(chartScale, kScaleOut);
}

year_month_day toChrono(const Date& d) {
  return year{static_cast<int>(d.year)} / month{static_cast<unsigned>(d.month)} /
         day{static_cast<unsigned>(d.day)};
}

Date fromChrono(const year_month_day& d) {
  return {unsigned{d.day()}, unsigned{d.month()}, int{d.year()}};
}

// Thousands of random presses from random dates: the date stays valid and every step lands where
// the model says; the other presses do what they should and nothing else.
TEST_F(DateEditorTest, RandomWalkAgreesWithTheModel) {
  std::mt19937_64 rng(0x0d0c0e11);
  auto uniform = [&rng](int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(rng);
  };
  int steps = 0, toggles = 0, returns = 0;

  for (int walk = 0; walk < 200; ++walk) {
    const year startYear{static_cast<int>(uniform(-4000, 4000))};
    const month startMonth{static_cast<unsigned>(uniform(1, 12))};
    const unsigned lastDay = unsigned{(startYear / startMonth / last).day()};
    selectDate(fromChrono(startYear / startMonth / static_cast<int>(uniform(1, lastDay))));
    followClock = static_cast<int>(uniform(0, 1));
    chartScale = uniform(0, 1) ? kScaleIn : kScaleOut;

    for (int i = 0; i < 2000; ++i) {
      const Date before = selectedDate();
      const double scale = chartScale;
      const int follow = followClock;
      const unsigned state = static_cast<unsigned>(uniform(0, 0x1fff));
      const int64_t action = uniform(0, 999);

      if (action < 940) {
        const ReadoutField& field = kReadoutFields[uniform(0, 2)];
        const bool forward = uniform(0, 1) == 1;
        press(forward ? 1 : 3, static_cast<int>(uniform(field.left, field.right)),
              static_cast<int>(uniform(field.top, field.bottom)), state);
        ++steps;
        ASSERT_TRUE(isValid(selectedDate())) << before << " -> " << selectedDate();
        ASSERT_EQ(selectedDate(), fromChrono(steppedDate(toChrono(before), field.region, forward)))
            << before << " field " << field.region << (forward ? " forward" : " backward");
        ASSERT_EQ(followClock, 0);
        ASSERT_EQ(chartScale, scale);
        continue;
      }

      // Somewhere outside the readout: above it, below it, or to either side.
      int x = static_cast<int>(uniform(-200, 263)), y = static_cast<int>(uniform(-200, 263));
      if (readoutFieldAt(x, y)) {
        y = uniform(0, 1) ? kReadoutFields[0].top - 1 : kReadoutFields[0].bottom + 1;
      }

      if (action < 970) {
        // A press that must be ignored: middle, wheel, a higher button, or not a press at all.
        const unsigned buttons[] = {2, 4, 5, 6, 7, 9};
        const XEvent event =
            uniform(0, 1) ? buttonEvent(ButtonPress, buttons[uniform(0, 5)], x, y, state)
                          : buttonEvent(ButtonRelease, uniform(0, 1) ? 1 : 3,
                                        static_cast<int>(uniform(kReadoutFields[0].left,
                                                                 kReadoutFields[2].right)),
                                        kReadoutFields[0].top, state);
        handleButtonPress(&event);
        ASSERT_EQ(selectedDate(), before);
        ASSERT_EQ(followClock, follow);
        ASSERT_EQ(chartScale, scale);
      } else if (action < 997) {
        press(1, x, y, state);
        ASSERT_NE(chartScale, scale);
        press(1, x, y, state);
        ++toggles;
        ASSERT_EQ(chartScale, scale);
        ASSERT_EQ(selectedDate(), before);
        ASSERT_EQ(followClock, follow);
      } else {
        const Date today = todayUtc();
        press(3, x, y, state);
        ++returns;
        ASSERT_EQ(followClock, 1);
        ASSERT_TRUE(selectedDate() == today || selectedDate() == todayUtc()) << selectedDate();
        ASSERT_EQ(chartScale, scale);
        selectDate(before);  // carry on walking in this era rather than around today
      }
    }
  }
  // The walk did exercise every kind of press.
  EXPECT_GT(steps, 300000);
  EXPECT_GT(toggles, 1000);
  EXPECT_GT(returns, 100);
}

}  // namespace
