#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "effect/module/Move.h"
#include "tests/effect/EffectFixture.h"
#include "tests/effect/EffectTimings.h"

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

// A family of effects played on the sample data: every set, bank file and
// sound list the build wrote, and the four standard actions.
class FamilySweep : public EffectTest {
 protected:
  static constexpr int kCap = 600;

  FamilySweep() : EffectTest(EffectData::kSample, 57) {}

  // Steps through the frame, the frame given included.
  void stepThrough(Game::Effect::Cast& effect, int lastFrame) {
    while (effect.frame() <= lastFrame) {
      step(effect);
    }
  }
  // The effect sounds of the key played so far.
  int soundsOf(const std::string& key) const {
    int n = 0;
    for (const auto& sound : stage.sounds) {
      n += sound.key == key ? 1 : 0;
    }
    return n;
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

  bool anyNodeNonFinite() {
    return countWhere(stage.pool, [](const Game::SceneNode& node) {
             const Engine::Math::Vector3 at = node.position.value();
             return !(std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z));
           }) > 0;
  }

};

}  // namespace EffectTestSupport
