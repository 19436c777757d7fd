#include "Engine/Scene/GlyphPages.h"

#include <algorithm>

#include "Engine/Base/Assert.h"

namespace Engine::Scene {

GlyphPageSize CpuGlyphPages::addPage(i32 width, i32 height) {
  ENGINE_ASSERT(width > 0 && height > 0 && "glyph page size must be positive.");
  Page page;
  page.size = {width, height};
  page.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kTransparentWhite);
  mPages.push_back(std::move(page));
  return mPages.back().size;
}

void CpuGlyphPages::writeCell(i32 page, i32 x, i32 y, i32 width, i32 height, const u32* pixels) {
  ENGINE_ASSERT(page >= 0 && page < pageCount() && "no such glyph page.");
  Page& target = mPages[static_cast<std::size_t>(page)];
  ENGINE_ASSERT(x >= 0 && y >= 0 && x + width <= target.size.width && y + height <= target.size.height &&
                "glyph cell outside its page.");
  for (i32 row = 0; row < height; ++row) {
    const u32* source = pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
    u32* destination = target.pixels.data() + static_cast<std::size_t>(y + row) * static_cast<std::size_t>(target.size.width) + x;
    std::copy(source, source + width, destination);
  }
}

u32 CpuGlyphPages::pixel(i32 page, i32 x, i32 y) const {
  const Page& source = mPages[static_cast<std::size_t>(page)];
  return source.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(source.size.width) + static_cast<std::size_t>(x)];
}

}  // namespace Engine::Scene
