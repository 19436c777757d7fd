#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Graphics/GraphicsFixture.h"
#include "Scene/src/StringLayout.h"

namespace Engine::Scene {
namespace {

using Math::Vector2;

constexpr u16 kHiraganaA = 0x82A0;  // "あ"
const char* const kA3 = "\x82\xa0\x82\xa0\x82\xa0";

// Single-byte letters 8 x 16 on one page, "あ" 16 x 16 on another, nothing else.
class FakeFont : public GlyphLookup {
 public:
  FakeFont() : mLetters(Graphics::Texture::create(128, 256, false)), mKana(Graphics::Texture::create(64, 64, false)) {}

  bool getChar(Graphics::Texture& texture, Vector2& uv0, Vector2& uv1, u16 code) override {
    asked.push_back(code);
    const bool letter = code >= 'A' && code <= 'Z';
    if (!letter && code != kHiraganaA) {
      return false;
    }
    texture = letter ? mLetters : mKana;
    uv0.set(letter ? 0.0f : 0.25f, 0.0f);
    uv1.set(letter ? 8.0f / 128.0f : 0.5f, letter ? 16.0f / 256.0f : 0.25f);
    return true;
  }
  i32 charHeight() override { return 16; }

  std::vector<u16> asked;
  Graphics::Texture mLetters;
  Graphics::Texture mKana;
};

class StringRendererLayout : public Graphics::GraphicsFixture {
 protected:
  void TearDown() override {
    mGlyphs.clear();
    mFont.reset();
    GraphicsFixture::TearDown();
  }

  const std::vector<PlacedGlyph>& layout(const char* text, bool wrap, Vector2 screen = Vector2(30.0f, 100.0f),
                                         f32 depth = 0.0f, std::size_t capacity = 100) {
    if (!mFont) mFont = std::make_unique<FakeFont>();
    TextRequestView request{Vector2(0.0f, 0.0f), depth, text, 0xFF00FF00, wrap};
    layoutText(*mFont, request, screen, mGlyphs, capacity);
    return mGlyphs;
  }
  static std::vector<f32> xs(const std::vector<PlacedGlyph>& glyphs) {
    std::vector<f32> result;
    for (const PlacedGlyph& glyph : glyphs) result.push_back(glyph.position.x);
    return result;
  }

  std::unique_ptr<FakeFont> mFont;
  std::vector<PlacedGlyph> mGlyphs;
};

TEST_F(StringRendererLayout, CutAtTheRightEdgeTakesWholeTwoByteCharacters) {
  // "A" then three "あ" on a screen 30 wide: the third starts at 40 and ends the text.
  const auto& glyphs = layout((std::string("A") + kA3).c_str(), false);
  EXPECT_EQ(xs(glyphs), (std::vector<f32>{0.0f, 8.0f, 24.0f}));
  EXPECT_EQ(glyphs[2].size.x, 16.0f);  // starts inside the edge, drawn whole past it
  EXPECT_EQ(mFont->asked, (std::vector<u16>{'A', kHiraganaA, kHiraganaA, kHiraganaA}));
}

TEST_F(StringRendererLayout, WrapMovesTheCrossingCharacterWholeToTheNextLine) {
  // On a screen 40 wide the third "あ" would end at 56.
  const auto& glyphs = layout((std::string("A") + kA3).c_str(), true, Vector2(40.0f, 100.0f));
  ASSERT_EQ(xs(glyphs), (std::vector<f32>{0.0f, 8.0f, 24.0f, 0.0f}));
  EXPECT_EQ(glyphs[3].position.y, 16.0f);
}

TEST_F(StringRendererLayout, MissingGlyphIsAColouredBoxOfTheLineHeight) {
  // '?' is not in the font; a lead byte at the very end is looked up alone.
  const auto& glyphs = layout("?A\x82", false, Vector2(100.0f, 100.0f));
  ASSERT_EQ(xs(glyphs), (std::vector<f32>{0.0f, 16.0f, 24.0f}));
  EXPECT_FALSE(glyphs[0].texture);
  EXPECT_TRUE(glyphs[0].size.x == 16.0f && glyphs[0].size.y == 16.0f);
  EXPECT_EQ(glyphs[0].color, 0xFF00FF00u);
  EXPECT_EQ(mFont->asked.back(), 0x82u);
  EXPECT_FALSE(glyphs[2].texture);
}

TEST_F(StringRendererLayout, TextStopsBelowTheScreenAndAtTheGlyphCapacity) {
  EXPECT_EQ(layout("A\nB\nC\nD", false, Vector2(100.0f, 20.0f)).size(), 2u);  // the line at 32 is below 20
  mGlyphs.clear();
  EXPECT_EQ(layout("ABCDEFG", false, Vector2(100.0f, 100.0f), 0.0f, 3).size(), 3u);
}

TEST_F(StringRendererLayout, GlyphsSortByDepthThenTextureAndEachTextureRunIsOneBatch) {
  layout("A", false, Vector2(100.0f, 100.0f), 1.0f);
  layout(kA3, false, Vector2(100.0f, 100.0f), 1.0f);
  layout("AB", false, Vector2(100.0f, 100.0f), 1.0f);
  layout("?", false, Vector2(100.0f, 100.0f), 5.0f);
  std::vector<const PlacedGlyph*> order;
  for (const PlacedGlyph& glyph : mGlyphs) order.push_back(&glyph);
  sortGlyphs(order);
  EXPECT_EQ(order.front()->position.z, 5.0f);  // deepest first: drawn under the rest
  PrimitiveRenderer renderer = PrimitiveRenderer::create(200, 20);
  emitGlyphs(order, renderer);
  mBackend->fakeGraphicsDevice.takeCalls();
  renderer.draw();
  // The box, then the two pages: three batches for seven glyphs.
  EXPECT_EQ(mBackend->fakeGraphicsDevice.callsStartingWith("draw").size(), 3u);
}

}  // namespace
}  // namespace Engine::Scene
