#include "presentation/scene/GlyphInk.h"

#include <algorithm>

namespace Game {

using Engine::i32;
using Engine::u32;

GlyphInk::Rect GlyphInk::of(Engine::Graphics::Texture& page, i32 x, i32 y, i32 width, i32 height) {
  const auto key = std::make_tuple(page, x, y);
  if (const auto found = mCells.find(key); found != mCells.end()) {
    return found->second;
  }
  Rect ink{width, height, 0, 0};
  u32* pixels = nullptr;
  i32 pitch = 0;
  page.lock(&pixels, &pitch, x, y, width, height, 0);
  for (i32 row = 0; row < height; ++row) {
    const u32* line = reinterpret_cast<const u32*>(reinterpret_cast<const Engine::u8*>(pixels) + row * pitch);
    for (i32 column = 0; column < width; ++column) {
      if (line[column] >> 24 >= kInkAlpha) {
        ink = {std::min(ink.left, column), std::min(ink.top, row), std::max(ink.right, column + 1),
               std::max(ink.bottom, row + 1)};
      }
    }
  }
  page.unlock(&pixels, 0);
  mCells.emplace(key, ink);
  return ink;
}

}  // namespace Game
