#pragma once

#include <array>
#include <bitset>
#include <string>

// The 8 x 16 bitmap font of tools/debugfont/debugfont.txt, read for
// lettering pictures: "glyph <code>" lines, each followed by 16 rows of 8
// '#' (ink) or '.' characters; ';' starts a comment line.
class BitmapFont {
 public:
  static constexpr int kWidth = 8;
  static constexpr int kHeight = 16;
  using Glyph = std::array<std::bitset<kWidth>, kHeight>;

  // Stops the tool naming the file and line on a malformed glyph.
  explicit BitmapFont(const std::string& path);

  // Null for a character the font does not draw.
  const Glyph* glyph(unsigned char code) const;

 private:
  std::array<Glyph, 256> mGlyphs{};
  std::bitset<256> mDrawn;
};
