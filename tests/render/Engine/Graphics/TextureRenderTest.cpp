#include <vector>

#include "Engine/Graphics/ImageTestFiles.h"
#include "Engine/Graphics/Texture.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using TextureRender = SmallScreen;

// A 4x2 texture has two levels; minified with mipmapping it samples a level that exists rather than reading as
// incomplete (black). (The colours' channel and row order show in the checker batch's test.)
TEST_F(TextureRender, MinifiedTexturesSampleTheirLastLevel) {
  Engine::Graphics::Image solid(4, 2);
  solid.pixels.assign(8, 0xFF3080C0u);
  const std::vector<Engine::u8> file = ImageTestFiles::tgaOf(solid, 4, true, false).bytes();
  const auto texture = Engine::Graphics::Texture::create(file.data(), static_cast<Engine::i32>(file.size()));
  ASSERT_EQ(texture.levels(), 2);
  manager().setTexture(texture);
  manager().setTextureFilter(1);
  drawQuad(makeQuad(-1.0f, 1.0f - 1.0f / 32, -1.0f + 1.0f / 16, 1.0f, 0.5f, 0xFFFFFFFFu));  // 2x1 pixels
  EXPECT_TRUE(colorNear(0xFF3080C0u, readBack().at(0, 0)));
}

}  // namespace
}  // namespace RenderTest
