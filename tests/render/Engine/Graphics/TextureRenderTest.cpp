#include <vector>

#include "Engine/Graphics/ImageTestFiles.h"
#include "Engine/Graphics/Texture.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Graphics::Manager;
using Engine::Graphics::ManagerSettings;
using Engine::Graphics::Texture;

constexpr u32 kRed = 0xFFFF0000u;
constexpr u32 kGreen = 0xFF00FF00u;
constexpr u32 kBlue = 0xFF0000FFu;
constexpr u32 kYellow = 0xFFFFFF00u;

class TextureRender : public RenderFixture {};

Texture textureFromTga(const Engine::Graphics::Image& image, bool topDown) {
  const std::vector<Engine::u8> file = ImageTestFiles::tgaOf(image, 4, topDown, false).bytes();
  return Texture::create(file.data(), static_cast<Engine::i32>(file.size()));
}

// A checker from a bottom-up TGA shows each colour in its corner (channel and row order). A 4x2 texture has two
// levels; minified with mipmapping it samples a level that exists rather than reading as incomplete (black).
TEST_F(TextureRender, CheckerShowsEachColourInItsCornerAndMinifiedTexturesSampleTheirLastLevel) {
  createManager(ManagerSettings{64, 64, false, false, false});
  Manager manager = Manager::instance();
  manager.beginDraw();
  Engine::Graphics::Image checker(2, 2);
  checker.pixels = {kRed, kGreen, kBlue, kYellow};  // rows top to bottom
  Texture texture = textureFromTga(checker, false);
  ASSERT_TRUE(texture.hasPixels());
  manager.setTexture(texture);
  manager.setTextureFilter(0);
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  const Image image = readBack();
  EXPECT_EQ(image.at(8, 8), kRed);
  EXPECT_EQ(image.at(56, 8), kGreen);
  EXPECT_EQ(image.at(8, 56), kBlue);
  EXPECT_EQ(image.at(56, 56), kYellow);

  Engine::Graphics::Image solid(4, 2);
  solid.pixels.assign(8, 0xFF3080C0u);
  texture = textureFromTga(solid, true);
  ASSERT_EQ(texture.levels(), 2);
  manager.setTexture(texture);
  manager.setTextureFilter(1);
  drawQuad(makeQuad(-1.0f, 1.0f - 1.0f / 32, -1.0f + 1.0f / 16, 1.0f, 0.5f, 0xFFFFFFFFu));  // 2x1 pixels
  EXPECT_TRUE(colorNear(0xFF3080C0u, readBack().at(0, 0)));
}

}  // namespace
}  // namespace RenderTest
