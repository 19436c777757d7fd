#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>

#include "Engine/Scene/GlyphCache.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::Scene::CpuGlyphPages;
using Engine::Scene::GlyphCache;
using Engine::Scene::GlyphRecord;
using PlatformFake::fakeBoxGlyph;

constexpr Engine::u32 kClear = 0x00FFFFFF;
constexpr Engine::u32 kInk = 0xFFFFFFFF;

// A 16-pixel face of fixed boxes (ascent 12): 'A'... are 8x16, two-byte codes 16x16.
class GlyphCacheTest : public testing::Test {
 protected:
  std::unique_ptr<GlyphCache> makeCache(Engine::i32 pageWidth, Engine::i32 pageHeight) {
    Platform::GlyphFaceDesc desc;
    desc.name = "ＭＳ ゴシック";
    desc.height = 16;
    return std::make_unique<GlyphCache>(rasterizer.openFace(desc), pages, pageWidth, pageHeight);
  }
  void script(Engine::u16 code, const Platform::GlyphImage& image) { rasterizer.script->images[code] = image; }
  int renders(Engine::u16 code) { return rasterizer.script->renderCounts[code]; }

  // Every pixel of a page outside the given rectangles is clear.
  bool clearOutside(Engine::i32 page, const std::vector<GlyphRecord>& cells) const {
    const auto size = pages.size(page);
    for (Engine::i32 y = 0; y < size.height; ++y) {
      for (Engine::i32 x = 0; x < size.width; ++x) {
        const bool inCell = std::ranges::any_of(cells, [&](const GlyphRecord& cell) {
          return cell.page == page && x >= cell.x && x < cell.x + cell.width && y >= cell.y && y < cell.y + cell.height;
        });
        if (!inCell && pages.pixel(page, x, y) != kClear) {
          return false;
        }
      }
    }
    return true;
  }

  PlatformFake::FakeGlyphRasterizer rasterizer;
  CpuGlyphPages pages;
};

void cacheLetters(GlyphCache& cache, char first, char last) {
  for (char c = first; c <= last; ++c) cache.glyph(static_cast<Engine::u16>(c));
}

void expectCell(const GlyphRecord& record, int page, int x, int y, int width, int height) {
  EXPECT_EQ(std::make_tuple(int{record.page}, int{record.x}, int{record.y}, int{record.width}, int{record.height}),
            std::make_tuple(page, x, y, width, height));
}

TEST_F(GlyphCacheTest, EachGlyphIsRenderedOnceAndPackedLeftToRight) {
  auto cache = makeCache(512, 512);
  EXPECT_EQ(cache->charHeight(), 16);
  EXPECT_EQ(cache->charAscent(), 12);
  EXPECT_EQ(pages.pageCount(), 1);  // the first page exists before any glyph
  expectCell(cache->glyph('A'), 0, 0, 0, 8, 16);
  expectCell(cache->glyph(0x82A0), 0, 8, 0, 16, 16);
  expectCell(cache->glyph(' '), 0, 24, 0, 8, 16);  // a transparent cell of its advance
  expectCell(cache->glyph('A'), 0, 0, 0, 8, 16);
  EXPECT_EQ(renders('A'), 1);
  EXPECT_EQ(pages.pixel(0, 23, 15), kInk);
  EXPECT_TRUE(clearOutside(0, {cache->glyph('A'), cache->glyph(0x82A0)}));
}

TEST_F(GlyphCacheTest, CellEndingAtRightEdgeStartsNewRowAndAtBottomNewPage) {
  auto cache = makeCache(64, 48);
  cacheLetters(*cache, 'A', 'G');
  expectCell(cache->glyph('G'), 0, 48, 0, 8, 16);
  expectCell(cache->glyph('H'), 0, 0, 16, 8, 16);  // 56 + 8 would reach the right edge
  cacheLetters(*cache, 'I', 'N');
  expectCell(cache->glyph('O'), 1, 0, 0, 8, 16);  // a row at 32 would reach the bottom
  EXPECT_EQ(pages.pageCount(), 2);
}

TEST_F(GlyphCacheTest, TallerCellNearTheBottomMovesToNewPageInsteadOfOverflowing) {
  auto cache = makeCache(64, 40);
  cacheLetters(*cache, 'A', 'H');
  script('I', fakeBoxGlyph(8, 0, 12, 8, 30));  // 30 rows from the top: a cell 30 high
  expectCell(cache->glyph('I'), 1, 0, 0, 8, 30);
}

TEST_F(GlyphCacheTest, OverhangWidensAndHeightensTheCell) {
  auto cache = makeCache(512, 512);
  script('f', fakeBoxGlyph(8, 2, 12, 10, 4));   // reaches 4 columns past its advance
  script('g', fakeBoxGlyph(8, 0, 2, 8, 10));    // reaches 4 rows below the line
  const GlyphRecord f = cache->glyph('f');
  expectCell(f, 0, 0, 0, 12, 16);
  EXPECT_EQ(pages.pixel(0, 1, 0), kClear);
  EXPECT_EQ(pages.pixel(0, 11, 3), kInk);
  EXPECT_EQ(pages.pixel(0, 11, 4), kClear);
  const GlyphRecord g = cache->glyph('g');
  expectCell(g, 0, 12, 0, 8, 20);
  EXPECT_EQ(pages.pixel(0, 19, 19), kInk);
  EXPECT_EQ(pages.pixel(0, 12, 9), kClear);
  EXPECT_TRUE(clearOutside(0, {f, g}));
}

TEST_F(GlyphCacheTest, NegativeBearingsAreClippedToTheCell) {
  auto cache = makeCache(512, 512);
  cache->glyph('A');
  script('j', fakeBoxGlyph(8, -3, 14, 8, 16));  // 3 columns left of the pen, 2 rows above the line
  const GlyphRecord j = cache->glyph('j');
  expectCell(j, 0, 8, 0, 8, 16);
  EXPECT_EQ(pages.pixel(0, 7, 0), kInk);  // the neighbour is untouched: still its own ink
  for (int y = 0; y < 16; ++y) {
    EXPECT_EQ(pages.pixel(0, 8 + 4, y), y < 14 ? kInk : kClear) << y;
    EXPECT_EQ(pages.pixel(0, 8 + 5, y), kClear) << y;
  }
  EXPECT_TRUE(clearOutside(0, {cache->glyph('A'), j}));
}

TEST_F(GlyphCacheTest, GlyphLargerThanAPageIsCutToOnePageEach) {
  auto cache = makeCache(64, 64);
  for (Engine::u16 code = 0x8940; code < 0x8940 + 10; ++code) {
    script(code, fakeBoxGlyph(300, -5, 200, 300, 300));
  }
  for (Engine::u16 code = 0x8940; code < 0x8940 + 10; ++code) {
    expectCell(cache->glyph(code), code - 0x8940, 0, 0, 63, 63);
  }
  EXPECT_EQ(pages.pixel(9, 62, 62), kInk);
  EXPECT_TRUE(clearOutside(9, {cache->glyph(0x8940 + 9)}));
}

TEST_F(GlyphCacheTest, PagesStopAtTheRecordLimitWithOneMessage) {
  PlatformFake::ScopedFakeBackend backend;
  auto cache = makeCache(4, 4);  // one 3x3 cell a page
  for (int code = 0; code < GlyphCache::kMaxPages; ++code) {
    EXPECT_EQ(cache->glyph(static_cast<Engine::u16>(0x8900 + code)).page, code);
  }
  EXPECT_EQ(cache->glyph(0x8A00).width, 0);
  EXPECT_EQ(cache->glyph(0x8A01).width, 0);
  const auto& lines = backend->fakeDebugOutput.lines;
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.find("pages are full") != std::string::npos; }), 1);
}

}  // namespace
