#pragma once

#include <span>
#include <vector>

#include "Engine/Base/Types.h"

namespace Engine {

// The debug text layer's built-in bitmap font: one 128 x 256 greyscale TGA
// image of 16 x 16 cells of 8 x 16 pixels, code c in cell (c mod 16, c / 16).
struct DebugFont {
  static constexpr i32 kCellWidth = 8;
  static constexpr i32 kCellHeight = 16;
  static constexpr i32 kGlyphCount = 158;  // codes 32 to 126 and 161 to 223

  // The image file as held in the program.
  static std::span<const u8> image();
  // The glyph table of the bitmap font: kGlyphCount entries of 10 bytes.
  static std::vector<u8> glyphTable();
};

}  // namespace Engine
