#include "Scene/src/FontImpls.h"

#include <utility>

namespace Engine::Scene {

bool cellCoordinates(const GlyphRecord& cell, const Graphics::Texture& texture, Math::Vector2& uvTopLeft,
                     Math::Vector2& uvBottomRight) {
  if (!texture.hasPixels()) {
    return false;
  }
  const auto width = static_cast<float>(texture.width());
  const auto height = static_cast<float>(texture.height());
  uvTopLeft.set(static_cast<float>(cell.x) / width, static_cast<float>(cell.y) / height);
  uvBottomRight.set(static_cast<float>(cell.x + cell.width) / width, static_cast<float>(cell.y + cell.height) / height);
  return true;
}

SystemFont::SystemFont(std::unique_ptr<Platform::GlyphFace> face, i32 pageWidth, i32 pageHeight)
    : Impl(0), mCache(std::move(face), mPages, pageWidth, pageHeight) {
  mCharHeight = mCache.charHeight();
}

// A glyph on a page the device refused is missing: the caller draws its box.
bool SystemFont::getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight,
                         u16 code) {
  const GlyphRecord cell = mCache.glyph(code);
  const Graphics::Texture& page = mPages.page(cell.page);
  if (!cellCoordinates(cell, page, uvTopLeft, uvBottomRight)) {
    return false;
  }
  texture = page;
  return true;
}

BitmapFont::BitmapFont(std::vector<Graphics::Texture> textures, BitmapGlyphTable glyphs)
    : Impl(glyphs.charHeight()), mTextures(std::move(textures)), mGlyphs(std::move(glyphs)) {}

// A glyph naming an image the font does not have, or one that could not be
// read, is missing.
bool BitmapFont::getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight,
                         u16 code) {
  const GlyphRecord* cell = mGlyphs.find(code);
  if (!cell || cell->page >= mTextures.size()) {
    return false;
  }
  const Graphics::Texture& image = mTextures[cell->page];
  if (!cellCoordinates(*cell, image, uvTopLeft, uvBottomRight)) {
    return false;
  }
  texture = image;
  return true;
}

}  // namespace Engine::Scene
