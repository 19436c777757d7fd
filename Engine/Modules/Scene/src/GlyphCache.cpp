#include "Engine/Scene/GlyphCache.h"

#include <algorithm>
#include <utility>

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"

namespace Engine::Scene {

namespace {

constexpr i32 kLargestCell = 255;  // record widths and heights are bytes
constexpr i32 kLargestPage = 65535;  // record positions are 16-bit

u32 coveredWhite(u8 coverage) { return static_cast<u32>(coverage) << 24 | GlyphPageStore::kTransparentWhite; }

}  // namespace

// A glyph's cell: its size and where the coverage sits in it.
struct GlyphCache::Cell {
  i32 width = 0;
  i32 height = 0;
  i32 left = 0;
  i32 top = 0;
};

GlyphCache::GlyphCache(std::unique_ptr<Platform::GlyphFace> face, GlyphPageStore& pages, i32 pageWidth, i32 pageHeight)
    : mFace(std::move(face)), mPages(pages), mPageWidth(pageWidth), mPageHeight(pageHeight) {
  ENGINE_ASSERT(mFace && "glyph cache needs a face.");
  ENGINE_ASSERT(pageWidth > 0 && pageHeight > 0 && pageWidth <= kLargestPage && pageHeight <= kLargestPage &&
                "glyph page size out of range.");
  const Platform::GlyphFaceMetrics metrics = mFace->metrics();
  mCharHeight = metrics.height;
  mCharAscent = metrics.ascent;
  mRecords.emplace_back();  // index 0: not rendered
  addPage();
}

GlyphRecord GlyphCache::glyph(u16 code) {
  const auto& block = mIndex[code >> 8];
  if (block) {
    const u32 index = (*block)[code & 0xFF];
    if (index != 0) {
      return mRecords[index];
    }
  }
  return render(code);
}

void GlyphCache::addPage() {
  mPageSizes.push_back(mPages.addPage(mPageWidth, mPageHeight));
  ++mCurrentPage;
  mCursorX = 0;
  mCursorY = 0;
  mRowHeight = 0;
}

// The cell is the advance wide and the line high, widened or heightened to
// hold the coverage; never larger than a record can say or a page can hold
// (the last column and row of a page are never reached by the placement).
GlyphCache::Cell GlyphCache::cellFor(const Platform::GlyphImage& image) const {
  Cell cell;
  cell.width = std::max(image.advance, 0);
  cell.height = std::max(mCharHeight, 0);
  cell.left = image.originX;
  cell.top = mCharAscent - image.originY;
  cell.width = std::max(cell.width, cell.left + image.width);
  cell.height = std::max(cell.height, cell.top + image.height);
  const GlyphPageSize page = mPageSizes.back();
  cell.width = std::min({cell.width, kLargestCell, page.width - 1});
  cell.height = std::min({cell.height, kLargestCell, page.height - 1});
  return cell;
}

// Moves the cursor to where a cell of this size goes: a new row when it would
// reach the page's right edge, a new page when it would reach the bottom.
bool GlyphCache::place(i32 width, i32 height) {
  if (mCursorX + width >= mPageSizes.back().width) {
    mCursorX = 0;
    mCursorY += mRowHeight;
    mRowHeight = 0;
  }
  if (mCursorY + height >= mPageSizes.back().height) {
    if (pageCount() == kMaxPages) {
      if (!mFullReported) {
        mFullReported = true;
        Engine::cout << "GlyphCache : texture pages are full; further characters are not drawn." << Engine::endl;
      }
      return false;
    }
    addPage();
  }
  return true;
}

namespace {

void drawCoverage(const Platform::GlyphImage& image, i32 left, i32 top, i32 width, i32 height, std::vector<u32>& pixels) {
  for (i32 row = 0; row < image.height; ++row) {
    const i32 y = top + row;
    if (y < 0 || y >= height) {
      continue;
    }
    for (i32 column = 0; column < image.width; ++column) {
      const i32 x = left + column;
      if (x >= 0 && x < width) {
        pixels[static_cast<std::size_t>(y * width + x)] = coveredWhite(image.coverage[static_cast<std::size_t>(row * image.width + column)]);
      }
    }
  }
}

// The stand-in for a character the face lacks: the outline of a box.
void drawMissingBox(i32 width, i32 height, std::vector<u32>& pixels) {
  if (width < 3 || height < 3) {
    return;
  }
  for (i32 y = 1; y < height - 1; ++y) {
    for (i32 x = 1; x < width - 1; ++x) {
      if (x == 1 || x == width - 2 || y == 1 || y == height - 2) {
        pixels[static_cast<std::size_t>(y * width + x)] = coveredWhite(255);
      }
    }
  }
}

}  // namespace

GlyphRecord GlyphCache::render(u16 code) {
  const Platform::GlyphImage image = mFace->rasterize(code);
  ENGINE_ASSERT(image.coverage.size() == static_cast<std::size_t>(std::max(image.width, 0)) * static_cast<std::size_t>(std::max(image.height, 0)) &&
                "glyph coverage does not match its size.");
  const Cell cell = cellFor(image);
  GlyphRecord record;
  if (place(cell.width, cell.height)) {
    std::vector<u32> pixels(static_cast<std::size_t>(cell.width * cell.height), GlyphPageStore::kTransparentWhite);
    if (image.missing) {
      drawMissingBox(cell.width, cell.height, pixels);
    } else {
      drawCoverage(image, cell.left, cell.top, cell.width, cell.height, pixels);
    }
    mPages.writeCell(mCurrentPage, mCursorX, mCursorY, cell.width, cell.height, pixels.data());
    record = {static_cast<u8>(mCurrentPage), static_cast<u8>(cell.height), static_cast<u8>(cell.width),
              static_cast<u16>(mCursorX), static_cast<u16>(mCursorY)};
    mCursorX += cell.width;
    mRowHeight = std::max(mRowHeight, cell.height);
  }
  auto& block = mIndex[code >> 8];
  if (!block) {
    block = std::make_unique<std::array<u32, 256>>();
    block->fill(0);
  }
  (*block)[code & 0xFF] = static_cast<u32>(mRecords.size());
  mRecords.push_back(record);
  return record;
}

}  // namespace Engine::Scene
