#include "render/RenderSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

RenderFixture::Image RenderFixture::readBack() {
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

::testing::AssertionResult RenderFixture::keepArtefact(const Image& image, const char* name) {
  const std::filesystem::path folder = MARROWDEEP_ARTEFACT_DIR;
  std::filesystem::create_directories(folder);
  const Engine::Graphics::PixelSource source{image.pixels.data(), static_cast<Engine::i32>(image.width),
                                             static_cast<Engine::i32>(image.height),
                                             static_cast<Engine::i32>(image.width * 4)};
  const std::vector<Engine::u8> file = Engine::Graphics::writeTga(source, false);
  if (file.empty()) {
    return ::testing::AssertionFailure() << "no TGA written for " << name;
  }
  std::FILE* out = std::fopen((folder / name).string().c_str(), "wb");
  if (!out) {
    return ::testing::AssertionFailure() << "cannot open " << (folder / name).string();
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  std::fclose(out);
  return written ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "short write of " << name;
}

}  // namespace RenderTest
