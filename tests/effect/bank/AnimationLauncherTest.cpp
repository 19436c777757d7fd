#include <gtest/gtest.h>

#include "effect/bank/AnimationLauncher.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Kind = Game::Effect::ActionRecord::ResultKind;

using AnimationLauncherTest = EffectTestSupport::BankTest;

// Only hit targets get the overlay; with a divisor each starts after its
// distance from the origin over it, with divisor 0 (or less) at once.
TEST_F(AnimationLauncherTest, OverlaysGoOnHitTargetsLaterByTheirDistance) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& missed = makeUnit(1, 0, 1, "Slime");
  Game::Unit& hit = makeUnit(1, 1, 2);
  Game::Unit& healed = makeUnit(1, 2, 3);
  auto& action = makeAction(caster, {{&missed, Kind::kMiss}, {&hit, Kind::kDamage}, {&healed, Kind::kRecovery}});
  Game::Effect::Bank::Stagger stagger;
  stagger.launchOnTargets(action);
  EXPECT_TRUE(missed.node()->overlays().empty());
  ASSERT_EQ(hit.node()->overlays().size(), 1u);
  EXPECT_EQ(hit.node()->overlays()[0].time, 0.f);
  ASSERT_EQ(healed.node()->overlays().size(), 1u);

  const Vector3 origin = positionOf(caster);
  stagger.launchOnTargetsFrom(action, origin, 4.f);
  ASSERT_EQ(hit.node()->overlays().size(), 2u);
  EXPECT_FLOAT_EQ(hit.node()->overlays()[1].time, -distance(positionOf(hit), origin) / 4.f);
  EXPECT_FLOAT_EQ(healed.node()->overlays()[1].time, -distance(positionOf(healed), origin) / 4.f);
  EXPECT_LT(hit.node()->overlays()[1].time, -10.f);
  stagger.launchOnTargetsFrom(action, origin, 0.f);
  stagger.launchOnTargetsFrom(action, origin, -2.f);
  EXPECT_EQ(hit.node()->overlays()[2].time, 0.f);
  EXPECT_EQ(hit.node()->overlays()[3].time, 0.f);
  EXPECT_TRUE(missed.node()->overlays().empty());
}

TEST_F(AnimationLauncherTest, AnOverlayOnAUnitStartsAtOnce) {
  Game::Unit& unit = makeUnit(0, 1, 1);
  Game::Effect::Bank::Stagger stagger;
  stagger.overlayOn(unit);
  ASSERT_EQ(unit.node()->overlays().size(), 1u);
  EXPECT_EQ(unit.node()->overlays()[0].time, 0.f);
}

// The pair lays the yellow blink, then the red glow's "main" (not its first
// animation).
TEST_F(AnimationLauncherTest, ThePairLaysYellowThenRed) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& hit = makeUnit(1, 1, 2);
  auto& action = makeAction(caster, {{&hit, Kind::kDamage}});
  Game::Effect::Bank::EmissionPair pair;
  pair.overlayOn(caster);
  pair.launchOnTargets(action);
  for (Game::Unit* unit : {&caster, &hit}) {
    const auto& overlays = unit->node()->overlays();
    ASSERT_EQ(overlays.size(), 2u);
    EXPECT_EQ(overlays[0].animation.body()->duration, 4.f);
    EXPECT_EQ(overlays[1].animation.body()->duration, 6.f);
  }
}

// A set without "main" lays nothing and reports each attempt.
TEST_F(AnimationLauncherTest, ASetWithoutMainLaysNothingAndReportsIt) {
  Game::Unit& caster = makeUnit(0, 0, 2);
  Game::Unit& hit = makeUnit(1, 1, 2);
  auto& action = makeAction(caster, {{&hit, Kind::kDamage}});
  Game::Effect::Bank::Poison poison;
  poison.launchOnTargets(action);
  poison.launchOnTargetsFrom(action, Vector3(0.f, 0.f, 0.f), 2.f);
  poison.overlayOn(hit);
  EXPECT_TRUE(hit.node()->overlays().empty());
  ASSERT_EQ(stage.failures.size(), 3u);
  EXPECT_EQ(stage.failures[0], "animation src/picture/animation/animation/毒.txt: main");
  stage.failures.clear();
}

}  // namespace
