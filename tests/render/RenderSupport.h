#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/Manager.h"
#include "Graphics/src/ManagerImpl.h"
#include "Platform/SystemBackend.h"

namespace RenderTest {

using Engine::u32;

constexpr u32 kBlack = 0xFF000000u;
constexpr u32 kRed = 0xFFFF0000u;
constexpr u32 kGreen = 0xFF00FF00u;
constexpr u32 kBlue = 0xFF0000FFu;
constexpr u32 kYellow = 0xFFFFFF00u;

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

  Image readBack();
  // Writes the image as a TGA file of that name into the build tree's folder
  // of test artefacts.
  static ::testing::AssertionResult keepArtefact(const Image& image, const char* name);

 private:
  std::unique_ptr<Platform::SystemBackend> mBackend;
};

// A 64x64 screen, its frame begun.
class SmallScreen : public RenderFixture {
 protected:
  void SetUp() override;
  static Engine::Graphics::Manager manager() { return Engine::Graphics::Manager::instance(); }
  u32 centre() { return readBack().at(32, 32); }
};

// A quad over the viewport's part from (left, bottom) to (right, top) in clip coordinates, depth z, one colour
// (0xAARRGGBB), facing the viewer (normal 0, 0, -1), wound counter-clockwise on screen, texture coordinates
// (u0, v0) at its top-left and (u1, v1) at its bottom-right.
Engine::Graphics::VertexBuffer makeQuad(float left, float bottom, float right, float top, float z, u32 color,
                                        float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1);
void drawQuad(const Engine::Graphics::VertexBuffer& quad);

// A square of side 2 x half about the origin in the plane z = 0, facing +z as the mesh builder's quads do:
// corners top-left, top-right, bottom-right, bottom-left, indices 0,2,1,0,3,2.
struct IndexedQuad {
  Engine::Graphics::VertexBuffer vertices;
  Engine::Graphics::IndexBuffer indices;
};
IndexedQuad makeSquare(float half, u32 color);

// The pixels of a region for which `match` holds (by default: all but black): how many, and the smallest box
// holding them.
struct PixelBox {
  int left, top, right, bottom;  // right and bottom exclusive
};
struct Ink {
  int count = 0;
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;  // inclusive
};
Ink inkOf(const Image& image, const std::function<bool(u32)>& match = nullptr,
          PixelBox region = {0, 0, INT_MAX, INT_MAX});

// Colours within a tolerance per channel.
::testing::AssertionResult colorNear(u32 expected, u32 actual, int tolerance = 2);
// An opaque colour of channels from 0 to 1, clamped and rounded.
u32 rgb(double r, double g, double b);

}  // namespace RenderTest
