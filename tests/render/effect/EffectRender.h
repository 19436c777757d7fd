#pragma once

// An offscreen frame with the sample data loaded, a recording stage whose
// pool the units' fake battle shares, and the probes the effect render tests
// use: units placed on cells and light pixels counted about a screen point.

#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "effect/bank/Piece.h"
#include "presentation/scene/SceneNodePool.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/effect/RecordingStage.h"

namespace RenderTest {

class EffectRender : public InterfaceRender {
 protected:
  explicit EffectRender(Engine::i32 seed) : mSeed(seed) {}

  void SetUp() override {
    InterfaceRender::SetUp();
    // Sound lists read their waves.
    Engine::Sound::Manager::create();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(mSeed);
    battle.pool = &stage.pool;
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    actions.clear();
    units.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
    InterfaceRender::TearDown();
  }

  // A unit on a cell; by default of a picture the list lacks (size 256, a
  // node that shows nothing), so only the effect lights the screen.
  Game::Unit& unit(UnitTestSupport::TestGhost& ghost, int side, int row, int column,
                   const char* appearance = "見えない") {
    ghost.enemy = side == 1;
    ghost.appearance = appearance;
    units.push_back(std::make_unique<Game::Unit>(ghost, &battle));
    battle.units.push_back(units.back().get());
    units.back()->placeAt(row, column);
    return *units.back();
  }
  // The caster's action with the target hit (or of that kind), aimed at the
  // target's cell.
  EffectTestSupport::RecordingAction& hitAction(
      Game::Unit& caster, Game::Unit& target,
      Game::Effect::ActionRecord::ResultKind kind = Game::Effect::ActionRecord::kDamage) {
    actions.push_back(std::make_unique<EffectTestSupport::RecordingAction>(stage, caster, Game::Ability()));
    EffectTestSupport::RecordingAction& action = *actions.back();
    action.add(target, kind);
    action.cell = Game::Place{target.side(), target.row(), target.column()};
    Game::Unit::cellPosition(action.aim, target.side(), target.row(), target.column());
    return action;
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

  EffectTestSupport::RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  UnitTestSupport::TestGhost casterGhost;
  UnitTestSupport::TestGhost targetGhost;
  std::vector<std::unique_ptr<Game::Unit>> units;
  std::vector<std::unique_ptr<EffectTestSupport::RecordingAction>> actions;

 private:
  Engine::i32 mSeed;
};

}  // namespace RenderTest
