#include "presentation/scene/DrawHook.h"

#include "presentation/resource/Batch.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {

namespace {

// The scene renderer's queue and camera.
class RendererHook final : public DrawHook {
 public:
  void queue(const Batch& batch, const Texture* texture, const RenderState& state) override {
    static const Engine::Graphics::Texture kNoTexture;
    renderer().renderQueue().add(texture ? texture->handle() : kNoTexture, batch.buffers(), state);
  }
  Engine::Math::Vector3 project(const Engine::Math::Vector3& worldPoint) const override {
    Engine::Math::Vector3 out;
    renderer().project(&out, worldPoint);
    return out;
  }
  float inverseDistance() const override { return renderer().camera().inverseDistance.value(); }
  const Engine::Math::Matrix34& billboardMatrix() const override { return renderer().billboardMatrix(); }

 private:
  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
};

RendererHook gRendererHook;
DrawHook* gInstalled = nullptr;

}  // namespace

DrawHook* DrawHook::current() {
  if (gInstalled) {
    return gInstalled;
  }
  return SceneRenderer::instance() ? &gRendererHook : nullptr;
}

void DrawHook::install(DrawHook* hook) { gInstalled = hook; }

}  // namespace Game
