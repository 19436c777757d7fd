#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "Platform/SystemGlyphRasterizer.h"

namespace {

// Shift-JIS codes of the characters of a program literal, lead byte * 256 + trail byte.
std::vector<std::uint16_t> codesOf(std::string_view sjis) {
  std::vector<std::uint16_t> codes;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto lead = static_cast<unsigned char>(sjis[i]);
    const bool twoBytes = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (twoBytes && i + 1 < sjis.size()) {
      codes.push_back(static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(sjis[i + 1])));
      ++i;
    } else {
      codes.push_back(lead);
    }
  }
  return codes;
}

std::unique_ptr<Platform::GlyphFace> openGothic(std::int32_t height, bool antialias = true) {
  static const auto rasterizer = Platform::createSystemGlyphRasterizer();
  Platform::GlyphFaceDesc desc;
  desc.name = "ＭＳ ゴシック";
  desc.height = height;
  desc.antialias = antialias;
  return rasterizer->openFace(desc);
}

std::int32_t lineWidth(Platform::GlyphFace& face, std::string_view sjis) {
  std::int32_t width = 0;
  for (const std::uint16_t code : codesOf(sjis)) width += face.rasterize(code).advance;
  return width;
}

bool hasInk(const Platform::GlyphImage& image) {
  return std::any_of(image.coverage.begin(), image.coverage.end(), [](std::uint8_t v) { return v != 0; });
}

// Half-width characters advance half the height, full-width ones the height.
TEST(SystemGlyphRasterizerTest, CellHeightIsTheRequestedHeightAndJapaneseIsTwiceAsWide) {
  for (const std::int32_t height : {14, 16, 20, 26}) {
    const auto face = openGothic(height);
    ASSERT_NE(face, nullptr);
    const Platform::GlyphFaceMetrics metrics = face->metrics();
    EXPECT_EQ(metrics.height, height);
    EXPECT_GT(metrics.ascent, height / 2);
    EXPECT_LT(metrics.ascent, height);
    const Platform::GlyphImage image = face->rasterize(codesOf("漢")[0]);  // stays inside the line
    EXPECT_GE(metrics.ascent - image.originY, 0) << height;
    EXPECT_LE(metrics.ascent - image.originY + image.height, height) << height;
    EXPECT_EQ(lineWidth(*face, "Hello, W0rld"), 12 * (height / 2)) << height;
    EXPECT_EQ(lineWidth(*face, "こんにちは、世界の皆さん"), 12 * height) << height;
    EXPECT_EQ(lineWidth(*face, "ｺﾝﾆﾁﾊ"), 5 * (height / 2)) << height;
  }
}

// Kana, kanji and half-width kana have glyphs. Without antialiasing every
// pixel is covered or empty; the layout of the glyphs does not change.
TEST(SystemGlyphRasterizerTest, PlainGlyphsHaveNoPartialCoverage) {
  const auto smooth = openGothic(20, true);
  const auto plain = openGothic(20, false);
  ASSERT_NE(smooth, nullptr);
  ASSERT_NE(plain, nullptr);
  bool smoothHasPartial = false;
  for (const std::uint16_t code : codesOf("あア漢Wｱ")) {
    const Platform::GlyphImage image = plain->rasterize(code);
    const Platform::GlyphImage smoothImage = smooth->rasterize(code);
    EXPECT_FALSE(smoothImage.missing) << std::hex << code;
    EXPECT_TRUE(hasInk(image) && hasInk(smoothImage)) << std::hex << code;
    EXPECT_TRUE(std::all_of(image.coverage.begin(), image.coverage.end(),
                            [](std::uint8_t v) { return v == 0 || v == 255; }))
        << std::hex << code;
    EXPECT_EQ(image.advance, smoothImage.advance) << std::hex << code;
    smoothHasPartial |= std::any_of(smoothImage.coverage.begin(), smoothImage.coverage.end(),
                                    [](std::uint8_t v) { return v != 0 && v != 255; });
  }
  EXPECT_TRUE(smoothHasPartial);
  EXPECT_EQ(lineWidth(*plain, "Hello, W0rld"), 12 * 10);
}

}  // namespace
