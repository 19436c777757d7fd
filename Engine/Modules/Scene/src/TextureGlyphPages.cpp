#include "Engine/Scene/TextureGlyphPages.h"

#include <algorithm>
#include <cstring>

#include "Engine/Base/Assert.h"

namespace Engine::Scene {

GlyphPageSize TextureGlyphPages::addPage(i32 width, i32 height) {
  Graphics::Texture texture = Graphics::Texture::create(width, height, false);
  mPages.push_back(texture);
  if (!texture.hasPixels()) {
    // Placement still needs a size; nothing is drawn on this page.
    return {width, height};
  }
  u32* pixels = nullptr;
  i32 pitch = 0;
  texture.lock(&pixels, &pitch, 0, 0, texture.width(), texture.height(), 0);
  for (i32 y = 0; y < texture.height(); ++y) {
    u32* row = reinterpret_cast<u32*>(reinterpret_cast<u8*>(pixels) + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch));
    std::fill(row, row + texture.width(), kTransparentWhite);
  }
  texture.unlock(&pixels, 0);
  return {texture.width(), texture.height()};
}

void TextureGlyphPages::writeCell(i32 page, i32 x, i32 y, i32 width, i32 height, const u32* pixels) {
  ENGINE_ASSERT(page >= 0 && page < pageCount() && "no such glyph page.");
  Graphics::Texture& texture = mPages[static_cast<std::size_t>(page)];
  if (!texture.hasPixels() || width <= 0 || height <= 0) {
    return;
  }
  u32* target = nullptr;
  i32 pitch = 0;
  texture.lock(&target, &pitch, x, y, width, height, 0);
  for (i32 row = 0; row < height; ++row) {
    std::memcpy(reinterpret_cast<u8*>(target) + static_cast<std::size_t>(row) * static_cast<std::size_t>(pitch),
                pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(width),
                static_cast<std::size_t>(width) * 4);
  }
  texture.unlock(&target, 0);
}

}  // namespace Engine::Scene
