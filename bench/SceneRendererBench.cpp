// One frame of 4096 mesh draws on the recording device: queued into the scene
// renderer's layers and flushed, against the same draws sent straight to the
// device as they come (the queue's peer: no layers, no copies). A third run
// queues and consumes a hidden step, which is the queue's own cost.
// "frames_in_16.7ms" is how many such frames fit in one 60 Hz frame.

#include <benchmark/benchmark.h>

#include <vector>

#include "Engine/Graphics/Manager.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "presentation/scene/SceneRenderer.h"

namespace scene_renderer_bench {

using Engine::i32;
using Game::BatchBuffers;
using Game::RenderQueue;
using Game::RenderState;
using Game::SceneRenderer;

constexpr i32 kDrawsPerFrame = 4096;
constexpr i32 kMeshes = 64;
constexpr double kFrameSeconds = 1.0 / 60.0;

// The renderer on the fake device, with meshes and the states of a frame:
// mostly opaque, some see-through, some front-end, each placed apart.
class FakeScene {
 public:
  FakeScene() {
    Engine::Graphics::Manager::create(800, 600, false, true, false);
    Game::Config::instance().setDefaults();
    SceneRenderer::create(800, 600);
    SceneRenderer::instance()->enableOutput();
    SceneRenderer::instance()->setFadeLevel(0);
    for (i32 i = 0; i < kMeshes; ++i) {
      BatchBuffers mesh;
      mesh.vertices = Engine::Graphics::VertexBuffer::create(24);
      mesh.indices = Engine::Graphics::IndexBuffer::create(36);
      mesh.triangleCount = 12;
      mMeshes.push_back(mesh);
    }
    for (i32 i = 0; i < kDrawsPerFrame; ++i) {
      RenderState state;
      if (i % 8 == 5) state.setBlendMode(1);
      if (i % 8 == 7) state.frontEnd = true;
      state.lightFlags.set(Game::DrawFlags::kOver | Game::DrawFlags::kBack);
      state.translate(static_cast<float>(i % 64) * 10.f, static_cast<float>(i / 64) * 10.f, 0.f);
      mStates.push_back(state);
    }
  }
  ~FakeScene() {
    mMeshes.clear();
    SceneRenderer::destroy();
    Engine::Graphics::Manager::destroy();
  }

  SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  const BatchBuffers& mesh(i32 i) const { return mMeshes[static_cast<std::size_t>(i % kMeshes)]; }
  const RenderState& state(i32 i) const { return mStates[static_cast<std::size_t>(i)]; }
  // The recording device keeps every call: forget them between frames.
  void forgetCalls() { mBackend->fakeGraphicsDevice.calls.clear(); }

 private:
  PlatformFake::ScopedFakeBackend mBackend;
  std::vector<BatchBuffers> mMeshes;
  std::vector<RenderState> mStates;
};

void reportBudget(benchmark::State& state) {
  state.counters["frames_in_16.7ms"] =
      benchmark::Counter(kFrameSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetItemsProcessed(state.iterations() * kDrawsPerFrame);
}

void BM_QueuedFrame(benchmark::State& state) {
  FakeScene scene;
  SceneRenderer& renderer = scene.renderer();
  for (auto _ : state) {
    renderer.beginFrame();
    for (i32 i = 0; i < kDrawsPerFrame; ++i) {
      renderer.renderQueue().add({}, scene.mesh(i), scene.state(i));
    }
    renderer.flushLayers(true, true, true, true);
    scene.forgetCalls();
  }
  reportBudget(state);
}
BENCHMARK(BM_QueuedFrame)->Unit(benchmark::kMillisecond);

void BM_DirectFrame(benchmark::State& state) {
  FakeScene scene;
  SceneRenderer& renderer = scene.renderer();
  Game::DrawView view;
  view.viewProjection = renderer.viewProjection();
  view.screenProjection = renderer.screenProjection();
  view.lightIntensities = renderer.lights().deviceIntensities();
  for (auto _ : state) {
    renderer.beginFrame();
    for (i32 i = 0; i < kDrawsPerFrame; ++i) {
      RenderQueue::drawEntry(view, {}, scene.mesh(i), scene.state(i));
    }
    scene.forgetCalls();
  }
  reportBudget(state);
}
BENCHMARK(BM_DirectFrame)->Unit(benchmark::kMillisecond);

void BM_QueueOnlyHiddenFrame(benchmark::State& state) {
  FakeScene scene;
  SceneRenderer& renderer = scene.renderer();
  renderer.setHidden(true);
  for (auto _ : state) {
    renderer.beginFrame();
    for (i32 i = 0; i < kDrawsPerFrame; ++i) {
      renderer.renderQueue().add({}, scene.mesh(i), scene.state(i));
    }
    renderer.flushLayers(true, true, true, true);
  }
  reportBudget(state);
}
BENCHMARK(BM_QueueOnlyHiddenFrame)->Unit(benchmark::kMillisecond);

}  // namespace scene_renderer_bench
