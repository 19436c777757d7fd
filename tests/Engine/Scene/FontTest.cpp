#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "Engine/Graphics/GraphicsFixture.h"
#include "Engine/Scene/BitmapGlyphTable.h"
#include "Engine/Scene/Font.h"
#include "Engine/Graphics/ImageTestFiles.h"
#include "Graphics/src/TextureImpl.h"

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
  for (const u16 absent : {u16{0}, u16{'B'}, u16{'D'}, u16{0xFFFF}}) {
    EXPECT_EQ(table.find(absent), nullptr) << absent;
  }
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

// A glyph of graded coverage: kept as it is by an antialiased font, full or
// nothing in a plain one, and the plain cell is laid out the same way.
TEST_F(FontTest, PlainSystemGlyphsAreFullyCoveredOrEmpty) {
  Platform::GlyphImage graded = PlatformFake::fakeBoxGlyph(8, 1, 12, 6, 1);  // ascent 12 of 16: top row
  graded.coverage = {0, 64, 127, 128, 200, 255};
  mBackend->fakeGlyphRasterizer.script->images['g'] = graded;
  const struct {
    bool antialias;
    std::vector<u32> alphas;
  } cases[] = {{true, {0, 64, 127, 128, 200, 255}}, {false, {0, 0, 0, 255, 255, 255}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.antialias);
    Font font = Font::createOS("ＭＳ ゴシック", 16, false, false, false, c.antialias, 100, 50);
    EXPECT_EQ(mBackend->fakeGlyphRasterizer.opened.back().antialias, c.antialias);
    const Glyph glyph = lookUp(font, 'g');
    ASSERT_TRUE(glyph.found);
    EXPECT_EQ(glyph.pixelsOver(128, 64), (std::vector<f32>{0, 0, 8, 16}));
    // Clear left and right of the one row of ink and below it.
    const std::vector<u32>& pixels = fake(glyph.texture).pixels[0];
    std::vector<u32> expected{0x00FFFFFFu};
    for (const u32 alpha : c.alphas) {
      expected.push_back(alpha << 24 | 0x00FFFFFFu);
    }
    expected.push_back(0x00FFFFFFu);
    EXPECT_EQ(std::vector<u32>(pixels.begin(), pixels.begin() + 8), expected);
    EXPECT_EQ(pixels[128 + 1], 0x00FFFFFFu);
  }
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
