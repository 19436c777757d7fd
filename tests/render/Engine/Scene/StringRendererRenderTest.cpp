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

const char* const kText = "日本語の文字列";
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

TEST_F(StringRendererRender, JapaneseLineInksOnlyItsOwnBox) {
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

  // Ink inside the line's box only, reaching both its ends: the first and last characters are drawn.
  const Ink ink = inkOf(readBack());
  EXPECT_GT(ink.count, 200);
  EXPECT_GE(ink.left, kLeft);
  EXPECT_GE(ink.top, kTop);
  EXPECT_LT(ink.right, right);
  EXPECT_LT(ink.bottom, bottom);
  EXPECT_LT(ink.left, kLeft + 10);
  EXPECT_GT(ink.right, right - 10);
  manager.endDraw();
}

// The blank's cell sits on the page right of the rule's, whose ink reaches
// its cell's right side: the blanks' columns stay dark, smoothed or not.
// Plain ink is copied one texel to a pixel, never blurred into grey.
TEST_F(StringRendererRender, BlanksBetweenCharactersStayDark) {
  Engine::Graphics::ManagerImpl& manager = createManager({320, 240, false, false, false});
  for (const bool antialias : {false, true}) {
    manager.beginDraw();
    const Font font = Font::createOS("ＭＳ ゴシック", 20, false, false, false, antialias, 128, 128);
    StringRenderer renderer = StringRenderer::create(64, 4);
    renderer.setFont(font);
    renderer.add(kLeft, kTop, "─ ─  ─", 0xFFFFFFFFu, false, 0.0f);
    renderer.draw();
    const int rule = textWidth(font, "─");
    const int blank = textWidth(font, " ");
    const Image image = readBack();
    for (const int column : {1, 3, 4}) {  // cells: rule, blank, rule, blank, blank, rule
      const int left = kLeft + (column + 1) / 2 * rule + column / 2 * blank;
      const PixelBox box{left, kTop, left + blank, kTop + font.charHeight()};
      EXPECT_EQ(inkOf(image, nullptr, box).count, 0) << "blank " << column << (antialias ? " smoothed" : " plain");
    }
    EXPECT_GE(inkOf(image).count, 3 * rule);
    const auto grey = [](u32 p) { return p != kBlack && p != 0xFFFFFFFFu; };
    EXPECT_TRUE(antialias || inkOf(image, grey).count == 0);
    manager.endDraw();
  }
}

}  // namespace
}  // namespace RenderTest
