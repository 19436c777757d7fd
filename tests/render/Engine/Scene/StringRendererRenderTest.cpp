#include <cmath>
#include <cstring>

#include "Engine/Scene/Font.h"
#include "Engine/Scene/StringRenderer.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector2;
using Engine::Scene::Font;
using Engine::Scene::StringRenderer;

const char* const kText = "─ 本語の文字列";
constexpr int kLeft = 40;
constexpr int kTop = 100;

// The width of a one-line text as the font lays it out.
int textWidth(const Font& font, const char* text) {
  float width = 0.0f;
  for (std::size_t i = 0; i < std::strlen(text); ++i) {
    const auto lead = static_cast<Engine::u8>(text[i]);
    const auto code = lead < 0x80 ? lead : static_cast<Engine::u16>(lead << 8 | static_cast<Engine::u8>(text[++i]));
    Engine::Graphics::Texture texture;
    Vector2 uv0;
    Vector2 uv1;
    EXPECT_TRUE(font.getChar(texture, uv0, uv1, code));
    width += (uv1.x - uv0.x) * static_cast<float>(texture.width());
  }
  return static_cast<int>(std::lround(width));
}

class StringRendererRender : public RenderFixture {};

TEST_F(StringRendererRender, JapaneseLineInksOnlyItsOwnBoxAndNothingInItsBlank) {
  Engine::Graphics::ManagerImpl& manager = createManager({320, 240, false, false, false});
  manager.beginDraw();
  const Font font = Font::createOS("ＭＳ ゴシック", 20, false, false, false, true, 256, 256);
  StringRenderer renderer = StringRenderer::create(64, 4);
  renderer.setFont(font);
  renderer.add(kLeft, kTop, kText, 0xFFFFFFFFu, false, 0.0f);
  renderer.draw();
  const int right = kLeft + textWidth(font, kText);
  const int bottom = kTop + font.charHeight();
  ASSERT_GT(right - kLeft, 7 * 10);

  // Ink in the line's box only, reaching both ends; none in the blank, next on the page to the rule's full-width ink.
  const Ink ink = inkOf(readBack());
  const int blank = kLeft + textWidth(font, "─");
  EXPECT_EQ(inkOf(readBack(), nullptr, {blank, kTop, blank + textWidth(font, " "), bottom}).count, 0);
  EXPECT_GT(ink.count, 200);
  EXPECT_GE(ink.left, kLeft);
  EXPECT_GE(ink.top, kTop);
  EXPECT_LT(ink.right, right);
  EXPECT_LT(ink.bottom, bottom);
  EXPECT_LT(ink.left, kLeft + 10);
  EXPECT_GT(ink.right, right - 10);
  manager.endDraw();
}

// Digits of a face 12 pixels high or lower are drawn in one bit, in their
// cells of half the height: at 10 each differs from every other in at least 6
// pixels (smoothed, 5 and 8 differ in 3). At 13 they are smoothed, and the
// kanji at every size.
TEST_F(StringRendererRender, SmallDigitsAreDrawnPlainAndApartFromOneAnother) {
  Engine::Graphics::ManagerImpl& manager = createManager({320, 240, false, false, false});
  const struct {
    int height, digitsWidth;
    bool plain;
    int leastApart;
  } rows[] = {{10, 50, true, 6}, {12, 60, true, 0}, {13, 70, false, 0}};
  const auto grey = [](u32 p) { return p != kBlack && p != 0xFFFFFFFFu; };
  for (const auto& row : rows) {
    manager.beginDraw();
    const Font font = Font::createOS("ＭＳ ゴシック", row.height, false, false, false, true, 256, 256);
    StringRenderer renderer = StringRenderer::create(64, 4);
    renderer.setFont(font);
    renderer.add(kLeft, kTop, "0123456789癒", 0xFFFFFFFFu, false, 0.0f);
    renderer.draw();
    const Image image = readBack();
    const int cell = textWidth(font, "0");
    const int right = kLeft + textWidth(font, "0123456789");
    const int bottom = kTop + font.charHeight();
    EXPECT_EQ(right - kLeft, row.digitsWidth) << row.height;
    EXPECT_EQ(inkOf(image, grey, {kLeft, kTop, right, bottom}).count == 0, row.plain) << row.height;
    EXPECT_GT(inkOf(image, grey, {right, kTop, right + row.height, bottom}).count, 0) << row.height;
    const auto lit = [&](int digit, int x, int y) { return (image.at(kLeft + digit * cell + x, kTop + y) & 0xFF) >= 0x80; };
    for (int a = 0; a < 10; ++a) {
      for (int b = a + 1; b < 10; ++b) {
        int apart = 0;
        for (int y = 0; y < font.charHeight(); ++y) {
          for (int x = 0; x < cell; ++x) apart += lit(a, x, y) != lit(b, x, y);
        }
        EXPECT_GE(apart, row.leastApart) << row.height << ": " << a << " and " << b;
      }
    }
    manager.endDraw();
  }
}

}  // namespace
}  // namespace RenderTest
