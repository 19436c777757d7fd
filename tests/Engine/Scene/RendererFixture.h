#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "PlatformFake/FakeBackend.h"

namespace Engine::Scene {

using Calls = std::vector<std::string>;

// A batching renderer over the fake device, with the draw calls of one frame.
template <typename Renderer>
class RendererFixture : public ::testing::Test {
 protected:
  void SetUp() override { Graphics::Manager::create(640, 480, false, true, false); }
  void TearDown() override {
    mRenderer.release();
    Graphics::Manager::destroy();
  }

  PlatformFake::FakeGraphicsDevice& device() { return mBackend->fakeGraphicsDevice; }
  // The draw calls of one frame, after the calls that led to it are forgotten.
  Calls drawCalls() {
    device().takeCalls();
    mRenderer.draw();
    return device().callsStartingWith("draw");
  }

  PlatformFake::ScopedFakeBackend mBackend;
  Renderer mRenderer;
};

}  // namespace Engine::Scene
