// Frames of small draws with changing render states on the real OpenGL device
// (offscreen): through the graphics manager's state cache, against the same
// states sent to the device before every draw. Reported as frames per second;
// the ratio of the two is the cache's gain.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "Engine/Graphics/Manager.h"
#include "Graphics/src/ManagerImpl.h"
#include "Platform/SystemBackend.h"

namespace graphics_state_bench {

using Engine::Graphics::Manager;
using Engine::Graphics::ManagerImpl;
using Engine::Graphics::Vertex;
using Engine::Graphics::VertexBuffer;

constexpr int kDrawsPerFrame = 400;

// The offscreen window, its device and a manager over a 64x64 screen.
class OffscreenGraphics {
 public:
  OffscreenGraphics() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    mBackend = Platform::createSystemBackend();
    Platform::setBackend(mBackend.get());
    Platform::WindowDesc desc;
    desc.width = 64;
    desc.height = 64;
    mReady = mBackend->window().create(desc);
    if (mReady) {
      Manager::create(64, 64, false, false, false);
      mQuad = makeTriangle();
    }
  }
  ~OffscreenGraphics() {
    mQuad.release();
    Manager::destroy();
    mBackend->window().destroy();
    Platform::setBackend(nullptr);
  }

  bool ready() const { return mReady; }
  const VertexBuffer& triangle() const { return mQuad; }
  Platform::GraphicsDevice& device() { return mBackend->graphicsDevice(); }

 private:
  // One pixel's worth of triangle, so that state handling, not filling, is timed.
  static VertexBuffer makeTriangle() {
    VertexBuffer buffer = VertexBuffer::create(3);
    Vertex* vertex = buffer.lock();
    const float corners[3][2] = {{0.0f, 0.0f}, {0.03f, 0.0f}, {0.0f, 0.03f}};
    for (const auto& corner : corners) {
      *vertex++ = Vertex{corner[0], corner[1], 0.5f, 1.0f, 0, 0, -1, 0xFFFFFFFFu, 0, 0};
    }
    buffer.unlock(vertex);
    return buffer;
  }

  std::unique_ptr<Platform::SystemBackend> mBackend;
  bool mReady = false;
  VertexBuffer mQuad;
};

// Renderers set their whole state before each draw; it changes now and then.
void setStatesThroughManager(Manager manager, int draw) {
  manager.setBlendMode(draw % 100 < 50 ? 1 : 2);
  manager.setCullMode(0);
  manager.enableDepthWrite(draw % 200 < 100);
  manager.enableDepthTest(true);
  manager.setTextureFilter(1);
}

void setStatesOnDevice(Platform::GraphicsDevice& device, int draw) {
  using Platform::RenderState;
  const bool alpha = draw % 100 < 50;
  device.setRenderState(RenderState::AlphaBlendEnable, 1);
  device.setRenderState(RenderState::DestinationBlend,
                        static_cast<Engine::u32>(alpha ? Platform::BlendFactor::InverseSourceAlpha
                                                       : Platform::BlendFactor::One));
  device.setRenderState(RenderState::SourceBlend, static_cast<Engine::u32>(Platform::BlendFactor::SourceAlpha));
  device.setRenderState(RenderState::AlphaTestEnable, 0);
  device.setRenderState(RenderState::CullMode, static_cast<Engine::u32>(Platform::CullMode::None));
  device.setRenderState(RenderState::DepthWrite, draw % 200 < 100);
  device.setRenderState(RenderState::DepthTest, 1);
  device.setSamplerState(Platform::SamplerState::MinFilter, static_cast<Engine::u32>(Platform::TextureFilter::Linear));
  device.setSamplerState(Platform::SamplerState::MagFilter, static_cast<Engine::u32>(Platform::TextureFilter::Linear));
  device.setSamplerState(Platform::SamplerState::MipFilter, static_cast<Engine::u32>(Platform::TextureFilter::Linear));
}

void BM_FrameThroughStateCache(benchmark::State& state) {
  OffscreenGraphics graphics;
  if (!graphics.ready()) {
    state.SkipWithError("no offscreen OpenGL");
    return;
  }
  Manager manager = Manager::instance();
  manager.setVertexBuffer(graphics.triangle());
  for (auto _ : state) {
    manager.beginDraw();
    for (int draw = 0; draw < kDrawsPerFrame; ++draw) {
      setStatesThroughManager(manager, draw);
      manager.draw(0, 1, 0);
    }
    manager.endDraw();
  }
  state.SetItemsProcessed(state.iterations() * kDrawsPerFrame);
}

void BM_FrameSettingEveryState(benchmark::State& state) {
  OffscreenGraphics graphics;
  if (!graphics.ready()) {
    state.SkipWithError("no offscreen OpenGL");
    return;
  }
  Manager manager = Manager::instance();
  manager.setVertexBuffer(graphics.triangle());
  Platform::GraphicsDevice& device = graphics.device();
  for (auto _ : state) {
    manager.beginDraw();
    for (int draw = 0; draw < kDrawsPerFrame; ++draw) {
      setStatesOnDevice(device, draw);
      manager.draw(0, 1, 0);
    }
    manager.endDraw();
  }
  state.SetItemsProcessed(state.iterations() * kDrawsPerFrame);
}

BENCHMARK(BM_FrameThroughStateCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameSettingEveryState)->Unit(benchmark::kMicrosecond);

}  // namespace graphics_state_bench
