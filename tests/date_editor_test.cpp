// Button presses on the face: date steps, the return to the clock and the view toggle.
// Real XButtonEvents go through the real click-region table; no X server is needed.

// GoogleTest before Xlib: Xlib's None and Bool macros would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <ostream>
#include <random>

#include "applet/date_editor.h"
#include "applet/date_state.h"
#include "dock/click_regions.h"

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
    // The readout's fields, as the applet defines them at start-up.
    defineClickRegion(0, 4, 52, 20, 59);
    defineClickRegion(1, 21, 52, 33, 59);
    defineClickRegion(2, 34, 52, 60, 59);
    followClock = 1;
    chartScale = kScaleIn;
  }
};

struct PressCase {
  Date from;
  unsigned button;
  int x, y;
  Date to;
};

// x 4..20 is the day, 21..33 the month, 34..60 the year, all for y 52..59; positions vary over
// the bounds so that each inclusive edge is hit.
TEST_F(DateEditorTest, DatedSteps) {
  const PressCase cases[] = {
      // Day forward.
      {{28, 2, 2023}, 1, 4, 52, {1, 3, 2023}},
      {{28, 2, 2024}, 1, 20, 59, {29, 2, 2024}},
      {{29, 2, 2024}, 1, 12, 55, {1, 3, 2024}},
      {{31, 12, 2023}, 1, 20, 52, {1, 1, 2024}},
      // Day backward.
      {{1, 3, 2024}, 3, 4, 59, {29, 2, 2024}},
      {{1, 3, 2023}, 3, 20, 55, {28, 2, 2023}},
      {{1, 1, 2024}, 3, 12, 52, {31, 12, 2023}},
      // Month forward: never clamps, a missing day rolls over to the 1st of the month after.
      {{31, 1, 2024}, 1, 21, 55, {1, 3, 2024}},
      {{30, 1, 2024}, 1, 33, 55, {1, 3, 2024}},
      {{29, 1, 2024}, 1, 27, 52, {29, 2, 2024}},
      {{29, 1, 2023}, 1, 27, 59, {1, 3, 2023}},
      {{31, 3, 2024}, 1, 21, 59, {1, 5, 2024}},
      {{31, 5, 2024}, 1, 33, 52, {1, 7, 2024}},
      {{31, 8, 2024}, 1, 25, 56, {1, 10, 2024}},
      {{31, 10, 2024}, 1, 30, 53, {1, 12, 2024}},
      {{15, 12, 2023}, 1, 33, 52, {15, 1, 2024}},
      {{31, 12, 2023}, 1, 21, 52, {31, 1, 2024}},
      // Month backward: clamps to the last day.
      {{31, 3, 2023}, 3, 21, 55, {28, 2, 2023}},
      {{31, 3, 2024}, 3, 33, 59, {29, 2, 2024}},
      {{31, 5, 2024}, 3, 27, 52, {30, 4, 2024}},
      {{31, 7, 2024}, 3, 22, 54, {30, 6, 2024}},
      {{31, 10, 2024}, 3, 32, 57, {30, 9, 2024}},
      {{31, 12, 2024}, 3, 26, 58, {30, 11, 2024}},
      {{15, 1, 2024}, 3, 21, 52, {15, 12, 2023}},
      {{31, 1, 2024}, 3, 33, 59, {31, 12, 2023}},
      {{1, 3, 2024}, 3, 27, 55, {1, 2, 2024}},  // 31 January, forward, back: the 31st is forgotten
      // Year.
      {{29, 2, 2024}, 1, 34, 55, {1, 3, 2025}},
      {{28, 2, 2023}, 1, 60, 59, {28, 2, 2024}},
      {{29, 2, 2024}, 3, 59, 52, {28, 2, 2023}},
      // Through year 0 into negative years; year 0 is a leap year, -100 isn't, -400 is.
      {{15, 6, 1}, 3, 34, 52, {15, 6, 0}},
      {{15, 6, 0}, 3, 47, 56, {15, 6, -1}},
      {{15, 6, -1}, 1, 60, 52, {15, 6, 0}},
      {{29, 2, 0}, 3, 40, 55, {28, 2, -1}},
      {{29, 2, 0}, 1, 40, 55, {1, 3, 1}},
      {{28, 2, 0}, 1, 10, 55, {29, 2, 0}},
      {{1, 1, 0}, 3, 10, 55, {31, 12, -1}},
      {{31, 12, -1}, 1, 10, 55, {1, 1, 0}},
      {{28, 2, -100}, 1, 10, 55, {1, 3, -100}},
      {{1, 3, -400}, 3, 10, 55, {29, 2, -400}},
      {{29, 2, -400}, 3, 50, 55, {28, 2, -401}},
      {{29, 1, -4}, 1, 30, 55, {29, 2, -4}},
  };
  for (const PressCase& c : cases) {
    for (unsigned state : kModifierStates) {
      for (double scale : {kScaleIn, kScaleOut}) {
        selectDate(c.from);
        followClock = 1;
        chartScale = scale;
        press(c.button, c.x, c.y, state);
        SCOPED_TRACE(::testing::Message() << c.from << " button " << c.button << " at (" << c.x
                                          << ", " << c.y << ") state " << state);
        EXPECT_EQ(selectedDate(), c.to);
        EXPECT_EQ(followClock, 0);
        EXPECT_EQ(chartScale, scale);
      }
    }
  }
}

TEST_F(DateEditorTest, OtherButtonsAndOtherEventsChangeNothing) {
  const int positions[][2] = {{12, 55}, {27, 55}, {47, 55}, {32, 20}, {61, 55}};
  const Date date{29, 2, 2024};
  for (int follow : {0, 1}) {
    for (const auto& at : positions) {
      for (unsigned button : {0u, 2u, 4u, 5u, 6u, 7u, 8u, 255u, 0x80000001u}) {
        selectDate(date);
        followClock = follow;
        chartScale = kScaleIn;
        press(button, at[0], at[1], ShiftMask);
        EXPECT_EQ(selectedDate(), date) << "button " << button << " at " << at[0] << "," << at[1];
        EXPECT_EQ(followClock, follow);
        EXPECT_EQ(chartScale, kScaleIn);
      }
      // Only a press acts: a release or any other event with the same fields is ignored.
      for (int type : {ButtonRelease, KeyPress, KeyRelease, MotionNotify, EnterNotify, Expose}) {
        for (unsigned button : {1u, 3u}) {
          selectDate(date);
          followClock = follow;
          chartScale = kScaleIn;
          const XEvent event = buttonEvent(type, button, at[0], at[1]);
          handleButtonPress(&event);
          EXPECT_EQ(selectedDate(), date) << "event type " << type << " button " << button;
          EXPECT_EQ(followClock, follow);
          EXPECT_EQ(chartScale, kScaleIn);
        }
      }
    }
  }
}

// Outside the readout, including the rows and columns just beyond its bounds.
constexpr int kOutside[][2] = {{10, 51}, {40, 51}, {61, 55}, {3, 55}, {10, 60},
                               {0, 0},   {-5, -5}, {63, 63}, {32, 20}, {60, 51}};

TEST_F(DateEditorTest, LeftPressOutsideTogglesTheViewOnly) {
  const Date date{5, 3, 2024};
  for (int follow : {0, 1}) {
    for (const auto& at : kOutside) {
      for (unsigned state : kModifierStates) {
        selectDate(date);
        followClock = follow;
        chartScale = kScaleIn;
        press(1, at[0], at[1], state);
        EXPECT_EQ(chartScale, kScaleOut) << at[0] << "," << at[1];
        press(1, at[0], at[1], state);
        EXPECT_EQ(chartScale, kScaleIn) << at[0] << "," << at[1];
        EXPECT_EQ(selectedDate(), date);
        EXPECT_EQ(followClock, follow);
      }
    }
  }
  // Only exactly 0.6 is the OUT view; any other scale toggles to it.
  chartScale = 1.0;
  press(1, 32, 20);
  EXPECT_EQ(chartScale, kScaleOut);
}

TEST_F(DateEditorTest, RightPressOutsideReturnsToTheClock) {
  for (const auto& at : kOutside) {
    for (double scale : {kScaleIn, kScaleOut}) {
      selectDate({15, 6, -44});
      followClock = 0;
      chartScale = scale;
      const Date before = todayUtc();
      press(3, at[0], at[1], ControlMask);
      const Date after = todayUtc();
      EXPECT_EQ(followClock, 1) << at[0] << "," << at[1];
      EXPECT_TRUE(selectedDate() == before || selectedDate() == after)
          << selectedDate() << " is not today " << before;
      EXPECT_EQ(chartScale, scale);
    }
  }
}

// An independent model of the steps, in std::chrono's terms.
year_month_day toChrono(const Date& d) {
  return year{static_cast<int>(d.year)} / month{static_cast<unsigned>(d.month)} /
         day{static_cast<unsigned>(d.day)};
}

Date fromChrono(const year_month_day& d) {
  return {unsigned{d.day()}, unsigned{d.month()}, int{d.year()}};
}

enum Field { kDay, kMonth, kYear };

Date expectedStep(const Date& from, Field field, bool forward) {
  const year_month_day date = toChrono(from);
  if (field == kDay) return fromChrono(year_month_day{sys_days{date} + days{forward ? 1 : -1}});
  const year_month target = field == kMonth
                                ? date.year() / date.month() + months{forward ? 1 : -1}
                                : date.year() / date.month() + years{forward ? 1 : -1};
  if ((target / date.day()).ok()) return fromChrono(target / date.day());
  // The day doesn't exist in the target month: forward rolls to the 1st after, backward clamps.
  if (forward) return fromChrono((target + months{1}) / 1);
  return fromChrono(year_month_day{target / last});
}

// Thousands of random presses from random dates: the date stays valid and every step lands where
// the model says; the other presses do what they should and nothing else.
TEST_F(DateEditorTest, RandomWalkAgreesWithTheModel) {
  std::mt19937_64 rng(0x0d0c0e11);
  auto uniform = [&rng](int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(rng);
  };
  // x ranges of the day, month and year fields.
  const int fieldLeft[] = {4, 21, 34}, fieldRight[] = {20, 33, 60};
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
        const Field field = static_cast<Field>(uniform(0, 2));
        const bool forward = uniform(0, 1) == 1;
        press(forward ? 1 : 3, static_cast<int>(uniform(fieldLeft[field], fieldRight[field])),
              static_cast<int>(uniform(52, 59)), state);
        ++steps;
        ASSERT_TRUE(isValid(selectedDate())) << before << " -> " << selectedDate();
        ASSERT_EQ(selectedDate(), expectedStep(before, field, forward))
            << before << " field " << field << (forward ? " forward" : " backward");
        ASSERT_EQ(followClock, 0);
        ASSERT_EQ(chartScale, scale);
        continue;
      }

      // Somewhere outside the readout: above it, below it, or to either side.
      int x = static_cast<int>(uniform(-200, 263)), y = static_cast<int>(uniform(-200, 263));
      if (x >= 4 && x <= 60 && y >= 52 && y <= 59) y = uniform(0, 1) ? 51 : 60;

      if (action < 970) {
        // A press that must be ignored: middle, wheel, a higher button, or not a press at all.
        const unsigned buttons[] = {2, 4, 5, 6, 7, 9};
        const XEvent event =
            uniform(0, 1) ? buttonEvent(ButtonPress, buttons[uniform(0, 5)], x, y, state)
                          : buttonEvent(ButtonRelease, uniform(0, 1) ? 1 : 3,
                                        static_cast<int>(uniform(4, 60)), 55, state);
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
