#include <cstdint>
#include <cstdio>

#include "applet/date_state.h"
#include "applet/drawing.h"
#include "applet/face_art.h"
#include "applet/readout_layout.h"
#include "dock/dock_window.h"

namespace dockorrery {

namespace {

void drawLabelLetter(char letter, int cell) {
  blit(letterGlyphX(letter), kLetterRow, kGlyphWidth, kGlyphHeight, kLabelX + kGlyphWidth * cell,
       kLabelY);
}

}  // namespace

void drawDateReadout() {
  // Three 32-bit fields of at most 11 characters each, two points and the terminator.
  char text[36];
  std::snprintf(text, sizeof text, "%02i.%02i.%02i", static_cast<int32_t>(selectedDay),
                static_cast<int32_t>(selectedMonth), static_cast<int32_t>(selectedYear));
  // Any characters past the last cell are dropped.
  for (int j = 0; j < kReadoutCells && text[j] != '\0'; ++j) {
    const int c = static_cast<unsigned char>(text[j]);
    // The point glyph stands for the separator and for a year's minus sign alike.
    const int sourceX = c < '0' ? kPointGlyphX : digitGlyphX(c - '0');
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

}  // namespace dockorrery
