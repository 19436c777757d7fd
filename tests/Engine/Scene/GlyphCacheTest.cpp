#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "Engine/Graphics/GraphicsFixture.h"
#include "Engine/Graphics/ImageTestFiles.h"
#include "Engine/Scene/BitmapGlyphTable.h"
#include "Engine/Scene/Font.h"
#include "Engine/Scene/GlyphCache.h"
#include "Graphics/src/TextureImpl.h"
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

  // Every pixel of a page outside the given rectangles is clear.
  bool clearOutside(Engine::i32 page, const std::vector<GlyphRecord>& cells) const {
    const auto size = pages.size(page);
    for (Engine::i32 y = 0; y < size.height; ++y) {
      for (Engine::i32 x = 0; x < size.width; ++x) {
        const bool inCell = std::ranges::any_of(cells, [&](const GlyphRecord& cell) {
          return cell.page == page && x >= cell.x && x < cell.x + cell.width && y >= cell.y && y < cell.y + cell.height;
        });
        if (!inCell && pages.pixel(page, x, y) != kClear) return false;
      }
    }
    return true;
  }
  // A cell's rows of '#' (ink), '.' (clear) or '?', a run of equal rows written once as "row*count".
  std::string picture(const GlyphRecord& cell) const {
    std::vector<std::string> rows;
    for (int y = cell.y; y < cell.y + cell.height; ++y) {
      std::string row;
      for (int x = cell.x; x < cell.x + cell.width; ++x) {
        const Engine::u32 pixel = pages.pixel(cell.page, x, y);
        row += pixel == kInk ? '#' : (pixel == kClear ? '.' : '?');
      }
      rows.push_back(row);
    }
    std::string out;
    for (std::size_t i = 0, run = 1; i < rows.size(); i += run, run = 1) {
      while (i + run < rows.size() && rows[i + run] == rows[i]) ++run;
      out += (out.empty() ? "" : " ") + rows[i] + (run > 1 ? "*" + std::to_string(run) : "");
    }
    return out;
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
  EXPECT_EQ(picture(f), "..##########*4 ............*12");
  const GlyphRecord g = cache->glyph('g');
  expectCell(g, 0, 12, 0, 8, 20);
  EXPECT_EQ(picture(g), "........*10 ########*10");
  EXPECT_TRUE(clearOutside(0, {f, g}));
}

TEST_F(GlyphCacheTest, NegativeBearingsAreClippedToTheCell) {
  auto cache = makeCache(512, 512);
  cache->glyph('A');
  script('j', fakeBoxGlyph(8, -3, 14, 8, 16));  // 3 columns left of the pen, 2 rows above the line
  const GlyphRecord j = cache->glyph('j');
  expectCell(j, 0, 8, 0, 8, 16);
  EXPECT_EQ(picture(j), "#####...*14 ........*2");
  EXPECT_EQ(picture(cache->glyph('A')), "########*16");  // the neighbour is untouched: still its own ink
  EXPECT_TRUE(clearOutside(0, {cache->glyph('A'), j}));
}

// A record holds sides up to 255: a larger glyph is cut there even on a page that would hold it.
// A glyph that does not advance keeps a cell as narrow; a page may be as wide as a record's position can say.
TEST_F(GlyphCacheTest, CellsStopAtTheLargestSideARecordHolds) {
  auto cache = makeCache(512, 512);
  script(0x8940, fakeBoxGlyph(300, 0, 12, 300, 300));
  expectCell(cache->glyph(0x8940), 0, 0, 0, 255, 255);
  script('z', fakeBoxGlyph(0, 0, 12, 0, 0));
  expectCell(cache->glyph('z'), 0, 255, 0, 0, 16);
  EXPECT_EQ(int{makeCache(65535, 4)->glyph('A').width}, 8);
}

// A character the face lacks is the outline of a box one pixel inside its cell.
TEST_F(GlyphCacheTest, MissingCharacterIsABoxOutlineInsideItsCell) {
  auto cache = makeCache(512, 512);
  rasterizer.script->missing.insert('m');
  expectCell(cache->glyph('m'), 0, 0, 0, 8, 16);
  EXPECT_EQ(picture(cache->glyph('m')), "........ .######. .#....#.*12 .######. ........");
}

// In the smallest cell that has a box the outline is the middle pixel alone.
TEST_F(GlyphCacheTest, MissingCharacterInThreeByThreeCellIsItsMiddlePixel) {
  auto cache = makeCache(4, 4);
  rasterizer.script->missing.insert('m');
  expectCell(cache->glyph('m'), 0, 0, 0, 3, 3);
  EXPECT_EQ(picture(cache->glyph('m')), "... .#. ...");
}

TEST_F(GlyphCacheTest, PagesStopAtTheRecordLimitWithOneMessage) {
  PlatformFake::ScopedFakeBackend backend;
  auto cache = makeCache(4, 4);  // one 3x3 cell a page
  for (int code = 0; code < GlyphCache::kMaxPages; ++code)
    EXPECT_EQ(cache->glyph(static_cast<Engine::u16>(0x8900 + code)).page, code);
  EXPECT_EQ(cache->glyph(0x8A00).width, 0);
  EXPECT_EQ(cache->glyph(0x8A01).width, 0);
  const auto& lines = backend->fakeDebugOutput.lines;
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.find("pages are full") != std::string::npos; }), 1);
}

}  // namespace

namespace Engine::Scene {
namespace {

using Graphics::Texture;
using Math::Vector2;

void addEntry(std::vector<u8>& table, u16 code, u16 x, u16 y, u8 page, u8 width, u8 height) {
  const u8 entry[] = {static_cast<u8>(code), static_cast<u8>(code >> 8), static_cast<u8>(x), static_cast<u8>(x >> 8),
                      static_cast<u8>(y), static_cast<u8>(y >> 8), page, width, height, 0};
  table.insert(table.end(), entry, entry + BitmapGlyphTable::kEntrySize);
}

// Page, x, y, width and height of a found glyph.
std::tuple<int, int, int, int, int> cellOf(const GlyphRecord* record) {
  EXPECT_NE(record, nullptr);
  return record ? std::make_tuple(int{record->page}, int{record->x}, int{record->y}, int{record->width}, int{record->height})
                : std::make_tuple(-1, -1, -1, -1, -1);
}

TEST(BitmapGlyphTableTest, FindsListedCodesInAnyOrderAndNothingElse) {
  std::vector<u8> bytes;
  addEntry(bytes, 0x82A0, 0x1234, 0x0102, 2, 16, 16);
  addEntry(bytes, 'C', 24, 64, 1, 8, 18);
  addEntry(bytes, 'A', 8, 64, 0, 8, 16);
  const BitmapGlyphTable table(bytes.data(), 3);
  EXPECT_EQ(table.charHeight(), 18);
  for (const u16 absent : {u16{0}, u16{'B'}, u16{'D'}, u16{0xFFFF}}) EXPECT_EQ(table.find(absent), nullptr) << absent;
  EXPECT_EQ(cellOf(table.find('A')), std::make_tuple(0, 8, 64, 8, 16));
  EXPECT_EQ(cellOf(table.find('C')), std::make_tuple(1, 24, 64, 8, 18));
  EXPECT_EQ(cellOf(table.find(0x82A0)), std::make_tuple(2, 0x1234, 0x0102, 16, 16));
}

class FontTest : public Graphics::GraphicsFixture {
 protected:
  static PlatformFake::FakeGraphicsTexture& fake(const Texture& texture) {
    return *static_cast<PlatformFake::FakeGraphicsTexture*>(texture.impl()->deviceTexture());
  }
  struct Glyph {
    bool found = false;
    Texture texture;
    Vector2 topLeft{-1.0f, -1.0f};
    Vector2 bottomRight{-1.0f, -1.0f};
    // Texture coordinates in pixels of a texture of the given sides.
    std::vector<f32> pixelsOver(f32 width, f32 height) const {
      return {topLeft.x * width, topLeft.y * height, bottomRight.x * width, bottomRight.y * height};
    }
  };
  static Glyph lookUp(const Font& font, u16 code) {
    Glyph glyph;
    glyph.found = font.getChar(glyph.texture, glyph.topLeft, glyph.bottomRight, code);
    return glyph;
  }
};

// Pages of 100x50 become 128x64 textures; coordinates are over the texture's sides.
TEST_F(FontTest, SystemGlyphsAreCellsOfTransparentWhitePageTextures) {
  Font font = Font::createOS("ＭＳ ゴシック", 16, false, false, false, true, 100, 50);
  EXPECT_EQ(font.charHeight(), 16);
  const Glyph a = lookUp(font, 'A');
  const Glyph kana = lookUp(font, 0x82A0);
  ASSERT_TRUE(a.found && kana.found);
  EXPECT_EQ(a.texture, kana.texture);
  EXPECT_EQ(kana.pixelsOver(128, 64), (std::vector<f32>{8, 0, 24, 16}));
  const PlatformFake::FakeGraphicsTexture& page = fake(a.texture);
  EXPECT_EQ(page.pixels[0][0], 0xFFFFFFFFu);         // ink of 'A'
  EXPECT_EQ(page.pixels[0][16 * 128], 0x00FFFFFFu);  // below the row
  EXPECT_EQ(page.pixels[0][127], 0x00FFFFFFu);       // the padding too
  // Each glyph uploads only its own rows, after the page's one full upload.
  EXPECT_EQ(page.uploadedRows, 64u + 16u + 16u);
  EXPECT_EQ(lookUp(font, 0x82A0).texture, kana.texture);
  EXPECT_EQ(mBackend->fakeGlyphRasterizer.script->renderCounts[0x82A0], 1);
}

// Graded coverage is kept, row by row, as the alpha of white. Cutting it to full or nothing is the face's work (the
// render tests show a plain face's ink): a plain font only has to ask for a plain face.
TEST_F(FontTest, GradedCoverageIsKeptAndAPlainFontAsksForAPlainFace) {
  Font::createOS("ＭＳ ゴシック", 16, false, false, false, false, 100, 50);
  EXPECT_FALSE(mBackend->fakeGlyphRasterizer.opened.back().antialias);
  Platform::GlyphImage graded = PlatformFake::fakeBoxGlyph(8, 1, 12, 3, 2);  // ascent 12 of 16: the top two rows
  graded.coverage = {0, 64, 127, 128, 200, 255};
  mBackend->fakeGlyphRasterizer.script->images['g'] = graded;
  Font font = Font::createOS("ＭＳ ゴシック", 16, false, false, false, true, 100, 50);
  EXPECT_TRUE(mBackend->fakeGlyphRasterizer.opened.back().antialias);
  const Glyph glyph = lookUp(font, 'g');
  ASSERT_TRUE(glyph.found);
  EXPECT_EQ(glyph.pixelsOver(128, 64), (std::vector<f32>{0, 0, 8, 16}));
  const std::vector<u32>& pixels = fake(glyph.texture).pixels[0];
  const auto row = [&pixels](std::size_t y) { return std::vector<u32>(&pixels[y * 128], &pixels[y * 128 + 5]); };
  EXPECT_EQ(row(0), (std::vector<u32>{0x00FFFFFFu, 0x00FFFFFFu, 0x40FFFFFFu, 0x7FFFFFFFu, 0x00FFFFFFu}));
  EXPECT_EQ(row(1), (std::vector<u32>{0x00FFFFFFu, 0x80FFFFFFu, 0xC8FFFFFFu, 0xFFFFFFFFu, 0x00FFFFFFu}));
  EXPECT_EQ(row(2), std::vector<u32>(5, 0x00FFFFFFu));
}

TEST_F(FontTest, BitmapGlyphsComeFromTheirImageOrAreMissing) {
  ImageTestFiles::Tga grey = ImageTestFiles::tgaOf(Graphics::Image(100, 64), 1, true, false);  // a 128x64 texture
  grey.type = 3;
  const std::vector<u8> image = grey.bytes();
  const char* images[] = {reinterpret_cast<const char*>(image.data())};
  const i32 sizes[] = {static_cast<i32>(image.size())};
  std::vector<u8> table;
  addEntry(table, 'A', 8, 16, 0, 8, 16);
  addEntry(table, 'B', 16, 16, 0, 8, 20);
  addEntry(table, 'C', 0, 0, 1, 8, 16);  // names an image the font lacks
  Font font = Font::createBitmap(images, sizes, 1, table.data(), 3);
  EXPECT_EQ(font.charHeight(), 20);
  const Glyph a = lookUp(font, 'A');
  ASSERT_TRUE(a.found);
  EXPECT_EQ(a.texture.width(), 128);
  EXPECT_EQ(a.pixelsOver(128, 64), (std::vector<f32>{8, 16, 16, 32}));
  EXPECT_FALSE(lookUp(font, 'C').found);
  EXPECT_FALSE(lookUp(font, 'Z').found);

  Font empty = Font::createBitmap(images, sizes, 1, nullptr, 0);
  EXPECT_EQ(empty.charHeight(), 0);
  EXPECT_FALSE(lookUp(empty, 'A').found);
}

}  // namespace
}  // namespace Engine::Scene
