#pragma once

#include <array>
#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Scene/GlyphPages.h"
#include "Engine/Scene/GlyphRecord.h"
#include "Platform/GlyphRasterizer.h"

namespace Engine::Scene {

// The glyphs of one system font face, each rendered once on its first use
// into cells packed in rows on pages of a fixed size. Cells are never moved
// or removed and a full page is never revisited.
class GlyphCache {
 public:
  // Page count is limited by the page index of a glyph record.
  static constexpr i32 kMaxPages = 256;

  GlyphCache(std::unique_ptr<Platform::GlyphFace> face, GlyphPageStore& pages, i32 pageWidth, i32 pageHeight);

  // The record of a Shift-JIS code (one byte, or lead byte * 256 + trail byte).
  GlyphRecord glyph(u16 code);

  i32 charHeight() const { return mCharHeight; }
  i32 charAscent() const { return mCharAscent; }
  i32 pageCount() const { return mCurrentPage + 1; }
  GlyphPageSize pageSize(i32 page) const { return mPageSizes[static_cast<std::size_t>(page)]; }

 private:
  struct Cell;

  GlyphRecord render(u16 code);
  Cell cellFor(const Platform::GlyphImage& image) const;
  bool place(i32 width, i32 height);
  void addPage();

  std::unique_ptr<Platform::GlyphFace> mFace;
  GlyphPageStore& mPages;
  i32 mPageWidth;
  i32 mPageHeight;
  i32 mCharHeight = 0;
  i32 mCharAscent = 0;
  std::vector<GlyphPageSize> mPageSizes;
  i32 mCurrentPage = -1;
  i32 mCursorX = 0;
  i32 mCursorY = 0;
  i32 mRowHeight = 0;
  bool mFullReported = false;

  // Records by lead byte, then trail byte; a block exists once one of its
  // codes has been rendered. An index of 0 is an unrendered code.
  std::vector<GlyphRecord> mRecords;
  std::array<std::unique_ptr<std::array<u32, 256>>, 256> mIndex;
};

}  // namespace Engine::Scene
