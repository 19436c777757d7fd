#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Cast.h"
#include "effect/CastCamera.h"
#include "effect/bank/Piece.h"
#include "effect/module/Move.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/scene/SceneNode.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/core/game/GameFixture.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/effect/EffectTimings.h"
#include "tests/effect/RecordingStage.h"

namespace EffectTestSupport {

// What one play of an effect showed, frame by frame.
struct PlayRecord {
  int resultsShown = 0;
  // The frame of the first display of the results; -1: none.
  int shownOn = -1;
  // The first frame after whose tick the state was 2; -1: never.
  int finishedOn = -1;
  // The first frame whose tick answered 2; -1: not before the cap.
  int tickEndedOn = -1;
  // A node in use stood at a position that was not finite.
  bool nonFinite = false;
  // Units a move sent home that stood elsewhere when the tick answered 2.
  int awayFromHome = 0;
};

// A family of effects played on the sample data with the recording stage:
// every set, bank file and sound list the build wrote, the databases, the
// unit pictures, and the four actions of one target hit, one missed, three
// of kinds 1, 0 and 2, and none.
class FamilySweep : public ResourceTestSupport::ResourceTest {
 protected:
  static constexpr int kCap = 600;

  void SetUp() override {
    ResourceTest::SetUp();
    Engine::Sound::Manager::create();
    GameTestSupport::putSampleFiles(fs(), "src");
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(57);
    battle.pool = &stage.pool;
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    mActions.clear();
    mUnits.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
    ResourceTest::TearDown();
  }

  Game::Unit& makeUnit(int side, int row, int column, const char* appearance) {
    mGhosts.push_back(std::make_unique<UnitTestSupport::TestGhost>());
    mGhosts.back()->enemy = side == 1;
    mGhosts.back()->appearance = appearance;
    mUnits.push_back(std::make_unique<Game::Unit>(*mGhosts.back(), &battle));
    Game::Unit& unit = *mUnits.back();
    battle.units.push_back(&unit);
    unit.placeAt(row, column);
    return unit;
  }

  RecordingAction& makeAction(Game::Unit& caster,
                              std::vector<std::pair<Game::Unit*, Game::Effect::ActionRecord::ResultKind>> targets) {
    mActions.push_back(std::make_unique<RecordingAction>(stage, caster, Game::Ability()));
    RecordingAction& action = *mActions.back();
    for (auto& [unit, kind] : targets) {
      action.add(*unit, kind);
    }
    action.cell = Game::Place{1 - caster.side(), 1, 2};
    Game::Unit::cellPosition(action.aim, action.cell.side, action.cell.row, action.cell.column);
    return action;
  }

  // One target hit, one missed, three of kinds 1, 0 and 2, none.
  std::vector<RecordingAction*> standardActions(int casterSide) {
    using Kind = Game::Effect::ActionRecord::ResultKind;
    Game::Unit& caster = makeUnit(casterSide, 0, 2, "Kessa");
    const int other = 1 - casterSide;
    Game::Unit& first = makeUnit(other, 0, 1, "泥スライム");
    Game::Unit& second = makeUnit(other, 1, 2, "Kessa");
    Game::Unit& third = makeUnit(other, 2, 3, "泥スライム");
    return {&makeAction(caster, {{&first, Kind::kDamage}}), &makeAction(caster, {{&first, Kind::kMiss}}),
            &makeAction(caster, {{&first, Kind::kDamage}, {&second, Kind::kMiss}, {&third, Kind::kRecovery}}),
            &makeAction(caster, {})};
  }

  // The effect of the name with the sample sound list, bound to the action.
  std::unique_ptr<Game::Effect::Cast> makeEffect(const char* name, RecordingAction& action) {
    std::unique_ptr<Game::Effect::Cast> effect = Game::Effect::Cast::create(name);
    if (effect) {
      effect->bind(action);
      effect->setCamera(&camera);
    }
    return effect;
  }

  // One frame of the battle: the effect's tick, then the pool's step.
  int step(Game::Effect::Cast& effect) {
    const int answer = effect.tick();
    stage.pool.update();
    return answer;
  }

  // Ticks until the tick answers 2 or the cap.
  PlayRecord play(Game::Effect::Cast& effect, RecordingAction& action) {
    PlayRecord record;
    action.resultsShown = 0;
    for (int frame = 0; frame < kCap && record.tickEndedOn < 0; ++frame) {
      const int answer = step(effect);
      if (action.resultsShown > 0 && record.shownOn < 0) {
        record.shownOn = frame;
      }
      if (effect.state() == Game::Effect::Cast::kFinished && record.finishedOn < 0) {
        record.finishedOn = frame;
      }
      if (answer == Game::Effect::Cast::kFinished) {
        record.tickEndedOn = frame;
        record.awayFromHome = unitsAwayFromHome(effect);
      }
      record.nonFinite = record.nonFinite || anyNodeNonFinite();
    }
    record.resultsShown = action.resultsShown;
    return record;
  }

  // Every name with the four actions and casters on both sides: one display
  // of the results on the frame of its timing (none for a name without),
  // state 2 on its end frame, the tick's end before the cap, finite nodes
  // and no failed lookup.
  void sweep(const std::vector<const char*>& names, int tickEndCap = kCap) {
    for (int side = 0; side < 2; ++side) {
      std::vector<RecordingAction*> actions = standardActions(side);
      for (const char* name : names) {
        const EffectTiming* timing = findTiming(name);
        ASSERT_NE(timing, nullptr) << name;
        for (std::size_t a = 0; a < actions.size(); ++a) {
          RecordingAction& action = *actions[a];
          const PlayTiming expected = timingOf(*timing, action.targetCount(), anyHit(action));
          std::unique_ptr<Game::Effect::Cast> effect = makeEffect(name, action);
          ASSERT_NE(effect, nullptr) << name;
          const PlayRecord record = play(*effect, action);
          const std::string where = std::string(timing->className) + " action " + std::to_string(a);
          EXPECT_EQ(record.resultsShown, expected.applyFrame < 0 ? 0 : 1) << where;
          EXPECT_EQ(record.shownOn, expected.applyFrame) << where;
          EXPECT_EQ(record.finishedOn, expected.endFrame) << where;
          EXPECT_GE(record.tickEndedOn, record.finishedOn) << where;
          EXPECT_LT(record.tickEndedOn, tickEndCap) << where;
          EXPECT_FALSE(record.nonFinite) << where;
          EXPECT_EQ(record.awayFromHome, 0) << where;
          for (const std::string& failure : stage.failures) {
            ADD_FAILURE() << where << ": " << failure;
          }
          stage.failures.clear();
        }
      }
    }
  }

  // The units of the effect's home moves that stand away from their cells.
  static int unitsAwayFromHome(const Game::Effect::Cast& effect) {
    int away = 0;
    for (int i = 0; i < effect.modules().count(); ++i) {
      const auto* move = dynamic_cast<const Game::Effect::Module::Move*>(&effect.modules().at(i));
      if (move && move->sentHome()) {
        Engine::Math::Vector3 home;
        Engine::Math::Vector3 feet;
        move->sentHome()->getHomePosition(home);
        move->sentHome()->getFrontPoint(feet);
        feet -= home;
        away += feet.length() > 1e-2f ? 1 : 0;
      }
    }
    return away;
  }

  static bool anyHit(const RecordingAction& action) {
    for (int i = 0; i < action.targetCount(); ++i) {
      if (action.isHit(i)) {
        return true;
      }
    }
    return false;
  }

  bool anyNodeNonFinite() const {
    for (int i = 0; i < stage.pool.capacity(); ++i) {
      const Game::SceneNode& node = stage.pool.node(i);
      const Engine::Math::Vector3 at = node.position.value();
      if (node.isActive() && !(std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z))) {
        return true;
      }
    }
    return false;
  }

  RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  Game::Effect::CastCamera camera;

 private:
  std::vector<std::unique_ptr<UnitTestSupport::TestGhost>> mGhosts;
  std::vector<std::unique_ptr<Game::Unit>> mUnits;
  std::vector<std::unique_ptr<RecordingAction>> mActions;
};

}  // namespace EffectTestSupport
