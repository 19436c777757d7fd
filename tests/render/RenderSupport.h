#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/Manager.h"
#include "Graphics/src/ManagerImpl.h"
#include "Platform/SystemBackend.h"

namespace RenderTest {

using Engine::u32;

// The real platform on the offscreen video driver: a window, its OpenGL
// device, and the graphics manager torn down after each test.
class RenderFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Platform::GraphicsDevice& device() { return mBackend->graphicsDevice(); }
  // Creates the manager with a chosen full-screen mode, whatever the system lists.
  Engine::Graphics::ManagerImpl& createManager(const Engine::Graphics::ManagerSettings& settings,
                                               Platform::DisplayMode fullScreenMode = {});

  struct Image {
    u32 width = 0;
    u32 height = 0;
    std::vector<u32> pixels;
    // A probe outside the image fails the test instead of reading past it.
    u32 at(u32 x, u32 y) const {
      if (x >= width || y >= height) throw std::out_of_range("pixel probe outside the image");
      return pixels[std::size_t{y} * width + x];
    }
  };
  Image readBack();
  // Writes the image as a TGA file of that name into the build tree's folder
  // of test artefacts.
  static ::testing::AssertionResult keepArtefact(const Image& image, const char* name);

 private:
  std::unique_ptr<Platform::SystemBackend> mBackend;
};

// A quad over the viewport's part from (left, bottom) to (right, top) in clip coordinates, depth z, one colour
// (0xAARRGGBB), facing the viewer (normal 0, 0, -1), wound counter-clockwise on screen, texture coordinates
// (u0, v0) at its top-left and (u1, v1) at its bottom-right.
Engine::Graphics::VertexBuffer makeQuad(float left, float bottom, float right, float top, float z, u32 color,
                                        float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1);
void drawQuad(const Engine::Graphics::VertexBuffer& quad);

// Colours within a tolerance per channel.
::testing::AssertionResult colorNear(u32 expected, u32 actual, int tolerance = 2);

}  // namespace RenderTest
