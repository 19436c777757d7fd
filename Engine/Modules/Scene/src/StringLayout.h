#pragma once

#include <string_view>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Texture.h"
#include "Engine/Math/Vector2.h"
#include "Engine/Math/Vector3.h"
#include "Engine/Scene/PrimitiveRenderer.h"

namespace Engine::Scene {

// What the layout asks of a font: a glyph's texture and texture-coordinate
// rectangle (false when the font has no such glyph), and the line height.
class GlyphLookup {
 public:
  virtual bool getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight,
                       u16 code) = 0;
  virtual i32 charHeight() = 0;
  virtual ~GlyphLookup() = default;
};

// One laid-out character: its screen rectangle from the top-left corner
// (x, y), z the request's depth. A glyph the font lacks has no texture and is
// drawn as a solid box.
struct PlacedGlyph {
  Math::Vector3 position;
  Math::Vector2 uvTopLeft;
  Math::Vector2 uvBottomRight;
  Math::Vector2 size;
  Graphics::Texture texture;
  u32 color = 0;
};

struct TextRequestView {
  Math::Vector2 position;
  f32 depth = 0.0f;
  std::string_view text;
  u32 color = 0;
  bool wrap = false;
};

// Lays out a Shift-JIS text, one character (one or two bytes) at a time,
// appending to glyphs while it holds fewer than capacity. A newline (byte 10)
// starts the next line at the request's x. Past the right edge of the screen
// the rest of the text is dropped, or with wrap the character moves to the
// next line; below the bottom edge the rest is dropped. False when the text
// was cut short because glyphs reached capacity.
bool layoutText(GlyphLookup& font, const TextRequestView& request, const Math::Vector2& screen,
                std::vector<PlacedGlyph>& glyphs, std::size_t capacity);

// Larger depth first (drawn under what follows); equal depths grouped by
// texture, so that one texture is one batch.
void sortGlyphs(std::vector<const PlacedGlyph*>& order);

// Adds the glyphs in the given order as rectangles at depth 0.
void emitGlyphs(const std::vector<const PlacedGlyph*>& order, PrimitiveRenderer& renderer);

}  // namespace Engine::Scene
