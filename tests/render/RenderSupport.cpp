#include "render/RenderSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "Engine/Graphics/ImageFile.h"

// Mesa and the video driver leak what LeakSanitizer cannot name.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace RenderTest {

using Engine::Graphics::Vertex;
using Engine::Graphics::VertexBuffer;

void RenderFixture::SetUp() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("MARROWDEEP_NO_MESSAGE_BOX", "1", 0);
  mBackend = Platform::createSystemBackend();
  Platform::setBackend(mBackend.get());
  Platform::WindowDesc desc;
  desc.width = 320;
  desc.height = 240;
  desc.title = "render test";
  ASSERT_TRUE(mBackend->window().create(desc));
}

void RenderFixture::TearDown() {
  Engine::Graphics::ManagerImpl::uninstall();
  if (mBackend) {
    mBackend->window().destroy();
  }
  Platform::setBackend(nullptr);
  mBackend.reset();
}

Engine::Graphics::ManagerImpl& RenderFixture::createManager(const Engine::Graphics::ManagerSettings& settings,
                                                            Platform::DisplayMode fullScreenMode) {
  Engine::Graphics::ManagerImpl::install(
      std::make_unique<Engine::Graphics::ManagerImpl>(device(), settings, fullScreenMode));
  return *Engine::Graphics::ManagerImpl::instance();
}

void SmallScreen::SetUp() {
  RenderFixture::SetUp();
  createManager({64, 64, false, false, false}).beginDraw();
}

Image RenderFixture::readBack() {
  Image image;
  device().readBackBuffer(image.pixels, image.width, image.height);
  return image;
}

VertexBuffer makeQuad(float left, float bottom, float right, float top, float z, u32 color, float u0, float v0,
                      float u1, float v1) {
  VertexBuffer quad = VertexBuffer::create(6);
  Vertex* vertex = quad.lock();
  const float corners[6][4] = {{left, bottom, u0, v1}, {right, bottom, u1, v1}, {right, top, u1, v0},
                               {left, bottom, u0, v1}, {right, top, u1, v0},    {left, top, u0, v0}};
  for (const auto& c : corners) {
    *vertex++ = Vertex{c[0], c[1], z, 1.0f, 0.0f, 0.0f, -1.0f, color, c[2], c[3]};
  }
  quad.unlock(vertex);
  return quad;
}

void drawQuad(const VertexBuffer& quad) {
  Engine::Graphics::ManagerImpl& manager = *Engine::Graphics::ManagerImpl::instance();
  manager.setVertexBuffer(quad);
  manager.draw(0, 2, 0);
}

IndexedQuad makeSquare(float half, u32 color) {
  IndexedQuad quad{VertexBuffer::create(4), Engine::Graphics::IndexBuffer::create(6)};
  Vertex* v = quad.vertices.lock();
  const float corners[4][2] = {{-half, half}, {half, half}, {half, -half}, {-half, -half}};
  for (const auto& c : corners) {
    *v++ = Vertex{c[0], c[1], 0.f, 1.f, 0.f, 0.f, 1.f, color, 0.f, 0.f};
  }
  quad.vertices.unlock(v);
  Engine::u16* index = quad.indices.lock();
  for (const Engine::u16 i : {0, 2, 1, 0, 3, 2}) {
    *index++ = i;
  }
  quad.indices.unlock(index);
  return quad;
}

Ink inkOf(const Image& image, const std::function<bool(u32)>& match, PixelBox region) {
  Ink ink;
  for (int y = std::max(region.top, 0); y < std::min(region.bottom, static_cast<int>(image.height)); ++y) {
    for (int x = std::max(region.left, 0); x < std::min(region.right, static_cast<int>(image.width)); ++x) {
      const u32 pixel = image.at(static_cast<u32>(x), static_cast<u32>(y));
      if (match ? match(pixel) : pixel != kBlack) {
        ++ink.count;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
    }
  }
  return ink;
}

::testing::AssertionResult colorNear(u32 expected, u32 actual, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((expected >> shift) & 0xFF);
    const int b = static_cast<int>((actual >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) {
      char text[64];
      std::snprintf(text, sizeof text, "expected %08x, got %08x", expected, actual);
      return ::testing::AssertionFailure() << text;
    }
  }
  return ::testing::AssertionSuccess();
}

u32 rgb(double r, double g, double b) {
  const auto byte = [](double v) { return static_cast<u32>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
  return 0xFF000000u | byte(r) << 16 | byte(g) << 8 | byte(b);
}

::testing::AssertionResult RenderFixture::keepArtefact(const Image& image, const char* name) {
  const std::filesystem::path folder = MARROWDEEP_ARTEFACT_DIR;
  std::filesystem::create_directories(folder);
  const auto width = static_cast<Engine::i32>(image.width);
  const std::vector<Engine::u8> file =
      Engine::Graphics::writeTga({image.pixels.data(), width, static_cast<Engine::i32>(image.height), width * 4}, false);
  std::ofstream out(folder / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (file.empty() || !out) {
    return ::testing::AssertionFailure() << "could not write " << (folder / name).string();
  }
  return ::testing::AssertionSuccess();
}

}  // namespace RenderTest
