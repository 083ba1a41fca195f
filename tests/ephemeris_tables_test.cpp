// The abridged VSOP87D tables: the term selection, rows checked against the published values,
// and the invariants every term must keep.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/constants.h"
#include "ephemeris/series.h"
#include "ephemeris/series/theories.h"

using namespace dockorrery;

namespace {

constexpr const char* kPlanetNames[8] = {"Mercury", "Venus",  "Earth",  "Mars",
                                         "Jupiter", "Saturn", "Uranus", "Neptune"};
constexpr double kPi8 = 3.14159265;  // pi as the tables hold it

std::string seriesName(int planet, int index) {
  return std::string(kPlanetNames[planet]) + " " + "LBR"[index / 6] + std::to_string(index % 6);
}

const Series& seriesOf(int planet, char coordinate, int power) {
  const int c = coordinate == 'L' ? 0 : coordinate == 'B' ? 1 : 2;
  return kPlanetTheories[planet].series[c * 6 + power];
}

// Each series of the theory the evaluation reads holds the terms the selection keeps, in its own
// slot, with no terms at all where the selection keeps none.
TEST(SeriesTables, EverySeriesHoldsTheSelectedTerms) {
  for (int p = 0; p < 8; ++p) {
    for (int i = 0; i < 18; ++i) {
      const Series& s = kPlanetTheories[p].series[i];
      EXPECT_EQ(s.count, kSelectedTermCounts[p][i]) << seriesName(p, i);
      EXPECT_EQ(s.terms == nullptr, s.count == 0) << seriesName(p, i);
    }
  }
}

// The evaluation reads a planet's series L0..L5, B0..B5, R0..R5; each series must start where
// the one read before it ends, so that a frame walks the tables forwards through memory.
TEST(SeriesTables, EachPlanetsSeriesLieInReadingOrder) {
  for (int p = 0; p < 8; ++p) {
    const SeriesTerm* next = nullptr;
    for (int i = 0; i < 18; ++i) {
      const Series& s = kPlanetTheories[p].series[i];
      if (s.count == 0) continue;
      if (next != nullptr) {
        EXPECT_EQ(s.terms, next) << seriesName(p, i);
      }
      next = s.terms + s.count;
    }
  }
}

// Every term is a whole positive amplitude, a phase in [0, 2pi) and a frequency of 0 or more,
// stored with the decimals the tables keep; amplitudes never increase along a series.
TEST(SeriesTables, EveryTermKeepsItsRangesOrderAndPrecision) {
  // Whether x is the double nearest to a decimal of `places` places.
  auto onDecimalGrid = [](double x, int places) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", places, x);
    return std::strtod(text, nullptr) == x;
  };
  for (int p = 0; p < 8; ++p) {
    for (int i = 0; i < 18; ++i) {
      const Series& s = kPlanetTheories[p].series[i];
      for (int32_t j = 0; j < s.count; ++j) {
        const SeriesTerm& t = s.terms[j];
        SCOPED_TRACE(seriesName(p, i) + " term " + std::to_string(j));
        EXPECT_GE(t.A, 1.0);
        EXPECT_LE(t.A, 2608814706223.0);
        EXPECT_EQ(t.A, std::floor(t.A));
        EXPECT_GE(t.B, 0.0);
        EXPECT_LT(t.B, kTwoPi);
        EXPECT_GE(t.C, 0.0);
        EXPECT_LE(t.C, 234791.128274168);
        if (t.C == 0.0) {
          // A constant term adds or subtracts exactly its amplitude: its phase is 0 or the
          // stored pi, whose cosine is exactly -1.
          EXPECT_TRUE(t.B == 0.0 || t.B == kPi8) << t.B;
          EXPECT_EQ(std::fabs(std::cos(t.B)), 1.0) << t.B;
        } else {
          EXPECT_NE(t.B, 0.0);
        }
        EXPECT_TRUE(onDecimalGrid(t.B, t.B >= 1.0 ? 8 : 9)) << t.B;
        EXPECT_TRUE(onDecimalGrid(t.C, t.C >= 1.0 && t.C < 10.0 ? 8 : 9)) << t.C;
        if (j > 0) {
          EXPECT_LE(t.A, s.terms[j - 1].A);
        }
      }
    }
  }
}

TEST(SeriesTables, ConstantTermsOpenL0L1AndR0) {
  constexpr double kFirst[8][3] = {
      {440250710, 2608814706223, 39528272},   {317614667, 1021352943053, 72334821},
      {175347046, 628331966747, 100013989},   {620347712, 334085627474, 153033488},
      {59954691, 52993480757, 520887429},     {87401354, 21354295596, 955758136},
      {548129294, 7502543122, 1921264848},    {531188633, 3837687717, 3007013206},
  };
  for (int p = 0; p < 8; ++p) {
    const Series* opening[3] = {&seriesOf(p, 'L', 0), &seriesOf(p, 'L', 1), &seriesOf(p, 'R', 0)};
    for (int k = 0; k < 3; ++k) {
      SCOPED_TRACE(std::string(kPlanetNames[p]) + " series " + std::to_string(k));
      EXPECT_EQ(opening[k]->terms[0].A, kFirst[p][k]);
      EXPECT_EQ(opening[k]->terms[0].B, 0.0);
      EXPECT_EQ(opening[k]->terms[0].C, 0.0);
    }
  }
}

TEST(SeriesTables, EveryL4AndL5HoldsTheSameConstant) {
  auto holds = [](const Series& s, double A) {
    int found = 0;
    for (int32_t j = 0; j < s.count; ++j) {
      found += s.terms[j].A == A && s.terms[j].B == kPi8 && s.terms[j].C == 0.0;
    }
    return found;
  };
  for (int p = 0; p < 8; ++p) {
    SCOPED_TRACE(kPlanetNames[p]);
    EXPECT_EQ(holds(seriesOf(p, 'L', 4), 114), 1);
    const Series& l5 = seriesOf(p, 'L', 5);
    if (l5.count > 0) {
      EXPECT_EQ(holds(l5, 1), 1);
    }
  }
}

struct Rows {
  int planet;
  char coordinate;
  int power;
  bool whole;  // the rows are the whole series, not just its head
  std::vector<std::array<double, 3>> rows;
};

// Rows as stored, exactly. The 205 of Saturn L0 is 204.5 in the published series: halves round
// away from zero. Earth L3 keeps a periodic term ahead of its smaller constant term.
TEST(SeriesTables, TellingRowsAreStoredExactly) {
  const std::vector<Rows> cases = {
      {2, 'L', 0, false,
       {{175347046, 0, 0},
        {3341656, 4.6692568, 6283.075849991},
        {34894, 4.62610242, 12566.151699983},
        {3497, 2.74411801, 5753.384884897},
        {3418, 2.8288658, 3.52311835}}},
      {2, 'L', 1, false,
       {{628331966747, 0, 0}, {206059, 2.67823456, 6283.075849991}, {4303, 2.6351265, 12566.151699983}}},
      {2, 'R', 0, false,
       {{100013989, 0, 0}, {1670700, 3.09846351, 6283.075849991}, {13956, 3.0552461, 12566.151699983}}},
      {2, 'L', 3, false, {{289, 5.84384199, 6283.075849991}, {35, 0, 0}}},
      {2, 'L', 4, true,
       {{114, 3.14159265, 0}, {8, 4.13446589, 6283.075849991}, {1, 3.83803776, 12566.151699983}}},
      {2, 'L', 5, true, {{1, 3.14159265, 0}}},
      {2, 'B', 0, true,
       {{280, 3.19870156, 84334.661581308},
        {102, 5.42248619, 5507.553238667},
        {80, 3.88013204, 5223.693919802},
        {44, 3.7044469, 2352.866153772},
        {32, 4.0002637, 1577.343542448}}},
      {2, 'B', 1, true, {{9, 3.89729062, 5507.553238667}, {6, 1.7303885, 5223.693919802}}},
      {7, 'R', 3, true, {{166, 4.55243893, 38.133035638}}},
  };
  for (const Rows& c : cases) {
    const Series& s = seriesOf(c.planet, c.coordinate, c.power);
    SCOPED_TRACE(std::string(kPlanetNames[c.planet]) + " " + c.coordinate + std::to_string(c.power));
    if (c.whole) {
      ASSERT_EQ(s.count, static_cast<int32_t>(c.rows.size()));
    }
    ASSERT_GE(s.count, static_cast<int32_t>(c.rows.size()));
    for (size_t j = 0; j < c.rows.size(); ++j) {
      EXPECT_EQ(s.terms[j].A, c.rows[j][0]) << "row " << j;
      EXPECT_EQ(s.terms[j].B, c.rows[j][1]) << "row " << j;
      EXPECT_EQ(s.terms[j].C, c.rows[j][2]) << "row " << j;
    }
  }

  const Series& saturnL0 = seriesOf(5, 'L', 0);
  int found = 0;
  for (int32_t j = 0; j < saturnL0.count; ++j) {
    const SeriesTerm& t = saturnL0.terms[j];
    found += t.A == 205 && t.B == 6.01082207 && t.C == 265.989293478;
  }
  EXPECT_EQ(found, 1);
}

}  // namespace
