// The idle frame's drawing, pixel by pixel, over an in-memory master pixmap built from the real
// artwork, against faces composed by tests/support/expected_face.h.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

#include "applet/date_state.h"
#include "applet/drawing.h"
#include "applet/idle_frame.h"
#include "applet/readout_layout.h"
#include "dock/dock_window.h"
#include "ephemeris/position.h"
#include "tests/support/expected_face.h"
#include "tests/support/memory_face.h"

using namespace dockorrery;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr int kLast = kFaceSize - 1;

std::string text(const Face& face, int x0 = 0, int y0 = 0, int x1 = kLast, int y1 = kLast) {
  return faceText(face, x0, y0, x1, y1);
}

std::string faceNow(int x0 = 0, int y0 = 0, int x1 = kLast, int y1 = kLast) {
  return renderMemoryFace(x0, y0, x1, y1);
}

int countInFace(uint32_t colour) {
  int count = 0;
  for (int y = 0; y < kFaceSize; ++y) {
    for (int x = 0; x < kFaceSize; ++x) count += memoryPixel(x, y) == colour;
  }
  return count;
}

void expectDot(int x, int y, uint32_t colour) {
  for (int dy = 0; dy < 2; ++dy) {
    for (int dx = 0; dx < 2; ++dx) {
      EXPECT_EQ(memoryPixel(x + dx, y + dy), colour) << "at " << x + dx << ", " << y + dy;
    }
  }
}

class Drawing : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(resetMemoryFace(&error)) << error;
    followClock = 0;  // no clock reads unless a test asks for them
    chartScale = kScaleIn;
    setDate(5, 3, 2024);
  }

  static void setDate(int64_t day, int64_t month, int64_t year) {
    selectedDay = day;
    selectedMonth = month;
    selectedYear = year;
  }

  static void frame() {
    int counter = 0;
    renderIdleFrame(counter);
  }
};

TEST_F(Drawing, ReadoutShowsTheFirstTenCharactersOfTheDate) {
  const struct {
    int64_t day, month, year;
    const char* shown;
  } cases[] = {
      {5, 3, 2024, "05.03.2024"},
      {31, 12, 1, "31.12.01"},
      {5, 3, 999, "05.03.999"},
      {5, 3, 5, "05.03.05"},
      {5, 3, 0, "05.03.00"},
      {5, 3, -1, "05.03..1"},      // the minus sign shows as a point
      {5, 3, -44, "05.03..44"},
      {5, 3, 10000, "05.03.1000"},  // an eleventh character is dropped
      {5, 3, -1000, "05.03..100"},
      {5, 3, (int64_t{1} << 32) + 2024, "05.03.2024"},  // only the low 32 bits are printed
      {5, 3, int64_t{INT32_MIN}, "05.03..214"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(resetMemoryFace());
    setDate(c.day, c.month, c.year);
    drawDateReadout();
    Face expected = pristineFace();
    paintReadout(expected, c.shown);
    EXPECT_EQ(faceNow(), text(expected)) << c.day << "." << c.month << "." << c.year;
  }
}

TEST_F(Drawing, ReadoutReplacesWholeCellsAndLeavesLaterCellsAlone) {
  setDate(5, 3, 2024);
  drawDateReadout();
  setDate(5, 3, -44);  // no clear step in between: the point blanks the 2 beneath it
  drawDateReadout();
  Face expected = pristineFace();
  paintReadout(expected, "05.03..444");
  EXPECT_EQ(faceNow(), text(expected));
}

TEST_F(Drawing, TenthCellTurnsBlackWhenTheYearStepsBackFrom1000) {
  setDate(5, 3, 1000);
  frame();
  Face expected = pristineFace();
  paintReadout(expected, "05.03.1000");
  // Rows 49-59: the readout with the well around it; no dot of these dates reaches them.
  EXPECT_EQ(faceNow(0, 49, 63, 59), text(expected, 0, 49, 63, 59));

  setDate(5, 3, 999);
  frame();
  expected = pristineFace();
  paintReadout(expected, "05.03.999");
  EXPECT_EQ(faceNow(0, 49, 63, 59), text(expected, 0, 49, 63, 59));
}

TEST_F(Drawing, LabelNamesOutOnlyForExactlyPointSix) {
  const struct {
    double scale;
    const char* label;
  } cases[] = {
      {9.0, "IN"},
      {0.6, "OUT"},
      {std::nextafter(0.6, 1.0), "IN"},
      {std::nextafter(0.6, 0.0), "IN"},
      {-0.6, "IN"},
      {kNaN, "IN"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(resetMemoryFace());
    chartScale = c.scale;
    drawViewLabel();
    Face expected = pristineFace();
    paintLabel(expected, c.label);
    EXPECT_EQ(faceNow(), text(expected)) << c.scale;
  }
}

// 1 January 2000 (Julian Day 2451545.0) in both views, whole faces: the Sun and the four bodies
// of each view at the offsets their positions give (the ChartOffset cases below), in their
// colours, so every body's dot is copied whole from its colour's cell of the artwork. Going from
// OUT back to IN also shows the clear step at work: the OUT dots and the T are gone.
TEST_F(Drawing, FirstOfJanuary2000InBothViews) {
  setDate(1, 1, 2000);
  chartScale = kScaleOut;
  frame();
  EXPECT_EQ(selectedJd, 2451545.0);
  // Sun, Jupiter, Saturn, Uranus, Neptune.
  EXPECT_EQ(faceNow(), text(composedFace("01.01.2000",
                                         {{32, 32, kYellow}, {34, 30, kSilver}, {35, 28, kGreen},
                                          {40, 40, kMagenta}, {42, 46, kCyan}},
                                         "OUT")));
  chartScale = kScaleIn;
  frame();
  // Sun, Mercury, Venus, Earth, Mars.
  EXPECT_EQ(faceNow(), text(composedFace("01.01.2000",
                                         {{32, 32, kYellow}, {30, 36, kGreen}, {25, 32, kWhite},
                                          {30, 23, kCyan}, {44, 32, kRed}},
                                         "IN")));
  EXPECT_EQ(memoryRefreshCount(), 2);
}

// At a nanopixel per AU every body of 1 January 2000 lands on the centre pixel or next to it,
// by the signs of its coordinates: Mercury and Venus at (-1, 0), Earth at (-1, -1), Mars at
// (0, 0). Drawn in order, each covers the ones before it, the Sun first of all.
TEST_F(Drawing, LaterDotsCoverEarlierOnes) {
  setDate(1, 1, 2000);
  chartScale = 1e-9;
  frame();
  // Venus over Mercury, the Earth, Mars over the Sun.
  EXPECT_EQ(faceNow(),
            text(composedFace("01.01.2000", {{31, 32, kWhite}, {31, 31, kCyan}, {32, 32, kRed}}, "IN")));
}

// Offsets of 26 and 27 put a dot half and wholly beyond the plot well, on the light-grey edge
// and outside the window shape, where the clear step never reaches. On 1 January 2000 Mars lies
// at (26, 0) at 19 pixels per AU and (27, 0) at 19.5; Mercury at (-8, 26) at 59 and (-8, 27)
// at 61. What lies inside the well, column and row 58 included, is restored by the next frame.
TEST_F(Drawing, DotsBeyondTheWellOutlastTheClearStep) {
  setDate(1, 1, 2000);
  const struct {
    double scale;
    int x, y;
    uint32_t colour;
  } steps[] = {{19.0, 58, 32, kRed}, {59.0, 24, 58, kGreen}, {19.5, 59, 32, kRed},
               {61.0, 24, 59, kGreen}};
  for (const auto& step : steps) {
    chartScale = step.scale;
    frame();
    expectDot(step.x, step.y, step.colour);
  }
  chartScale = kScaleIn;
  frame();
  // The two dots left beyond the well, then the IN view of the day.
  EXPECT_EQ(faceNow(), text(composedFace("01.01.2000",
                                         {{59, 32, kRed}, {24, 59, kGreen}, {32, 32, kYellow},
                                          {30, 36, kGreen}, {25, 32, kWhite}, {30, 23, kCyan},
                                          {44, 32, kRed}},
                                         "IN")));
}

TEST_F(Drawing, NeptuneCoversTheReadoutOnFirstOfJanuary1981) {
  setDate(1, 1, 1981);
  chartScale = kScaleOut;
  frame();
  Face expected = pristineFace();
  paintReadout(expected, "01.01.1981");
  paintDot(expected, {29, 50, kCyan});  // offset (-3, 18), drawn after the readout
  EXPECT_EQ(faceNow(0, 49, 63, 59), text(expected, 0, 49, 63, 59));
  expectDot(32, 32, kYellow);
  EXPECT_EQ(countInFace(kCyan), 4);
}

// Far outside the series' range Saturn's offset (48, 71) fails the bounds test; the others
// still draw.
TEST_F(Drawing, SaturnIsDroppedInTheYear40000) {
  setDate(1, 1, 40000);
  chartScale = kScaleOut;
  frame();
  EXPECT_EQ(selectedJd, 16330760.0);
  expectDot(32, 32, kYellow);   // Sun
  expectDot(32, 30, kSilver);   // Jupiter (0, -2)
  expectDot(23, 22, kMagenta);  // Uranus (-9, -10)
  expectDot(25, 48, kCyan);     // Neptune (-7, 16)
  EXPECT_EQ(countInFace(kGreen), 0);
  for (uint32_t colour : {kYellow, kSilver, kMagenta, kCyan}) EXPECT_EQ(countInFace(colour), 4);
  Face expected = pristineFace();
  paintReadout(expected, "01.01.4000");
  EXPECT_EQ(faceNow(0, 50, 63, 59), text(expected, 0, 50, 63, 59));
}

// The label is drawn after the chart: a dot under the label cells disappears. At 30 pixels per
// AU the Earth of 29 January 2000 (longitude near 128 degrees) falls on the N of IN.
TEST_F(Drawing, LabelCoversADotBeneathIt) {
  setDate(29, 1, 2000);
  chartScale = 30.0;
  BodyPosition earth;
  computeBodyPosition(earth, 3, 2451573.0);
  int32_t x, y;
  ASSERT_TRUE(chartOffset(earth.L, earth.R, chartScale, x, y));
  ASSERT_TRUE(32 + x >= 12 && 32 + x + 1 <= 16 && 32 + y >= 6 && 32 + y + 1 <= 11)
      << "the Earth's dot is at " << 32 + x << ", " << 32 + y;
  frame();
  EXPECT_EQ(countInFace(kCyan), 0);
  Face expected = pristineFace();
  paintLabel(expected, "IN");
  EXPECT_EQ(faceNow(5, 5, 22, 12), text(expected, 5, 5, 22, 12));
}

TEST_F(Drawing, NaNScaleDrawsInLabelAndNoDots) {
  setDate(1, 1, 2000);
  chartScale = kNaN;
  frame();
  EXPECT_EQ(faceNow(), text(composedFace("01.01.2000", {}, "IN")));
}

TEST(ChartOffset, ProjectsFloorsAndBoundsTheOffset) {
  const double pi = std::acos(-1.0);
  const double beyond32Bits = 4294967296.0;
  const struct {
    double L, R, scale;
    bool drawn;
    int32_t x, y;
  } cases[] = {
      // The Sun and the eight planets on 1 January 2000 (L in rad, R in AU), IN at 9 and OUT at
      // 0.6 pixels per AU: the offsets of the whole faces above.
      {0.0, 0.0, 9.0, true, 0, 0},
      {4.429347, 0.466473, 9.0, true, -2, 4},
      {3.187021, 0.720213, 9.0, true, -7, 0},  // X = -6.475 floors to -7, not -6
      {1.751923, 0.983328, 9.0, true, -2, -9},
      {6.273542, 1.391205, 9.0, true, 12, 0},
      {0.633462, 4.965388, 0.6, true, 2, -2},
      {0.798006, 9.183730, 0.6, true, 3, -4},
      {5.522546, 19.923972, 0.6, true, 8, 8},
      {5.304565, 30.120534, 0.6, true, 10, 14},
      // Bounds on each axis: 27 and -27 are drawn, 28 and -28 are not.
      {0.0, 27.5, 1.0, true, 27, 0},
      {0.0, 28.0, 1.0, false, 0, 0},
      {pi, 26.5, 1.0, true, -27, -1},
      {pi, 27.01, 1.0, false, 0, 0},
      {pi / 2, 26.5, 1.0, true, 0, -27},
      {pi / 2, 27.5, 1.0, false, 0, 0},
      {-pi / 2, 27.5, 1.0, true, 0, 27},
      {-pi / 2, 28.0, 1.0, false, 0, 0},
      // The products are taken as (cos L * R) * scale and (-sin L * R) * scale; either other
      // grouping floors differently here.
      {0.6210699864784337, 38.93811460460955, 0.6, true, 18, -14},
      {-0.41303644674565165, 20.761070552554145, 0.6, true, 11, 4},
      {0.8521900587871293, 24.35598337743496, 0.6, true, 9, -12},
      // NaN, infinities and values beyond 32 bits (which must not wrap into range) are outside.
      {kNaN, 1.0, 9.0, false, 0, 0},
      {0.0, kNaN, 9.0, false, 0, 0},
      {0.0, 1.0, kNaN, false, 0, 0},
      {0.0, std::numeric_limits<double>::infinity(), 9.0, false, 0, 0},
      {0.0, 1e300, 9.0, false, 0, 0},
      {0.0, beyond32Bits + 5, 1.0, false, 0, 0},
      {0.0, -beyond32Bits + 3, 1.0, false, 0, 0},
      {-pi / 2, beyond32Bits + 3, 1.0, false, 0, 0},
  };
  for (const auto& c : cases) {
    int32_t x = 99, y = 99;
    const bool drawn = chartOffset(c.L, c.R, c.scale, x, y);
    EXPECT_EQ(drawn, c.drawn) << "L " << c.L << " R " << c.R << " scale " << c.scale;
    if (drawn && c.drawn) {
      EXPECT_EQ(x, c.x) << "L " << c.L << " R " << c.R << " scale " << c.scale;
      EXPECT_EQ(y, c.y) << "L " << c.L << " R " << c.R << " scale " << c.scale;
    }
  }
}

TEST_F(Drawing, ClockIsReadEvery102ndFrameWhileFollowingIt) {
  const struct {
    int follow, counterBefore, counterAfter;
    bool readsClock;
  } cases[] = {
      {1, 101, 0, true}, {1, 150, 0, true}, {1, 100, 101, false}, {1, 0, 1, false},
      {0, 101, 0, false}, {0, 100, 101, false},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(resetMemoryFace());
    followClock = c.follow;
    setDate(5, 3, 2024);
    int counter = c.counterBefore;
    const time_t before = time(nullptr);
    renderIdleFrame(counter);
    const time_t after = time(nullptr);
    EXPECT_EQ(counter, c.counterAfter) << c.follow << " " << c.counterBefore;
    EXPECT_EQ(memoryRefreshCount(), 1);

    // The frame draws the date it started with; a date read from the clock shows next frame.
    Face expected = pristineFace();
    paintReadout(expected, "05.03.2024");
    EXPECT_EQ(faceNow(0, 50, 63, 55), text(expected, 0, 50, 63, 55));

    if (c.readsClock) {
      bool matchesClock = false;
      for (time_t t : {before, after}) {
        const struct tm* utc = gmtime(&t);
        matchesClock |= selectedDay == utc->tm_mday && selectedMonth == utc->tm_mon + 1 &&
                        selectedYear == utc->tm_year + 1900;
      }
      EXPECT_TRUE(matchesClock) << selectedDay << "." << selectedMonth << "." << selectedYear;
    } else {
      EXPECT_TRUE(selectedDay == 5 && selectedMonth == 3 && selectedYear == 2024);
    }
  }
}

// The stand-in for the X server copies as XCopyArea does: clipped at the pixmap's borders and
// overlapping copies read before they write.
TEST(MemoryFace, CopiesLikeXCopyArea) {
  ASSERT_TRUE(resetMemoryFace());
  const std::string digits = renderMemoryFace(66, 57, 120, 62);
  blit(66, 57, 55, 6, 67, 57);  // one pixel to the right, over itself
  std::string shifted;
  for (int y = 0; y < 6; ++y) shifted += digits.substr(56 * y, 1) + digits.substr(56 * y, 55) + '\n';
  EXPECT_EQ(renderMemoryFace(66, 57, 121, 62), shifted);

  ASSERT_TRUE(resetMemoryFace());
  // Only the yellow dot's top-left pixel lands inside.
  blit(kYellowDot.x, kYellowDot.y, kDotSize, kDotSize, kArtworkWidth - 1, kArtworkHeight - 1);
  EXPECT_EQ(memoryPixel(kArtworkWidth - 1, kArtworkHeight - 1), kYellow);
  blit(-1, -1, 2, 2, 10, 10);  // only the source pixel (0, 0), teal, exists
  EXPECT_EQ(renderMemoryFace(10, 10, 11, 11), "..\n.t\n");
}

}  // namespace
