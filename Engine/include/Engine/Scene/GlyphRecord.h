#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Scene {

// Where one glyph lies: its page and the pixel rectangle of its cell there.
struct GlyphRecord {
  u8 page = 0;
  u8 height = 0;
  u8 width = 0;
  u16 x = 0;
  u16 y = 0;
};

}  // namespace Engine::Scene
