#include <cstdint>
#include <cstdio>

#include "applet/date_state.h"
#include "applet/drawing.h"
#include "dock/dock_window.h"

namespace {

// Glyph cells of the artwork, 5x6 pixels each.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 6;
constexpr int kDigitRow = 57;      // orange digits: d at x = 66 + 5d
constexpr int kPointGlyphX = 116;  // follows the nine
constexpr int kLetterRow = 128;    // white capitals: letter k of A..Z at x = 2 + 5k

constexpr int kReadoutCells = 10;  // (6, 50) to (55, 55); any further characters are dropped
constexpr int kReadoutX = 6;
constexpr int kReadoutY = 50;

constexpr int letterX(char letter) { return 2 + kGlyphWidth * (letter - 'A'); }

void drawLabelLetter(char letter, int cell) {
  blit(letterX(letter), kLetterRow, kGlyphWidth, kGlyphHeight, 7 + kGlyphWidth * cell, 6);
}

}  // namespace

void drawDateReadout() {
  // Three 32-bit fields of at most 11 characters each, two points and the terminator.
  char text[36];
  std::snprintf(text, sizeof text, "%02i.%02i.%02i", static_cast<int32_t>(selectedDay),
                static_cast<int32_t>(selectedMonth), static_cast<int32_t>(selectedYear));
  for (int j = 0; j < kReadoutCells && text[j] != '\0'; ++j) {
    const int c = static_cast<unsigned char>(text[j]);
    // The point glyph stands for the separator and for a year's minus sign alike.
    const int sourceX = c < '0' ? kPointGlyphX : kGlyphWidth * c - 174;  // 66 + 5 (c - '0')
    blit(sourceX, kDigitRow, kGlyphWidth, kGlyphHeight, kReadoutX + kGlyphWidth * j, kReadoutY);
  }
}

void drawViewLabel() {
  // The same exact comparison as the chart's, so the label names the bodies on show.
  if (chartScale == kScaleOut) {
    drawLabelLetter('O', 0);
    drawLabelLetter('U', 1);
    drawLabelLetter('T', 2);
  } else {
    drawLabelLetter('I', 0);
    drawLabelLetter('N', 1);
  }
}
