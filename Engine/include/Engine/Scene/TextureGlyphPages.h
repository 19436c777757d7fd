#pragma once

#include <vector>

#include "Engine/Graphics/Texture.h"
#include "Engine/Scene/GlyphPages.h"

namespace Engine::Scene {

// Glyph pages as textures of one level, sides raised to powers of two. A
// page the device refused stays an empty texture and its cells are dropped.
class TextureGlyphPages : public GlyphPageStore {
 public:
  GlyphPageSize addPage(i32 width, i32 height) override;
  void writeCell(i32 page, i32 x, i32 y, i32 width, i32 height, const u32* pixels) override;

  i32 pageCount() const { return static_cast<i32>(mPages.size()); }
  const Graphics::Texture& page(i32 index) const { return mPages[static_cast<std::size_t>(index)]; }

 private:
  std::vector<Graphics::Texture> mPages;
};

}  // namespace Engine::Scene
