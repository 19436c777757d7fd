#pragma once

#include <unistd.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "data/Unit.h"
#include "effect/Cast.h"
#include "effect/bank/Piece.h"
#include "file/nml/NmlDocument.h"
#include "presentation/scene/SceneNode.h"
#include "tests/core/game/GameFixture.h"
#include "tests/effect/EffectFixture.h"

namespace EffectTestSupport {

// The effects of the reactions, system actions and buffs on the sample
// pictures and sounds: the effect-sound list is the sample one, misses of
// the bank pieces are reported to the recording stage.
class SupportEffectsTest : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    Engine::Sound::Manager::create();
    GameTestSupport::putSampleFiles(fs(), "src/picture/animation");
    GameTestSupport::putSampleFiles(fs(), "src/sound");
    list.load("src/sound/list.txt");
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    mEffects.clear();
    EffectTest::TearDown();
    Engine::Sound::Manager::destroy();
  }

  // The effect of the name bound to the action, with the camera.
  Game::Effect::Cast& play(const char* name, RecordingAction& action) {
    mEffects.push_back(Game::Effect::Cast::create(name, &list));
    Game::Effect::Cast& effect = *mEffects.back();
    effect.bind(action);
    effect.setCamera(&camera);
    return effect;
  }

  // One frame of the battle, the pool's step a tickMade owes first.
  int step(Game::Effect::Cast& effect) {
    settle();
    return EffectTest::step(effect);
  }

  // Frames stepped until the effect's next frame is that one.
  void runTo(Game::Effect::Cast& effect, int frame) {
    while (effect.frame() < frame) {
      step(effect);
    }
  }

  // The effect's tick on its next frame and the nodes it made, in slot
  // order, as made: the pool steps them on the next frame's call. answer
  // takes the tick's answer.
  std::vector<Game::SceneNode*> tickMade(Game::Effect::Cast& effect, int* answer = nullptr) {
    settle();
    std::vector<bool> before(static_cast<std::size_t>(stage.pool.capacity()));
    for (int i = 0; i < stage.pool.capacity(); ++i) {
      before[static_cast<std::size_t>(i)] = stage.pool.node(i).isActive();
    }
    const int result = effect.tick();
    if (answer) {
      *answer = result;
    }
    std::vector<Game::SceneNode*> made;
    for (int i = 0; i < stage.pool.capacity(); ++i) {
      if (!before[static_cast<std::size_t>(i)] && stage.pool.node(i).isActive()) {
        made.push_back(&stage.pool.node(i));
      }
    }
    mPoolOwed = true;
    return made;
  }

  void settle() {
    if (mPoolOwed) {
      stage.pool.update();
      mPoolOwed = false;
    }
  }

  // Whether every sound of the effect found its wave (the loader reads them
  // meanwhile).
  static bool wavesLoaded(const Game::Effect::Cast& effect) {
    for (int i = 0; i < 500 && !effect.isSoundReady(); ++i) {
      usleep(2000);
    }
    for (int i = 0; i < effect.sounds().count(); ++i) {
      if (!effect.sounds().at(i)->wave()) {
        return false;
      }
    }
    return effect.isSoundReady();
  }

  static Engine::Math::Vector3 positionOf(const Game::Unit& unit) {
    Engine::Math::Vector3 p;
    unit.getPosition(p);
    return p;
  }
  static float flatDistance(const Engine::Math::Vector3& a, const Engine::Math::Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
  }
  static void expectNear(const Engine::Math::Vector3& a, const Engine::Math::Vector3& b) {
    EXPECT_NEAR(a.x, b.x, 1e-2f);
    EXPECT_NEAR(a.y, b.y, 1e-2f);
    EXPECT_NEAR(a.z, b.z, 1e-2f);
  }

  Game::NmlDocument list;

 private:
  std::vector<std::unique_ptr<Game::Effect::Cast>> mEffects;
  bool mPoolOwed = false;
};

}  // namespace EffectTestSupport
