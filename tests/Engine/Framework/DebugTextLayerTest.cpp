#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "Engine/Graphics/GraphicsFixture.h"
#include "Engine/Scene/BitmapGlyphTable.h"
#include "Framework/src/DebugFont.h"
#include "Framework/src/DebugTextLayer.h"

namespace {

using Placed = std::vector<std::tuple<std::string, int, int, Engine::u32>>;

Placed placed(const std::vector<Engine::DebugTextLine>& lines) {
  Placed out;
  for (const auto& line : lines) out.emplace_back(line.text, line.x, line.y, line.color);
  return out;
}

TEST(DebugTextLayerTest, LinesArePlacedInCellsAndTheLayerResets) {
  Engine::DebugTextLayer layer;
  layer.setCursor(2, 1);
  layer.setColor(0xFF00FF00);
  layer.stream() << "first\n\nthird\nfourth";
  // The empty line is skipped but still advances.
  EXPECT_EQ(placed(layer.flush()),
            (Placed{{"first", 16, 16, 0xFF00FF00}, {"third", 16, 48, 0xFF00FF00}, {"fourth", 16, 64, 0xFF00FF00}}));
  layer.stream() << "again";
  EXPECT_EQ(placed(layer.flush()), (Placed{{"again", 0, 0, 0xFFFFFFFF}}));
}

using DebugTextDrawTest = Engine::Graphics::GraphicsFixture;

// Every glyph of the built-in font is on its one page: one batch for the frame.
TEST_F(DebugTextDrawTest, LinesAreDrawnInOneBatchWithTheBuiltInFont) {
  Engine::DebugTextLayer layer;
  layer.createRenderer();
  layer.stream() << "AB\n\xb1~";
  device().takeCalls();
  layer.draw();
  EXPECT_EQ(device().callsStartingWith("draw"), std::vector<std::string>{"draw TriangleList 0 8"});
}

using Engine::DebugFont;

constexpr std::size_t kHeaderSize = 18;
constexpr int kWidth = 128;
constexpr int kHeight = 256;

bool cellHasInk(std::span<const Engine::u8> image, int code) {
  const int left = (code % 16) * DebugFont::kCellWidth;
  const int top = (code / 16) * DebugFont::kCellHeight;
  for (int y = top; y < top + DebugFont::kCellHeight; ++y) {
    for (int x = left; x < left + DebugFont::kCellWidth; ++x) {
      if (image[kHeaderSize + static_cast<std::size_t>(y * kWidth + x)] != 0) {
        return true;
      }
    }
  }
  return false;
}

// Uncompressed greyscale, 8 bits, top-left origin, and the 26-byte footer.
TEST(DebugFontTest, ImageIsAnUncompressedGreyscaleTga) {
  const auto image = DebugFont::image();
  ASSERT_EQ(image.size(), kHeaderSize + kWidth * kHeight + 26);
  const std::vector<Engine::u8> header{0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, kWidth, 0, 0, kHeight / 256, 8, 0x20};
  EXPECT_EQ(std::vector<Engine::u8>(image.begin(), image.begin() + kHeaderSize), header);
}

TEST(DebugFontTest, EveryGlyphCellHasInkExceptTheSpaceAndUnusedCellsAreEmpty) {
  const auto image = DebugFont::image();
  int drawn = 0;
  for (int code = 0; code < 256; ++code) {
    const bool wanted = (code > 32 && code <= 126) || (code >= 161 && code <= 223);
    EXPECT_EQ(cellHasInk(image, code), wanted) << code;
    drawn += wanted ? 1 : 0;
  }
  EXPECT_EQ(drawn + 1, DebugFont::kGlyphCount);
}

TEST(DebugFontTest, GlyphTableCoversTheDrawnCodesOnly) {
  const std::vector<Engine::u8> bytes = DebugFont::glyphTable();
  const Engine::Scene::BitmapGlyphTable table(bytes.data(), DebugFont::kGlyphCount);
  EXPECT_EQ(table.charHeight(), 16);
  const auto* a = table.find('A');
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(a->x == 8 && a->y == 64 && a->width == 8 && a->height == 16);
  for (const Engine::u16 absent : {0x1F, 0x7F, 0xA0, 0xE0, 0x82A0}) {
    EXPECT_EQ(table.find(absent), nullptr) << absent;
  }
}

}  // namespace
