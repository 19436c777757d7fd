#pragma once

#include <map>
#include <tuple>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Texture.h"

namespace Game {

// Where a glyph's cell on its page is inked: the columns and rows from the
// cell's top-left that hold its covered pixels, past-the-end on the right and
// bottom. Read once per cell from the page's pixels (cells never change once
// written); for checking text against frames, so cost matters little.
class GlyphInk {
 public:
  struct Rect {
    Engine::i32 left = 0;
    Engine::i32 top = 0;
    Engine::i32 right = 0;
    Engine::i32 bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
  };
  // A pixel at least this opaque is ink; fainter edge shading is not seen
  // against a border.
  static constexpr Engine::u32 kInkAlpha = 64;

  Rect of(Engine::Graphics::Texture& page, Engine::i32 x, Engine::i32 y, Engine::i32 width, Engine::i32 height);
  void clear() { mCells.clear(); }

 private:
  // The page is held by its key, so no later page can take its address.
  std::map<std::tuple<Engine::Graphics::Texture, Engine::i32, Engine::i32>, Rect> mCells;
};

}  // namespace Game
