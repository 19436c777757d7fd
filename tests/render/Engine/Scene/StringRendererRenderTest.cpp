#include <cmath>
#include <cstring>
#include <numeric>

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
    Vector2 uv0, uv1;
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
  EXPECT_TRUE(ink.left >= kLeft && ink.top >= kTop && ink.right < right && ink.bottom < bottom);
  EXPECT_TRUE(ink.left < kLeft + 10 && ink.right > right - 10);
  manager.endDraw();
}

// Digits of faces of 12 pixels or fewer are plain in cells half as wide: at 10 each differs from every
// other in 6 pixels or more (smoothed, 5 and 8 differ in 3). At 13 they are smoothed; kanji always are.
TEST_F(StringRendererRender, SmallDigitsAreDrawnPlainAndApartFromOneAnother) {
  Engine::Graphics::ManagerImpl& manager = createManager({320, 240, false, false, false});
  const auto grey = [](u32 p) { return p != kBlack && p != 0xFFFFFFFFu; };
  for (const auto& [height, plain, leastApart] : {std::tuple(10, true, 6), {12, true, 0}, {13, false, 0}}) {
    manager.beginDraw();
    const Font font = Font::createOS("ＭＳ ゴシック", height, false, false, false, true, 256, 256);
    StringRenderer renderer = StringRenderer::create(64, 4);
    renderer.setFont(font);
    renderer.add(kLeft, kTop, "0123456789癒", 0xFFFFFFFFu, false, 0.0f);
    renderer.draw();
    const Image image = readBack();
    const int cell = (height + 1) / 2, right = kLeft + 10 * cell, bottom = kTop + height;
    EXPECT_EQ(textWidth(font, "0123456789"), 10 * cell);
    EXPECT_EQ(inkOf(image, grey, {kLeft, kTop, right, bottom}).count == 0, plain) << height;
    EXPECT_GT(inkOf(image, grey, {right, kTop, right + height, bottom}).count, 0) << height;
    std::vector<std::string> digits(10);  // lit (over half) or not, pixel by pixel
    for (int y = kTop; y < bottom; ++y)
      for (int x = kLeft; x < right; ++x) digits[(x - kLeft) / cell] += (image.at(x, y) & 0xFF) >= 0x80 ? '#' : '.';
    for (int a = 0; a < 10; ++a)
      for (int b = a + 1; b < 10; ++b)
        EXPECT_GE(std::inner_product(digits[a].begin(), digits[a].end(), digits[b].begin(), 0, std::plus<>(),
                                     std::not_equal_to<>()), leastApart) << height << ": " << a << " and " << b;
    manager.endDraw();
  }
}

}  // namespace
}  // namespace RenderTest
