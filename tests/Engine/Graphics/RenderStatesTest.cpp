#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Graphics/src/TextureImpl.h"
#include "GraphicsFixture.h"

namespace Engine::Graphics {
namespace {

using Calls = std::vector<std::string>;

class RenderStates : public GraphicsFixture {
 protected:
  void SetUp() override {
    GraphicsFixture::SetUp();
    device().takeCalls();
  }
  Manager manager() { return Manager::instance(); }
};

TEST_F(RenderStates, OnlyChangedStatesReachTheDeviceInTheirOrder) {
  manager().setBlendMode(1);
  EXPECT_EQ(device().takeCalls(), (Calls{"setRenderState AlphaBlendEnable 1", "setRenderState DestinationBlend 3"}));
  manager().setBlendMode(1);
  EXPECT_TRUE(device().takeCalls().empty());
  manager().setBlendMode(5);
  EXPECT_EQ(device().takeCalls(), (Calls{"setRenderState SourceBlend 1", "setRenderState AlphaTestEnable 1"}));
  manager().setBlendMode(42);  // anything else is additive
  const Calls additive = {"setRenderState DestinationBlend 1", "setRenderState SourceBlend 2",
                          "setRenderState AlphaTestEnable 0"};
  EXPECT_EQ(device().takeCalls(), additive);
  manager().setCullMode(1);
  manager().setCullMode(2);
  manager().setCullMode(7);
  const Calls cull = {"setRenderState CullMode 2", "setRenderState CullMode 1", "setRenderState CullMode 0"};
  EXPECT_EQ(device().takeCalls(), cull);
  manager().setTextureFilter(0);
  const Calls point = {"setSamplerState MinFilter 1", "setSamplerState MagFilter 1", "setSamplerState MipFilter 0"};
  EXPECT_EQ(device().takeCalls(), point);
}

TEST_F(RenderStates, ResetReappliesEveryStateAndUnbindsEverything) {
  manager().enableDepthWrite(false);
  manager().setCullMode(0);
  manager().setLightingMode(1);
  manager().setVertexBuffer(VertexBuffer::create(3));
  manager().setFullScreen(true);
  device().takeCalls();
  manager().restore();
  const Calls expected = {
      "reset 1280x800 full=1",           "setProgram 1",
      "setRenderState AlphaReference 128", "setRenderState SourceBlend 2",
      "setSamplerState MaxAnisotropy 16", "setRenderState CullMode 0",
      "setRenderState DepthTest 1",       "setRenderState DepthWrite 0",
      "setRenderState AlphaBlendEnable 0", "setRenderState DestinationBlend 0",
      "setRenderState AlphaTestEnable 0", "setSamplerState MinFilter 3",
      "setSamplerState MagFilter 3",      "setSamplerState MipFilter 2",
      "setTexture null",                  "setVertexBuffer null",
      "setIndexBuffer null"};
  EXPECT_EQ(device().takeCalls(), expected);
}

TEST_F(RenderStates, ConstantsAreUploadedAtTheDrawInRegisterOrderAndOnlyWhenChanged) {
  manager().setVertexBuffer(VertexBuffer::create(3));
  manager().setLightColor(0, Math::Vector3(1.0f, 0.5f, 0.25f));
  manager().setLightIntensity(0, 2.0f);
  manager().setLightPosition(1, Math::Vector3(3.0f, 4.0f, 5.0f));
  device().takeCalls();
  manager().draw(0, 1, 0);
  const Calls expected = {"setVertexConstants 10 1", "setPixelConstants 0 11", "setVertexConstants 11 8",
                          "setVertexConstants 0 4",  "setVertexConstants 4 3", "setVertexConstants 7 3",
                          "setTexture",              "draw TriangleList 0 1"};
  EXPECT_EQ(device().takeCalls(), expected);
  const std::vector<float>& pixel = device().pixelConstants;
  EXPECT_FLOAT_EQ(pixel[5 * 4 + 0], 3.0f * 0.15915494f);  // specular 1 x (sharpness 1 + 2) / 2 pi
  EXPECT_FLOAT_EQ(pixel[6 * 4 + 0], 2.0f);                // colour x intensity
  EXPECT_FLOAT_EQ(pixel[1 * 4 + 1], 3.0f);                // x of light 1
  EXPECT_FLOAT_EQ(device().vertexConstants[13 * 4 + 1], 4.0f);  // y of light 1
  Math::Matrix44 identity;
  identity.setIdentity();
  manager().setProjectionViewMatrix(identity);  // the same matrix again
  manager().draw(0, 1, 0);
  EXPECT_EQ(device().takeCalls(), Calls{"draw TriangleList 0 1"});
  Math::Matrix34 world;
  const float rows[3][4] = {{2, 0, 0, 5}, {0, 4, 0, 6}, {0, 0, 8, 7}};
  std::memcpy(world.m, rows, sizeof rows);
  manager().setWorldMatrix(world);
  manager().draw(0, 1, 0);
  // Position transform: projection-view x world; normals by the inverse transpose.
  EXPECT_FLOAT_EQ(device().vertexConstants[0 * 4 + 3], 5.0f);
  EXPECT_FLOAT_EQ(device().vertexConstants[7 * 4 + 0], 0.5f);
  EXPECT_FLOAT_EQ(device().vertexConstants[9 * 4 + 2], 0.125f);
}

TEST_F(RenderStates, BoundTextureOutlivesItsHandleAndAnEmptyOneDrawsWhite) {
  manager().setVertexBuffer(VertexBuffer::create(3));
  Texture texture = Texture::create(8, 4, false);
  u32* pixel = nullptr;
  i32 pitch = 0;
  texture.lock(&pixel, &pitch, 2, 1, 3, 2, 0);
  EXPECT_EQ(pitch, 32);
  *pixel = 0xFF00FF00u;
  texture.unlock(&pixel, 0);
  auto* deviceTexture = static_cast<PlatformFake::FakeGraphicsTexture*>(texture.impl()->deviceTexture());
  EXPECT_EQ(deviceTexture->pixels[0][1 * 8 + 2], 0xFF00FF00u);
  manager().setTexture(texture);
  texture.release();
  manager().draw(0, 1, 0);
  EXPECT_EQ(device().boundTexture, deviceTexture);
  manager().setTexture(Texture());
  manager().draw(0, 1, 0);
  EXPECT_EQ(device().boundTexture->width(), 1u);
}

}  // namespace
}  // namespace Engine::Graphics
