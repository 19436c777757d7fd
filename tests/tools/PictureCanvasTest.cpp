#include "Canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Engine::u32;

std::string fontFile(const std::string& name, const std::string& text) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path) << text;
  return path.string();
}

// A glyph with a dot in column 0 of row `first`, column 3 of row `middle`
// and column 7 of row `last` (a row outside 0..15 marks nothing).
std::string glyph(int code, int first, int middle, int last) {
  std::string rows = "glyph " + std::to_string(code) + "\n";
  for (int row = 0; row < 16; ++row) {
    rows += row == first ? "#.......\n" : row == middle ? "...#....\n" : row == last ? ".......#\n" : "........\n";
  }
  return rows;
}

u32 at(const Canvas& canvas, int x, int y) { return canvas.image().row(y)[x]; }

int inked(const Canvas& canvas) {
  int count = 0;
  for (int y = 0; y < canvas.image().height; ++y) {
    for (int x = 0; x < canvas.image().width; ++x) count += at(canvas, x, y) != 0;
  }
  return count;
}

// "AC" at scale 2 is 32 wide, centred on 20: from x 4; 'C' is not in the
// font, and 'B' (after 'A') is not drawn.
TEST(PictureCanvasTest, TextIsCentredScaledAndShadedDownItsRows) {
  const BitmapFont font(fontFile("picture_font_a.txt", "; a test font\n" + glyph(65, 0, 5, 15) + glyph(66, 0, -1, -1)));
  Canvas canvas;
  canvas.resize(40, 40);
  canvas.text(20, 2, 2, 0xff0000ffu, 0xffff0000u, "AC", font);
  const struct { int x, y; u32 colour; } dots[] = {
      {4, 2, 0xff0000ffu}, {5, 3, 0xff0000ffu}, {3, 2, 0u}, {6, 2, 0u},
      {10, 12, 0xff5500aau},  // row 5 of 15: a third of the way down
      {18, 32, 0xffff0000u}, {19, 33, 0xffff0000u}, {20, 32, 0u},
  };
  for (const auto& dot : dots) EXPECT_EQ(at(canvas, dot.x, dot.y), dot.colour) << dot.x << "," << dot.y;
  EXPECT_EQ(inked(canvas), 12);
}

TEST(PictureCanvasTest, ShapesStayInsideTheirRectsAndThePicture) {
  Canvas canvas;
  canvas.resize(8, 8);
  canvas.verticalGradient({0, 0, 1, 3}, 0xff204080u, 0xff6080c0u);
  EXPECT_EQ(at(canvas, 0, 1), 0xff4060a0u);
  EXPECT_EQ(at(canvas, 0, 2), 0xff6080c0u);
  canvas.verticalGradient({1, 0, 1, 1}, 0xff204080u, 0xff6080c0u);
  EXPECT_EQ(at(canvas, 1, 0), 0xff204080u);
  canvas.outline({4, 4, 4, 4}, 1, 0xffffffffu);
  EXPECT_EQ(at(canvas, 7, 7), 0xffffffffu);
  EXPECT_EQ(at(canvas, 5, 5), 0u);
  canvas.fill({6, 1, 4, 1}, 0xffffffffu);  // past the right edge, not onto the next row
  EXPECT_EQ(at(canvas, 0, 2), 0xff6080c0u);
  EXPECT_EQ(inked(canvas), 4 + 12 + 2);
  canvas.speckle({-4, -4, 20, 20}, 100, 1, 0xff123456u);
  EXPECT_EQ(inked(canvas), 64);
}

TEST(PictureCanvasTest, SpecklesAreAboutTheirShareAndTheSameForASeed) {
  Canvas none, half, again, other;
  for (Canvas* canvas : {&none, &half, &again, &other}) canvas->resize(32, 32);
  none.speckle({0, 0, 32, 32}, 0, 1, 0xffffffffu);
  half.speckle({0, 0, 32, 32}, 50, 1, 0xffffffffu);
  again.speckle({0, 0, 32, 32}, 50, 1, 0xffffffffu);
  other.speckle({0, 0, 32, 32}, 50, 2, 0xffffffffu);
  EXPECT_EQ(inked(none), 0);
  none.speckle({1, 1, 2, 2}, 100, 1, 0xffffffffu);
  EXPECT_EQ(inked(none), 4);
  EXPECT_NEAR(inked(half), 512, 80);
  EXPECT_EQ(half.image().pixels, again.image().pixels);
  EXPECT_NE(half.image().pixels, other.image().pixels);
}

TEST(PictureCanvasDeathTest, AMalformedFontStopsNamingItsLine) {
  const BitmapFont ends(fontFile("picture_font_ends.txt", glyph(0, 0, -1, -1) + glyph(255, 0, -1, -1)));
  EXPECT_TRUE(ends.glyph(0) && ends.glyph(255) && !ends.glyph(1));
  const std::string shortRow = fontFile("picture_font_bad.txt", "glyph 65\n#......\n");
  EXPECT_EXIT(BitmapFont{shortRow}, testing::ExitedWithCode(1), "picture_font_bad.txt:2: a glyph row");
  for (const char* header : {"glyph 256", "glyph", "glyph -1", "glyph 6x", "glif 65"}) {
    const std::string badCode = fontFile("picture_font_code.txt", std::string("; fine\n") + header + "\n");
    EXPECT_EXIT(BitmapFont{badCode}, testing::ExitedWithCode(1), "picture_font_code.txt:2: expected") << header;
  }
  EXPECT_EXIT(BitmapFont{"/nonexistent/font.txt"}, testing::ExitedWithCode(1), "font.txt: cannot be read");
}

}  // namespace
