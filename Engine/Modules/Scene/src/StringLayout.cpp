#include "Scene/src/StringLayout.h"

#include <algorithm>

namespace Engine::Scene {

namespace {

bool isLeadByte(u8 byte) { return (byte > 0x80 && byte < 0xA0) || (byte > 0xDF && byte < 0xFD); }

constexpr u16 kNewline = 10;

// The device puts pixel centres on whole coordinates, so a rectangle from a
// whole coordinate would sample every texel at its edge, half from its
// neighbour (on the page, another glyph's ink). Drawn half a pixel up and
// left, each pixel samples its own texel's centre and covers the same pixels.
constexpr f32 kTexelCentre = 0.5f;

// The next character's code; a lead byte at the very end stands alone.
u16 nextCode(std::string_view text, std::size_t& index) {
  const auto lead = static_cast<u8>(text[index++]);
  if (isLeadByte(lead) && index < text.size()) {
    return static_cast<u16>(lead << 8 | static_cast<u8>(text[index++]));
  }
  return lead;
}

PlacedGlyph lookUp(GlyphLookup& font, u16 code, f32 lineHeight) {
  PlacedGlyph glyph;
  if (font.getChar(glyph.texture, glyph.uvTopLeft, glyph.uvBottomRight, code)) {
    glyph.size.set((glyph.uvBottomRight.x - glyph.uvTopLeft.x) * static_cast<f32>(glyph.texture.width()),
                   (glyph.uvBottomRight.y - glyph.uvTopLeft.y) * static_cast<f32>(glyph.texture.height()));
  } else {
    glyph.texture.release();
    glyph.uvTopLeft.set(0.0f, 0.0f);
    glyph.uvBottomRight.set(0.0f, 0.0f);
    glyph.size.set(lineHeight, lineHeight);
  }
  return glyph;
}

}  // namespace

bool layoutText(GlyphLookup& font, const TextRequestView& request, const Math::Vector2& screen,
                std::vector<PlacedGlyph>& glyphs, std::size_t capacity) {
  const f32 lineHeight = static_cast<f32>(font.charHeight());
  Math::Vector2 pen = request.position;
  std::size_t index = 0;
  while (index < request.text.size() && glyphs.size() < capacity) {
    const u16 code = nextCode(request.text, index);
    if (code == kNewline) {
      pen.set(request.position.x, pen.y + lineHeight);
      continue;
    }
    PlacedGlyph glyph = lookUp(font, code, lineHeight);
    if (!request.wrap && pen.x > screen.x) {
      return true;
    }
    if (request.wrap && pen.x + glyph.size.x > screen.x) {
      pen.set(request.position.x, pen.y + lineHeight);
    }
    if (pen.y > screen.y) {
      return true;
    }
    glyph.position.set(pen.x, pen.y, request.depth);
    glyph.color = request.color;
    pen.x += glyph.size.x;
    glyphs.push_back(std::move(glyph));
  }
  return index >= request.text.size();
}

void sortGlyphs(std::vector<const PlacedGlyph*>& order) {
  std::sort(order.begin(), order.end(), [](const PlacedGlyph* a, const PlacedGlyph* b) {
    if (a->position.z != b->position.z) {
      return a->position.z > b->position.z;
    }
    return a->texture < b->texture;
  });
}

void emitGlyphs(const std::vector<const PlacedGlyph*>& order, PrimitiveRenderer& renderer) {
  Graphics::Texture current;
  for (const PlacedGlyph* glyph : order) {
    if (glyph->texture != current) {
      current = glyph->texture;
      renderer.setTexture(current);
    }
    const Math::Vector2 topLeft(glyph->position.x - kTexelCentre, glyph->position.y - kTexelCentre);
    const Math::Vector2 bottomRight(topLeft.x + glyph->size.x, topLeft.y + glyph->size.y);
    if (glyph->texture) {
      renderer.addRectangle(topLeft, bottomRight, glyph->uvTopLeft, glyph->uvBottomRight, glyph->color, 0.0f);
    } else {
      renderer.addRectangle(topLeft, bottomRight, glyph->color, 0.0f);
    }
  }
}

}  // namespace Engine::Scene
