// The counters and the fire barrier on the sample data, frame by frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "core/sound/SoundEffect.h"
#include "live/Unit.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::Effect::Cast;
using Kind = Game::Effect::ActionRecord::ResultKind;

class ReactionsTest : public EffectTestSupport::SupportEffectsTest {
 protected:
  // Orange of 0xFFFF8000 as the barrier lays it in the ambient colour.
  static bool isOrange(const Game::SceneNode* node) {
    const Vector3 c = node->ambient.value();
    return c.x == 1.f && std::abs(c.y - 128.f / 255.f) < 1e-6f && c.z == 0.f;
  }
  // The point that far from the caster toward the target.
  static Vector3 toward(const Game::Unit& caster, const Game::Unit& target, float distance) {
    Vector3 point = positionOf(target);
    point -= positionOf(caster);
    point *= distance / point.length();
    point += positionOf(caster);
    return point;
  }
};

// Two barriers of 19 orange cells, one beside each target, on 16; the
// results on 20.
TEST_F(ReactionsTest, FireBarrierRaisesOneBarrierPerTargetAndAppliesFourFramesLater) {
  std::vector<RecordingAction*> actions = standardActions(0);
  RecordingAction& action =
      makeAction(actions[0]->actor(), {{&actions[2]->target(0), Kind::kDamage}, {&actions[2]->target(1), Kind::kMiss}});
  Cast& barrier = play("サーマルバリア", action);
  runTo(barrier, 16);
  const std::vector<Game::SceneNode*> made = tickMade(barrier);
  ASSERT_EQ(made.size(), 38u);
  EXPECT_TRUE(std::all_of(made.begin(), made.end(), isOrange));
  for (int i = 0; i < 2; ++i) {
    const Game::Unit& target = action.target(i);
    Vector3 off = made[static_cast<std::size_t>(19 * i)]->position.value();
    off -= positionOf(target);
    EXPECT_NEAR(off.length(), target.getSize() / 2.f, 1e-2f) << i;
  }
  EXPECT_EQ(stage.sounds.back().key, "main");
  runTo(barrier, 20);
  EXPECT_EQ(action.resultsShown, 0);
  EXPECT_EQ(step(barrier), Cast::kApplied);
}

// Sound entry 0 is the constructor's "main", the wave "bom26_b"; on 48 the
// orange barrier stands half the caster's size toward the target (Kessa:
// 128; a slime drawn at 3/4: 96, at its scale, cells 0 to 18 hidden up to 6
// frames).
TEST_F(ReactionsTest, CountersRaiseTheirBarrierHalfTheCastersSizeTowardTheTargetOnFortyEight) {
  RecordingAction& action = *standardActions(0)[0];
  Cast& counter = play("サーマルカウンター", action);
  ASSERT_EQ(counter.sounds().count(), 1);
  EXPECT_STREQ(counter.sounds().at(0)->name().c_str(), "main");
  const Game::SoundEffect wave("probe", "src/sound/bom26_b.wav");
  EXPECT_TRUE(counter.sounds().at(0)->wave() == wave.wave());
  runTo(counter, 48);
  std::vector<Game::SceneNode*> made = tickMade(counter);
  std::vector<Game::SceneNode*> cells;
  std::copy_if(made.begin(), made.end(), std::back_inserter(cells), isOrange);
  ASSERT_EQ(cells.size(), 19u);
  expectNear(cells[0]->position.value(), toward(action.actor(), action.target(0), 128.f));
  EXPECT_EQ(stage.sounds.back().index, 0);

  Game::Unit& slime = makeUnit(0, 0, 2, "Slime");
  Game::Unit& target = makeUnit(1, 1, 2);
  Cast& curse = play("祟り", makeAction(slime, {{&target, Kind::kDamage}}));
  runTo(curse, 48);
  made = tickMade(curse);
  ASSERT_EQ(made.size(), 19u);
  expectNear(made[0]->position.value(), toward(slime, target, 96.f));
  EXPECT_FLOAT_EQ(made[0]->scale.x.value(), 0.75f);
  EXPECT_EQ(made[0]->getTime(), 0.f);
  EXPECT_FLOAT_EQ(made[18]->getTime(), -6.f);
}

// The cold on the targets and the sparks on the caster come on the first
// frame alone.
TEST_F(ReactionsTest, FreezeAndFireCountersThrowTheirParticlesOnTheFirstFrame) {
  RecordingAction& action = *standardActions(0)[0];
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

}  // namespace
