#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Engine::Scene {

struct GlyphPageSize {
  i32 width = 0;
  i32 height = 0;
};

// Where a glyph cache keeps its pages. Pixels are A8R8G8B8: a glyph is white
// with its coverage in alpha, so that the vertex colour tints it.
class GlyphPageStore {
 public:
  static constexpr u32 kTransparentWhite = 0x00FFFFFF;

  virtual ~GlyphPageStore() = default;
  // Adds an empty page, all transparent white, of at least the asked size;
  // returns its actual size.
  virtual GlyphPageSize addPage(i32 width, i32 height) = 0;
  // Copies a cell of width x height pixels (rows top to bottom) to (x, y) of
  // a page. The cell always lies inside the page.
  virtual void writeCell(i32 page, i32 x, i32 y, i32 width, i32 height, const u32* pixels) = 0;
};

// Pages held in memory, exactly the asked size.
class CpuGlyphPages : public GlyphPageStore {
 public:
  GlyphPageSize addPage(i32 width, i32 height) override;
  void writeCell(i32 page, i32 x, i32 y, i32 width, i32 height, const u32* pixels) override;

  i32 pageCount() const { return static_cast<i32>(mPages.size()); }
  GlyphPageSize size(i32 page) const { return mPages[static_cast<std::size_t>(page)].size; }
  u32 pixel(i32 page, i32 x, i32 y) const;
  const std::vector<u32>& pixels(i32 page) const { return mPages[static_cast<std::size_t>(page)].pixels; }

 private:
  struct Page {
    GlyphPageSize size;
    std::vector<u32> pixels;
  };
  std::vector<Page> mPages;
};

}  // namespace Engine::Scene
