#include "Engine/Graphics/Texture.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Graphics::Manager;
using Engine::Math::Vector3;

// Quads face the viewer along -z, so normals are (0, 0, -1).
using Shading = SmallScreen;

TEST_F(Shading, UnlitColourIsVertexColourTimesDiffuse) {
  manager().setDiffuseColor(Vector3(0.5f, 1.0f, 0.25f));
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  EXPECT_TRUE(colorNear(rgb(0.5, 1.0, 0.25), centre()));
}

// One light 1 unit in front of the quad's centre: 3 units squared from each corner, so per-vertex lighting
// gives 1/3 everywhere and per-pixel lighting almost 1 at the centre.
void lightInFront(Manager manager) {
  manager.setAmbientColor(Vector3(0.0f, 0.0f, 0.0f));
  manager.setLightPosition(0, Vector3(0.0f, 0.0f, -0.5f));
  manager.setLightColor(0, Vector3(1.0f, 0.5f, 0.25f));
  manager.setLightIntensity(0, 1.0f);
}

TEST_F(Shading, PerVertexLightingFallsOffWithTheSquaredDistance) {
  manager().setLightingMode(1);
  lightInFront(manager());
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  EXPECT_TRUE(colorNear(rgb(1.0 / 3, 0.5 / 3, 0.25 / 3), centre()));
}

TEST_F(Shading, PerPixelLightingAddsSpecularAndEmission) {
  manager().setLightingMode(2);
  lightInFront(manager());
  manager().setSpecularColor(Vector3(0.0f, 0.0f, 0.0f));
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  EXPECT_TRUE(colorNear(rgb(1.0, 0.5, 0.25), centre()));

  // Eye in front: the specular term is the light colour x (sharpness + 2) / 2 pi.
  manager().setLightColor(0, Vector3(0.2f, 0.2f, 0.2f));
  manager().setSpecularColor(Vector3(1.0f, 1.0f, 1.0f));
  manager().setSpecularSharpness(1.0f);
  manager().setEyePosition(Vector3(0.0f, 0.0f, -1.0f));
  manager().setEmissionColor(Vector3(0.25f, 0.0f, 0.5f));
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  const double specular = 0.2 * 3 * 0.15915494;
  EXPECT_TRUE(colorNear(rgb(0.2 + specular + 0.25, 0.2 + specular, 0.2 + specular + 0.5), centre(), 3));
}

TEST_F(Shading, AlphaTestDropsTexelsBelowHalf) {
  Engine::Graphics::Texture texture = Engine::Graphics::Texture::create(2, 1, false);
  Engine::u32* texel = nullptr;
  Engine::i32 pitch = 0;
  texture.lock(&texel, &pitch, 0, 0, 2, 1, 0);
  texel[0] = 0x7FFF0000u;
  texel[1] = 0x8000FF00u;
  texture.unlock(&texel, 0);
  manager().setTexture(texture);
  manager().setTextureFilter(0);
  manager().setBlendMode(0);
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  const Image image = readBack();
  EXPECT_EQ(image.at(16, 32), kBlack);
  EXPECT_EQ(image.at(48, 32), kGreen);
}

// makeQuad winds counter-clockwise on screen.
TEST_F(Shading, CullModesNameTheOnScreenWindingCulled) {
  manager().setCullMode(1);
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, kRed));
  EXPECT_EQ(centre(), kBlack);
  manager().setCullMode(2);
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, kRed));
  EXPECT_EQ(centre(), kRed);
  manager().setCullMode(1);
  drawQuad(makeQuad(1, -1, -1, 1, 0.4f, kGreen));  // the same quad wound the other way round
  EXPECT_EQ(centre(), kGreen);
}

// Depth test LEQUAL keeps the nearer quad; the clear resets depth even with depth write off.
TEST_F(Shading, DepthTestKeepsTheNearerAndTheClearResetsItWithWriteOff) {
  drawQuad(makeQuad(-1, -1, 1, 1, 0.3f, kRed));
  drawQuad(makeQuad(-1, -1, 1, 1, 0.6f, kGreen));
  EXPECT_EQ(centre(), kRed);
  manager().enableDepthWrite(false);
  manager().beginDraw();
  EXPECT_EQ(centre(), kBlack);
  drawQuad(makeQuad(-1, -1, 1, 1, 0.8f, kGreen));
  EXPECT_EQ(centre(), kGreen);
}

}  // namespace
}  // namespace RenderTest
