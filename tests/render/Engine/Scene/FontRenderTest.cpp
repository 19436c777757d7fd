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

constexpr u32 kBlack = 0xFF000000u;
constexpr u32 kRed = 0xFFFF0000u;
constexpr Engine::u16 kKan = 0x8ABF;  // 漢
constexpr u32 kScreen = 64;

class FontRender : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    createManager(ManagerSettings{kScreen, kScreen, false, false, false});
    manager().beginDraw();
  }
  Manager manager() { return Manager::instance(); }

  struct Drawn {
    u32 width = 0;
    u32 height = 0;
    u32 inked = 0;
    u32 partial = 0;  // neither background nor full ink
  };

  // Draws the glyph red, one texel to a pixel, at the screen's top-left.
  Drawn drawGlyph(const Font& font, Engine::u16 code) {
    Texture texture;
    Vector2 uv0;
    Vector2 uv1;
    EXPECT_TRUE(font.getChar(texture, uv0, uv1, code));
    Drawn drawn;
    drawn.width = static_cast<u32>(std::lround((uv1.x - uv0.x) * static_cast<float>(texture.width())));
    drawn.height = static_cast<u32>(std::lround((uv1.y - uv0.y) * static_cast<float>(texture.height())));
    const float right = -1.0f + 2.0f * static_cast<float>(drawn.width) / kScreen;
    const float bottom = 1.0f - 2.0f * static_cast<float>(drawn.height) / kScreen;
    manager().setTexture(texture);
    manager().setTextureFilter(0);
    manager().setBlendMode(1);
    drawQuad(makeTexturedQuad(-1, bottom, right, 1, kRed, uv0.x, uv0.y, uv1.x, uv1.y));
    const Image image = readBack();
    for (u32 y = 0; y < drawn.height; ++y) {
      for (u32 x = 0; x < drawn.width; ++x) {
        const u32 pixel = image.at(x, y);
        drawn.inked += pixel != kBlack ? 1 : 0;
        drawn.partial += pixel != kBlack && pixel != kRed ? 1 : 0;
      }
    }
    return drawn;
  }
};

// Anti-aliased ink has partly covered edges; plain ink is full or nothing.
TEST_F(FontRender, KanjiOfTheSystemFontDrawsAsTintedInk) {
  for (const bool antialias : {true, false}) {
    const Font font = Font::createOS("ＭＳ ゴシック", 24, false, false, false, antialias, 512, 512);
    ASSERT_EQ(font.charHeight(), 24);
    const Drawn drawn = drawGlyph(font, kKan);
    EXPECT_EQ(drawn.height, 24u);
    EXPECT_GE(drawn.width, 20u);
    EXPECT_GT(drawn.inked, drawn.width * drawn.height / 8);
    EXPECT_LT(drawn.inked, drawn.width * drawn.height * 3 / 4);
    EXPECT_EQ(drawn.partial > 0, antialias);
    manager().beginDraw();
  }
}

}  // namespace
}  // namespace RenderTest
