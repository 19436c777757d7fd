#include <cmath>

#include "Engine/Scene/Font.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Graphics::Manager;
using Engine::Graphics::ManagerSettings;
using Engine::Graphics::Texture;
using Engine::Math::Vector2;
using Engine::Scene::Font;

constexpr Engine::u16 kKan = 0x8ABF;  // 漢
constexpr u32 kScreen = 64;

class FontRender : public RenderFixture {};

// The glyph drawn red, one texel to a pixel, at the screen's top-left: anti-aliased ink has partly covered edges;
// plain ink is full or nothing.
TEST_F(FontRender, KanjiOfTheSystemFontDrawsAsTintedInk) {
  createManager(ManagerSettings{kScreen, kScreen, false, false, false});
  Manager manager = Manager::instance();
  for (const bool antialias : {true, false}) {
    manager.beginDraw();
    const Font font = Font::createOS("ＭＳ ゴシック", 24, false, false, false, antialias, 512, 512);
    ASSERT_EQ(font.charHeight(), 24);
    Texture texture;
    Vector2 uv0;
    Vector2 uv1;
    ASSERT_TRUE(font.getChar(texture, uv0, uv1, kKan));
    const auto width = static_cast<u32>(std::lround((uv1.x - uv0.x) * static_cast<float>(texture.width())));
    const auto height = static_cast<u32>(std::lround((uv1.y - uv0.y) * static_cast<float>(texture.height())));
    EXPECT_EQ(height, 24u);
    EXPECT_GE(width, 20u);
    manager.setTexture(texture);
    manager.setTextureFilter(0);
    manager.setBlendMode(1);
    const float right = -1.0f + 2.0f * static_cast<float>(width) / kScreen;
    drawQuad(makeQuad(-1, 1.0f - 2.0f * static_cast<float>(height) / kScreen, right, 1, 0.5f, kRed, uv0.x, uv0.y,
                      uv1.x, uv1.y));
    const Image image = readBack();
    const PixelBox glyph{0, 0, static_cast<int>(width), static_cast<int>(height)};
    const int inked = inkOf(image, nullptr, glyph).count;
    EXPECT_GT(inked, static_cast<int>(width * height / 8));
    EXPECT_LT(inked, static_cast<int>(width * height * 3 / 4));
    EXPECT_EQ(inkOf(image, [](u32 p) { return p != kBlack && p != kRed; }, glyph).count > 0, antialias);
  }
}

}  // namespace
}  // namespace RenderTest
