// The face artwork against the layout the drawing code copies from.

#include <gtest/gtest.h>
// After GoogleTest, whose names Xlib's None and Bool macros would clash with.
#include <X11/xpm.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "applet/face_art.h"

using namespace dockorrery;

namespace {

constexpr int kFirstRowLine = 1 + kArtworkColours;  // the values line and the colour lines first

constexpr char kTealChar = '.', kBlackChar = '+', kOrangeChar = '@', kGreyChar = '#',
               kWhiteChar = '$';

char pixel(int x, int y) { return faceXpm[kFirstRowLine + y][x]; }

// A glyph cell of the image, row by row.
std::string cellText(int x0, int y0) {
  std::string text;
  for (int y = y0; y < y0 + kGlyphHeight; ++y) {
    text += std::string(faceXpm[kFirstRowLine + y] + x0, kGlyphWidth) + '\n';
  }
  return text;
}

TEST(FaceArt, FaceBeforeTheFirstFrame) {
  // Built area by area: teal ring, black well with its black top-right pixel, light-grey right
  // and bottom edges, black outer line.
  const int first = kShapeFirst, last = kShapeLast, ring = kFaceSize - 2;
  std::string expected;
  for (int y = 0; y < kFaceSize; ++y) {
    for (int x = 0; x < kFaceSize; ++x) {
      char c = kBlackChar;
      if (x <= ring && y <= ring && !(x >= first && x <= last && y >= first && y <= last)) {
        c = kTealChar;
      }
      if ((x == last && y > first && y <= last) || (y == last && x >= first && x <= last)) {
        c = kGreyChar;
      }
      expected += c;
    }
    expected += '\n';
  }
  std::string actual;
  for (int y = 0; y < kFaceSize; ++y) {
    actual += std::string(faceXpm[kFirstRowLine + y], kFaceSize) + '\n';
  }
  EXPECT_EQ(actual, expected);
}

// The cells the layout names hold glyphs the harness can tell apart: each is its colour on black,
// with some of each, and no two are alike (readoutText and labelText decode a face by them).
TEST(FaceArt, GlyphCellsHoldDistinctGlyphsOnBlack) {
  struct Cell {
    std::string name;
    int x, y;
    char ink;
  };
  std::vector<Cell> cells;
  for (int d = 0; d < 10; ++d) {
    cells.push_back({std::to_string(d), digitGlyphX(d), kDigitRow, kOrangeChar});
  }
  cells.push_back({".", kPointGlyphX, kDigitRow, kOrangeChar});
  for (char letter : std::string("INOTU")) {
    cells.push_back({std::string(1, letter), letterGlyphX(letter), kLetterRow, kWhiteChar});
  }
  std::map<std::string, std::string> seen;
  for (const auto& c : cells) {
    const std::string text = cellText(c.x, c.y);
    EXPECT_EQ(text.find_first_not_of(std::string{c.ink, kBlackChar, '\n'}), std::string::npos)
        << c.name << ":\n" << text;
    EXPECT_NE(text.find(c.ink), std::string::npos) << c.name;
    EXPECT_NE(text.find(kBlackChar), std::string::npos) << c.name;
    const auto [other, fresh] = seen.emplace(text, c.name);
    EXPECT_TRUE(fresh) << c.name << " is drawn as " << other->second;
  }
}

// The source of the clear step must be black through and through, or every frame would paint
// the well with it.
TEST(FaceArt, ClearBlockIsBlack) {
  for (int y = kClearBlockY; y < kClearBlockY + kWellSize; ++y) {
    EXPECT_EQ(std::string(faceXpm[kFirstRowLine + y] + kClearBlockX, kWellSize),
              std::string(kWellSize, kBlackChar))
        << "row " << y;
  }
}

TEST(FaceArt, ShapeMaskIsTheSquareOfTheLayout) {
  for (int y = 0; y < kFaceMaskHeight; ++y) {
    for (int x = 0; x < kFaceMaskWidth; ++x) {
      const bool inside = x >= kShapeFirst && x <= kShapeLast && y >= kShapeFirst && y <= kShapeLast;
      const bool set = (faceMaskBits[kFaceMaskWidth / 8 * y + x / 8] >> (x % 8)) & 1;
      EXPECT_EQ(set, inside) << x << ", " << y;
    }
  }
}

// The committed file is real XPM of the layout's size: libXpm reads it, with nothing but "c"
// keys, to the same image as the data compiled into the program, and no pixel is transparent
// ("None" is declared but the window shape alone cuts the face).
TEST(FaceArt, FileReadsWithLibXpmAndMatchesTheProgramsData) {
  std::string path = SOURCE_DIR "/applet/art/face.xpm";
  XpmImage file{}, built{};
  XpmInfo fileInfo{}, builtInfo{};
  ASSERT_EQ(XpmReadFileToXpmImage(path.data(), &file, &fileInfo), XpmSuccess);
  ASSERT_EQ(XpmCreateXpmImageFromData(const_cast<char**>(faceXpm), &built, &builtInfo),
            XpmSuccess);

  EXPECT_EQ(file.width, unsigned{kArtworkWidth});
  EXPECT_EQ(file.height, unsigned{kArtworkHeight});
  EXPECT_EQ(file.cpp, 1u);
  ASSERT_EQ(file.ncolors, unsigned{kArtworkColours});
  ASSERT_EQ(built.ncolors, unsigned{kArtworkColours});
  for (unsigned i = 0; i < kArtworkColours; ++i) {
    const XpmColor& colour = file.colorTable[i];
    EXPECT_EQ(colour.string[0], faceXpm[1 + i][0]) << i;
    EXPECT_STREQ(colour.c_color, faceXpm[1 + i] + 4) << i;
    EXPECT_EQ(colour.symbolic, nullptr) << i;
    EXPECT_EQ(colour.m_color, nullptr) << i;
    EXPECT_EQ(colour.g_color, nullptr) << i;
    EXPECT_EQ(colour.g4_color, nullptr) << i;
    EXPECT_STREQ(built.colorTable[i].c_color, colour.c_color) << i;
  }
  ASSERT_EQ(built.width, file.width);
  ASSERT_EQ(built.height, file.height);
  EXPECT_EQ(std::memcmp(file.data, built.data, sizeof(unsigned) * kArtworkWidth * kArtworkHeight),
            0);
  // And the pixel indices point at the colour lines of the characters in the rows.
  for (int y = 0; y < kArtworkHeight; ++y) {
    ASSERT_EQ(std::strlen(faceXpm[kFirstRowLine + y]), size_t{kArtworkWidth}) << "row " << y;
    for (int x = 0; x < kArtworkWidth; ++x) {
      const XpmColor& colour = file.colorTable[file.data[y * kArtworkWidth + x]];
      ASSERT_EQ(colour.string[0], pixel(x, y));
      ASSERT_STRNE(colour.c_color, "None") << x << ", " << y;
    }
  }
  XpmFreeXpmImage(&file);
  XpmFreeXpmImage(&built);
  XpmFreeXpmInfo(&fileInfo);
  XpmFreeXpmInfo(&builtInfo);
}

}  // namespace
