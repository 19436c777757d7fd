#pragma once

// An offscreen frame with the sample data loaded, a recording stage whose
// pool the units' fake battle shares, and the probes the effect render tests
// use: units placed on cells and light pixels counted about a screen point.

#include <cstdint>
#include <optional>

#include "Engine/Sound/Manager.h"
#include "live/Unit.h"
#include "effect/bank/Piece.h"
#include "render/InterfaceRender.h"
#include "tests/Services.h"
#include "tests/effect/RecordingStage.h"

namespace RenderTest {

class EffectRender : public InterfaceRender, public EffectTestSupport::EffectBattle {
 protected:
  explicit EffectRender(Engine::i32 seed) : mSeed(seed) {}

  void SetUp() override {
    InterfaceRender::SetUp();
    // Sound lists read their waves.
    Engine::Sound::Manager::create();
    using namespace TestServices;
    mServices.emplace(kConstants | kSampleDatabase | kRandom, Options{.seed = static_cast<std::uint32_t>(mSeed)});
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    clearBattle();
    mServices.reset();
    Engine::Sound::Manager::destroy();
    InterfaceRender::TearDown();
  }

  // Light pixels in the box of that half size about a screen point (y up).
  int lightPixels(const Image& image, const Engine::Math::Vector3& onScreen, Engine::i32 half) const {
    const Engine::i32 x = static_cast<Engine::i32>(onScreen.x);
    const Engine::i32 y = static_cast<Engine::i32>(onScreen.y);
    int count = 0;
    for (Engine::i32 dy = -half; dy <= half; ++dy) {
      for (Engine::i32 dx = -half; dx <= half; ++dx) {
        const Engine::u32 pixel = at(image, x + dx, y + dy);
        count += ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) > 0x60 ? 1 : 0;
      }
    }
    return count;
  }
  Engine::Math::Vector3 onScreen(const Engine::Math::Vector3& world) {
    Engine::Math::Vector3 out;
    renderer().project(&out, world);
    return out;
  }

 private:
  Engine::i32 mSeed;
  std::optional<TestServices::Scoped> mServices;
};

}  // namespace RenderTest
