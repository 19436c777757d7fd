// The shield, the drain, the counters and the fire barrier on the sample
// data, frame by frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "core/sound/SoundEffect.h"
#include "data/Unit.h"
#include "tests/effect/SupportEffectsFixture.h"

namespace {

using Engine::Math::Vector3;
using Game::Effect::Cast;
using Kind = Game::Effect::ActionRecord::ResultKind;

class ReactionsTest : public EffectTestSupport::SupportEffectsTest {
 protected:
  static Vector3 positionOf(const Game::Unit& unit) {
    Vector3 p;
    unit.getPosition(p);
    return p;
  }
  static void expectNear(const Vector3& a, const Vector3& b) {
    EXPECT_NEAR(a.x, b.x, 1e-2f);
    EXPECT_NEAR(a.y, b.y, 1e-2f);
    EXPECT_NEAR(a.z, b.z, 1e-2f);
  }
  // Orange of 0xFFFF8000 as the barrier lays it in the ambient colour.
  static bool isOrange(const Game::SceneNode* node) {
    const Vector3 c = node->ambient.value();
    return c.x == 1.f && std::abs(c.y - 128.f / 255.f) < 1e-6f && c.z == 0.f;
  }
  // Start times of the nodes, highest first.
  static std::vector<float> times(const std::vector<Game::SceneNode*>& nodes) {
    std::vector<float> out;
    for (const Game::SceneNode* node : nodes) {
      out.push_back(node->getTime());
    }
    std::sort(out.rbegin(), out.rend());
    return out;
  }
};

// Three shields at the targets, turned like them and at their scale; the
// results and the end on the first tick, with sound entry 0.
TEST_F(ReactionsTest, ShieldCoversEveryTargetAndEndsOnItsFirstTick) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  action.target(1).node()->rotation.setValue(0.f, 0.f, 40.f);
  Cast& shield = play("シールド回避", action);
  int answer = -1;
  const std::vector<Game::SceneNode*> made = tickMade(shield, &answer);
  EXPECT_EQ(answer, Cast::kFinished);
  EXPECT_EQ(action.resultsShown, 1);
  ASSERT_EQ(made.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const Game::Unit& target = action.target(i);
    expectNear(made[static_cast<std::size_t>(i)]->position.value(), positionOf(target));
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(i)]->scale.x.value(), target.getScale());
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(i)]->scale.z.value(), target.getScale());
    expectNear(made[static_cast<std::size_t>(i)]->rotation.value(), target.node()->rotation.value());
  }
  EXPECT_FLOAT_EQ(made[0]->scale.y.value(), 0.75f);
  EXPECT_FLOAT_EQ(made[1]->rotation.z.value(), 40.f);
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].index, 0);
}

// Two barriers of 19 cells, one beside each target, on 16; the results on 20.
TEST_F(ReactionsTest, FireBarrierRaisesOneBarrierPerTargetAndAppliesFourFramesLater) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  EffectTestSupport::RecordingAction& action =
      makeAction(actions[0]->actor(), {{&actions[2]->target(0), Kind::kDamage}, {&actions[2]->target(1), Kind::kMiss}});
  Cast& barrier = play("サーマルバリア", action);
  runTo(barrier, 16);
  const std::vector<Game::SceneNode*> made = tickMade(barrier);
  ASSERT_EQ(made.size(), 38u);
  EXPECT_TRUE(std::all_of(made.begin(), made.end(), isOrange));
  for (int i = 0; i < 2; ++i) {
    const Game::Unit& target = action.target(i);
    const Vector3 cell = made[static_cast<std::size_t>(19 * i)]->position.value();
    Vector3 off = cell;
    off -= positionOf(target);
    EXPECT_NEAR(off.length(), target.getSize() / 2.f, 1e-2f) << i;
  }
  EXPECT_EQ(stage.sounds.back().key, "main");
  EXPECT_EQ(stage.sounds.back().index, 0);
  runTo(barrier, 20);
  EXPECT_EQ(action.resultsShown, 0);
  EXPECT_EQ(step(barrier), Cast::kApplied);
  EXPECT_EQ(action.resultsShown, 1);
}

// 32 pieces on the first target at once, piece i hidden for 2·i frames: the
// last starts on 62; the results on 64.
TEST_F(ReactionsTest, DrainStartsItsPiecesOverSixtyTwoFramesAndAppliesOnSixtyFour) {
  EffectTestSupport::RecordingAction& action = *standardActions(1)[0];
  Cast& drain = play("スポイル", action);
  const std::vector<Game::SceneNode*> made = tickMade(drain);
  ASSERT_EQ(made.size(), 32u);
  const std::vector<float> starts = times(made);
  for (int i = 0; i < 32; ++i) {
    EXPECT_FLOAT_EQ(starts[static_cast<std::size_t>(i)], -2.f * static_cast<float>(i));
  }
  for (const Game::SceneNode* node : made) {
    expectNear(node->position.value(), positionOf(action.target(0)));
  }
  runTo(drain, 64);
  EXPECT_EQ(action.resultsShown, 0);
  EXPECT_TRUE(stage.sounds.empty());
  EXPECT_EQ(step(drain), Cast::kApplied);
  EXPECT_EQ(action.resultsShown, 1);
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].index, 0);
  EXPECT_FLOAT_EQ(camera.zoom, 1.5f);
}

// Sound entry 0 is the constructor's "main", the wave "bom26_b"; on 48 the
// orange barrier stands half the caster's size toward the target, flames on
// the target.
TEST_F(ReactionsTest, FireCounterRaisesItsBarrierAtTheCounterPointOnFortyEight) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  Cast& counter = play("サーマルカウンター", action);
  ASSERT_EQ(counter.sounds().count(), 1);
  EXPECT_STREQ(counter.sounds().at(0)->name().c_str(), "main");
  const Game::SoundEffect wave("probe", "src/sound/bom26_b.wav");
  EXPECT_TRUE(counter.sounds().at(0)->wave() == wave.wave());
  runTo(counter, 48);
  const std::vector<Game::SceneNode*> made = tickMade(counter);
  std::vector<Game::SceneNode*> cells;
  std::copy_if(made.begin(), made.end(), std::back_inserter(cells), isOrange);
  ASSERT_EQ(cells.size(), 19u);
  Vector3 toward = positionOf(action.target(0));
  const Vector3 caster = positionOf(action.actor());
  toward -= caster;
  toward *= 128.f / toward.length();
  toward += caster;
  expectNear(cells[0]->position.value(), toward);
  ASSERT_FALSE(stage.sounds.empty());
  EXPECT_EQ(stage.sounds.back().index, 0);
  runTo(counter, 72);
  EXPECT_EQ(action.resultsShown, 0);
  step(counter);
  EXPECT_EQ(action.resultsShown, 1);
}

// The curse's counter point moves with the caster's size: a caster drawn
// at 3/4 stands its barrier 96 toward the target.
TEST_F(ReactionsTest, CounterPointIsHalfTheCastersSizeTowardTheTargets) {
  Game::Unit& caster = makeUnit(0, 0, 2, "Slime");
  Game::Unit& target = makeUnit(1, 1, 2);
  EffectTestSupport::RecordingAction& action = makeAction(caster, {{&target, Kind::kDamage}});
  Cast& counter = play("祟り", action);
  runTo(counter, 48);
  const std::vector<Game::SceneNode*> made = tickMade(counter);
  ASSERT_EQ(made.size(), 19u);
  Vector3 toward = positionOf(target);
  toward -= positionOf(caster);
  toward *= 96.f / toward.length();
  toward += positionOf(caster);
  expectNear(made[0]->position.value(), toward);
  EXPECT_FLOAT_EQ(made[0]->scale.x.value(), 0.75f);
  EXPECT_EQ(made[0]->getTime(), 0.f);
  EXPECT_FLOAT_EQ(made[18]->getTime(), -6.f);
}

// Six copies on the first target on 16, copy k turned 60·k about z.
TEST_F(ReactionsTest, HealItemTurnsSixCopiesSixtyDegreesApart) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  Cast& item = play("回復アイテム", action);
  runTo(item, 16);
  const std::vector<Game::SceneNode*> made = tickMade(item);
  ASSERT_EQ(made.size(), 6u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_FLOAT_EQ(made[static_cast<std::size_t>(k)]->rotation.z.value(), 60.f * static_cast<float>(k));
    expectNear(made[static_cast<std::size_t>(k)]->position.value(), positionOf(action.target(0)));
  }
  ASSERT_EQ(stage.sounds.size(), 1u);
  EXPECT_EQ(stage.sounds[0].key, "main");
}

// The cold on the targets and the sparks on the caster come on the first
// frame alone.
TEST_F(ReactionsTest, FreezeAndFireCountersThrowTheirParticlesOnTheFirstFrame) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  for (const char* name : {"冷凍法", "サーマルカウンター"}) {
    Cast& counter = play(name, action);
    const std::vector<Game::SceneNode*> first = tickMade(counter);
    EXPECT_FALSE(first.empty()) << name;
    const Vector3 near = positionOf(name == std::string("冷凍法") ? action.target(0) : action.actor());
    for (const Game::SceneNode* node : first) {
      Vector3 off = node->position.value();
      off -= near;
      EXPECT_LT(off.length(), 256.f) << name;
    }
    EXPECT_TRUE(tickMade(counter).empty()) << name;
  }
}

// Nothing is laid over the hit target before frame 48; then the glow and
// the flash.
TEST_F(ReactionsTest, CurseAndPoisonCountersFlashTheTargetOnFortyEightOnly) {
  EffectTestSupport::RecordingAction& action = *standardActions(0)[0];
  for (const char* name : {"祟り", "ポイゾナスカウンター"}) {
    Cast& counter = play(name, action);
    action.target(0).createSceneNode();
    for (int frame = 0; frame < 48; ++frame) {
      step(counter);
      ASSERT_TRUE(action.target(0).node()->overlays().empty()) << name << " frame " << frame;
    }
    step(counter);
    EXPECT_EQ(action.target(0).node()->overlays().size(), 2u) << name;
    step(counter);
    EXPECT_EQ(action.target(0).node()->overlays().size(), 2u) << name;
  }
}

}  // namespace
