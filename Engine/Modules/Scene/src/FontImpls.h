#pragma once

#include <memory>
#include <vector>

#include "Engine/Scene/BitmapGlyphTable.h"
#include "Engine/Scene/Font.h"
#include "Engine/Scene/GlyphCache.h"
#include "Engine/Scene/TextureGlyphPages.h"
#include "Platform/GlyphRasterizer.h"

namespace Engine::Scene {

// The texture coordinates of a cell: its corners over the texture's sides.
// False when the texture has no pixels.
bool cellCoordinates(const GlyphRecord& cell, const Graphics::Texture& texture, Math::Vector2& uvTopLeft,
                     Math::Vector2& uvBottomRight);

// A system face's glyphs, drawn into texture pages on their first use.
class SystemFont : public Font::Impl {
 public:
  SystemFont(std::unique_ptr<Platform::GlyphFace> face, i32 pageWidth, i32 pageHeight);
  bool getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight, u16 code) override;

  const GlyphCache& cache() const { return mCache; }
  const TextureGlyphPages& pages() const { return mPages; }

 private:
  TextureGlyphPages mPages;  // before the cache, which adds the first page
  GlyphCache mCache;
};

// Stands in when the system has no face at all: every glyph is missing.
class FacelessFont : public Font::Impl {
 public:
  explicit FacelessFont(i32 charHeight) : Impl(charHeight) {}
  bool getChar(Graphics::Texture&, Math::Vector2&, Math::Vector2&, u16) override { return false; }
};

// Ready-made glyphs on textures made from image files in memory.
class BitmapFont : public Font::Impl {
 public:
  BitmapFont(std::vector<Graphics::Texture> textures, BitmapGlyphTable glyphs);
  bool getChar(Graphics::Texture& texture, Math::Vector2& uvTopLeft, Math::Vector2& uvBottomRight, u16 code) override;

 private:
  std::vector<Graphics::Texture> mTextures;
  BitmapGlyphTable mGlyphs;
};

}  // namespace Engine::Scene
