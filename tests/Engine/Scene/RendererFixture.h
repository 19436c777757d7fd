#pragma once

#include <string>
#include <vector>

#include "Engine/Graphics/GraphicsFixture.h"

namespace Engine::Scene {

using Calls = std::vector<std::string>;

// A batching renderer over the fake device, with the draw calls of one frame.
template <typename Renderer>
class RendererFixture : public Graphics::GraphicsFixture {
 protected:
  void TearDown() override {
    mRenderer.release();
    GraphicsFixture::TearDown();
  }

  // The draw calls of one frame, after the calls that led to it are forgotten.
  Calls drawCalls() {
    device().takeCalls();
    mRenderer.draw();
    return device().callsStartingWith("draw");
  }

  Renderer mRenderer;
};

}  // namespace Engine::Scene
