#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Engine/Platform/sdl/KeyPositions.h"
#include "Engine/Platform/sdl/WheelStep.h"
#include "Platform/SystemGlyphRasterizer.h"

namespace {

using Platform::Key;
using Platform::Sdl::keyPositions;
using Platform::Sdl::LabelLookup;

// Key positions as USB usage numbers (SDL's scancodes).
enum Position : int {
  kNone = 0, kA = 4, kM = 16, kQ = 20, kW = 26, kY = 28, kZ = 29, kSix = 35, kReturn = 40, kMinus = 45, kEquals = 46,
  kRightBracket = 48, kComma = 54, kPeriod = 55, kKeypadEnter = 88,
};

// A layout: the labels it moves away from their US place; any other letter
// keeps it, and a label missing from both types nothing unshifted.
LabelLookup layout(std::map<char, int> moved, std::string missing = "") {
  return [moved, missing](char label) {
    if (const auto it = moved.find(label); it != moved.end()) {
      return it->second;
    }
    if (missing.find(label) != std::string::npos) {
      return static_cast<int>(kNone);
    }
    if (label >= 'a' && label <= 'z') {
      return kA + (label - 'a');
    }
    const std::map<char, int> us = {{',', kComma}, {'-', kMinus}, {'.', kPeriod}};
    const auto it = us.find(label);
    return it == us.end() ? static_cast<int>(kNone) : it->second;
  };
}

TEST(KeyPositionsTest, LettersAndPunctuationFollowTheLabelsOfTheLayout) {
  const LabelLookup us = layout({}, "+");
  const LabelLookup azerty = layout({{'z', kW}, {'w', kZ}, {',', kM}}, "+.");
  const LabelLookup qwertz = layout({{'y', kZ}, {'z', kY}, {'+', kRightBracket}});
  const struct {
    const char* layoutName;
    const LabelLookup& lookup;
    Key key;
    int position;
  } kCases[] = {
      {"US", us, Key::Z, kZ},
      {"US", us, Key::Plus, kEquals},  // '+' is shifted there: the key of '=' by position
      {"AZERTY", azerty, Key::Z, kW},
      {"AZERTY", azerty, Key::Comma, kM},
      {"AZERTY", azerty, Key::Period, kPeriod},  // no key types '.' unshifted: its US place
      {"QWERTZ", qwertz, Key::Z, kY},
      {"QWERTZ", qwertz, Key::X, kA + ('x' - 'a')},
      {"QWERTZ", qwertz, Key::Plus, kRightBracket},
  };
  for (const auto& c : kCases) {
    const auto at = keyPositions(c.key, c.lookup);
    EXPECT_EQ(std::pair(at.first, at.second), std::pair(c.position, int{kNone})) << c.layoutName << int(c.key);
  }
}

TEST(KeyPositionsTest, DigitsAndNamedKeysStayWhereTheyAreOnEveryLayout) {
  int asked = 0;
  const LabelLookup counting = [&](char) {
    ++asked;
    return static_cast<int>(kQ);
  };
  EXPECT_EQ(keyPositions(Key::Digit6, counting).first, kSix);
  const auto enter = keyPositions(Key::Return, counting);
  EXPECT_EQ(std::pair(enter.first, enter.second), std::pair(int{kReturn}, int{kKeypadEnter}));
  EXPECT_EQ(asked, 0);
}

TEST(KeyPositionsTest, TheActiveLayoutLookupFindsTheLettersOrFallsBack) {
  // Without a video system SDL has no keymap; either way every letter has a key.
  for (char label = 'a'; label <= 'z'; ++label) {
    const int position = Platform::Sdl::activeLayoutPosition(label);
    EXPECT_TRUE(position == kNone || position == kA + (label - 'a')) << label;
    const auto at = keyPositions(static_cast<Key>(static_cast<int>(Key::A) + (label - 'a')),
                                 Platform::Sdl::activeLayoutPosition);
    EXPECT_EQ(at.first, kA + (label - 'a')) << label;
  }
}

TEST(KeyPositionsTest, OnlyAVerticalWheelMoveIsAStep) {
  using Platform::Sdl::wheelStep;
  EXPECT_EQ(std::vector<int>({wheelStep(0, false), wheelStep(0, true), wheelStep(1, false), wheelStep(1, true),
                              wheelStep(-2, false)}),
            std::vector<int>({0, 0, 1, -1, -2}));
}

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
  for (const std::uint16_t code : codesOf(sjis)) {
    width += face.rasterize(code).advance;
  }
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
